// The three reports as PDF, read back by poppler's own tools as any other reader would: every
// order number and supplier and the Czech texts found, page count, paper and orientation, fonts
// embedded as subsets, pictures at their own size, the document information; a target that cannot be written reported by name
// with nothing left behind.
#include "tests/support/poppler.h"
#include "tests/support/columnvalues.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/sestavy.h"
#include "report/layout/pagerecorder.h"
#include "report/outputs/pdfexport.h"
#include "report/pages/reportmetrics.h"

#include "base/clock.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace kv::report;
using kv::test::poppler;

namespace {

const QDateTime kMade(QDate(2026, 12, 11), QTime(10, 15, 30), QTimeZone(3600));

} // namespace

class TestPdfExport : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::tools::SampleDatabase> db_;
    std::unique_ptr<kv::print::TSestavy> sestavy_;
    std::unique_ptr<QTemporaryDir> out_;

    Report& report(const QString& name) {
        if (!sestavy_)
            sestavy_ = std::make_unique<kv::print::TSestavy>(db_->dm(), ReportMetrics(96));
        return name == QLatin1String("Objednavka")         ? *sestavy_->Objednavka
               : name == QLatin1String("SeznamObjednavek") ? *sestavy_->SeznamObjednavek
                                                           : *sestavy_->SeznamDodavatelu;
    }

private Q_SLOTS:
    void init() {
        kv::clock::setFixed(kMade);
        db_ = std::make_unique<kv::tools::SampleDatabase>();
        out_ = std::make_unique<QTemporaryDir>();
        kv::tools::fillFirm(db_->dm(), true);
        kv::tools::fillUsers(db_->dm());
        kv::tools::fillSuppliers(db_->dm(), 40);
        kv::tools::fillOrders(db_->dm(), 35);
    }
    void cleanup() {
        sestavy_.reset();
        db_.reset();
        out_.reset();
        kv::clock::clearFixed();
    }

    void readersFindWhatThePagesShow_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("images");
        // The order form's logo keeps its 96 x 96 pixels, not the page's resolution.
        QTest::newRow("order form")
            << "Objednavka" << 1 << "595 x 842 pts (A4)" << ""
            << QStringList{"Číslo objednávky uvádějte při komunikaci a fakturaci", "STROJÍRNY HORÁK s.r.o."}
            << QStringList{"96 96"};
        QTest::newRow("orders list") << "SeznamObjednavek" << 4 << "842 x 595 pts (A4)" << "Cislo"
                                     << QStringList{"SEZNAM OBJEDNÁVEK:", "Číslo objednávky:"} << QStringList{};
        QTest::newRow("suppliers list") << "SeznamDodavatelu" << 5 << "842 x 595 pts (A4)" << "Nazev"
                                        << QStringList{"NÁSTROJE", "PAPÍRNICTVÍ", "Dodavatel:"} << QStringList{};
    }
    void readersFindWhatThePagesShow() {
        QFETCH(QString, layout);
        QFETCH(int, pages);
        QFETCH(QString, paper);
        QFETCH(QString, field);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, images);
        kv::data::TDM& dm = db_->dm();
        QStringList expected = texts;
        if (field == QLatin1String("Cislo"))
            expected += kv::test::columnValues(dm.tabKalmorvaty, field);
        else if (field == QLatin1String("Nazev"))
            expected += kv::test::columnValues(dm.tabDodavatele, field);
        dm.tabKalmorvaty.last();
        if (field.isEmpty())
            expected << dm.tabKalmorvaty.fieldByName(QStringLiteral("Cislo")).asString();
        dm.tabObory.first();

        PageRecorder g;
        Report& r = report(layout);
        g.execute(r);
        QCOMPARE(g.pageCount(), pages);
        const QString pdf = out_->filePath(layout + QStringLiteral(".pdf"));
        int told = 0;
        exportPdf(g.pages(), pdf, QSizeF(r.printer().width(), r.printer().height()),
                  {QStringLiteral("Zkouška č. 1"), QStringLiteral("STROJÍRNY HORÁK s.r.o."),
                   QStringLiteral("Kalmorvaty"), kMade},
                  [&told](int page) { QCOMPARE(page, ++told); });
        QCOMPARE(told, pages);

        const QString info = poppler(QStringLiteral("pdfinfo"), pdf);
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Pages")).toInt(), pages);
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Page size")), paper);
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Title")), QStringLiteral("Zkouška č. 1"));
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Author")), QStringLiteral("STROJÍRNY HORÁK s.r.o."));
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Creator")), QStringLiteral("Kalmorvaty"));
        QVERIFY2(kv::test::pdfInfoField(info, QStringLiteral("CreationDate")).contains(QStringLiteral("Dec 11 ")), qPrintable(info));
        // Every page of the same paper, not only the first.
        const QString last = poppler(QStringLiteral("pdfinfo"), pdf,
                                     {QStringLiteral("-f"), QString::number(pages), QStringLiteral("-l"),
                                      QString::number(pages)});
        QCOMPARE(kv::test::pdfInfoField(last, QStringLiteral("Page +%1 size").arg(pages)), paper);

        const QString text = poppler(QStringLiteral("pdftotext"), pdf);
        for (const QString& t : std::as_const(expected))
            QVERIFY2(text.contains(t), qPrintable(QStringLiteral("\"%1\" not found in:\n%2").arg(t, text)));

        // name type encoding emb sub uni object ID: every font embedded, with its Unicode map.
        const QStringList fonts = poppler(QStringLiteral("pdffonts"), pdf).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts)
            QVERIFY2(font.contains(QRegularExpression(QStringLiteral("\\byes\\s+(yes|no)\\s+yes\\b"))), qPrintable(font));
        // Only the glyphs used go in: the whole file is smaller than one of its fonts would be whole
        // (Liberation Sans takes some 137 KB).
        QVERIFY2(QFileInfo(pdf).size() < 100 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));

        // page num type width height ...: the pictures at their own size.
        QStringList shown;
        const QStringList listed = poppler(QStringLiteral("pdfimages"), pdf, {QStringLiteral("-list")})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                       .mid(2);
        for (const QString& line : listed)
            shown << line.simplified().section(QLatin1Char(' '), 3, 4);
        QCOMPARE(shown, images);
    }

    void aTargetThatCannotBeWrittenIsNamedAndLeavesNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "chybi/seznam.pdf";
        QTest::newRow("a folder") << "slozka";
    }
    void aTargetThatCannotBeWrittenIsNamedAndLeavesNothing() {
        QFETCH(QString, target);
        QDir(out_->path()).mkdir(QStringLiteral("slozka"));
        PageRecorder g;
        g.execute(report(QStringLiteral("SeznamObjednavek")));
        const QString path = out_->filePath(target);
        try {
            exportPdf(g.pages(), path, QSizeF(297, 210), {});
            QFAIL("no error");
        } catch (const PdfWriteError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Soubor \"%1\" nelze zapsat: ").arg(path)),
                     qPrintable(e.message()));
        }
        QCOMPARE(QDir(out_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("slozka")});
        QVERIFY(QDir(out_->filePath(QStringLiteral("slozka"))).isEmpty());
    }
};

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
