// The three report layouts over sample data, read from their recorded pages at 96 dots per inch:
// report settings and bands, the one-page order form, the orders list's pages of ten, the
// suppliers list's categories, a long supplier name's wrapping, and reference pages; the lists'
// HTML documents against their references.
#include "tests/reportsupport/fixedmeasurer.h"
#include "tests/reportsupport/pagetexts.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/reportlayouts.h"
#include "print/sestavy.h"
#include "report/pages/pagetext.h"
#include "report/model/reporterror.h"
#include "report/model/band.h"
#include "report/layout/pagerecorder.h"
#include "report/outputs/htmloutput.h"

#include "base/clock.h"

#include <QRegularExpression>
#include <QTest>
#include <optional>

using namespace kv::report;
using kv::report::test::fixedMetrics;
using kv::report::test::opLines;
using kv::report::test::plainTexts;
using kv::tools::SampleDatabase;

namespace {

const QDateTime kPrinted(QDate(2026, 12, 9), QTime(8, 5, 0));

int countMatching(const QStringList& list, const QRegularExpression& re) {
    return int(
        std::count_if(list.begin(), list.end(), [&](const QString& s) { return re.match(s).hasMatch(); }));
}

QString frameText(const BandFrame& f) {
    QString s;
    s += f.left() ? QStringLiteral("L") : QString();
    s += f.top() ? QStringLiteral("T") : QString();
    s += f.bottom() ? QStringLiteral("B") : QString();
    s += f.right() ? QStringLiteral("R") : QString();
    return s.isEmpty() ? QStringLiteral("-") : s;
}

} // namespace

class TestPrintLayouts : public QObject {
    Q_OBJECT

    std::unique_ptr<SampleDatabase> db_;
    std::unique_ptr<kv::print::TSestavy> sestavy_;

    kv::data::TDM& dm() { return db_->dm(); }
    // The layouts are loaded on first use, laid out and measured with `metrics` (96 dots per inch
    // and the fonts' own metrics unless a test asks for fixed ones).
    Report& layout(const QString& name, const ReportMetrics& metrics = ReportMetrics(96)) {
        if (!sestavy_)
            sestavy_ = std::make_unique<kv::print::TSestavy>(dm(), metrics);
        kv::print::TSestavy& s = *sestavy_;
        return name == QLatin1String("Objednavka")         ? *s.Objednavka
               : name == QLatin1String("SeznamObjednavek") ? *s.SeznamObjednavek
                                                           : *s.SeznamDodavatelu;
    }

private Q_SLOTS:
    void init() {
        kv::clock::setFixed(kPrinted);
        db_ = std::make_unique<SampleDatabase>();
    }
    void cleanup() {
        sestavy_.reset();
        db_.reset();
        kv::clock::clearFixed();
    }

    void reportSettingsAreTheLayouts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("settings");
        // title | surface | text grid | port | margins l r t b | columns | master
        QTest::newRow("order form") << "Objednavka"
                                    << "Objednávka|793x1121|300x45|LPT1|10 10 10 10|1 1|-";
        QTest::newRow("orders list") << "SeznamObjednavek"
                                     << "Seznam objednávek|1121x793|80x55|LPT1|10 10 10 0|1 0|DSKalmorvaty";
        // The suppliers list really carries the orders list's print title.
        QTest::newRow("suppliers list") << "SeznamDodavatelu"
                                        << "Seznam objednávek|1121x793|400x100|LPT1|10 10 10 0|1 0|DSObory";
    }
    void reportSettingsAreTheLayouts() {
        QFETCH(QString, name);
        QFETCH(QString, settings);
        const Report& r = layout(name);
        const QString got = QStringLiteral("%1|%2x%3|%4x%5|%6|%7 %8 %9 %10|%11 %12|%13")
                                .arg(r.printer().title())
                                .arg(r.width())
                                .arg(r.height())
                                .arg(r.printer().colWidth())
                                .arg(r.printer().colHeight())
                                .arg(r.printer().port())
                                .arg(r.margins().left())
                                .arg(r.margins().right())
                                .arg(r.margins().top())
                                .arg(r.margins().bottom())
                                .arg(r.margins().column())
                                .arg(r.margins().columnSpace())
                                .arg(r.dataSource() ? r.dataSource()->objectName() : QStringLiteral("-"));
        QCOMPARE(got, settings);
        QCOMPARE(r.printer().mode(), prNormal);
    }

    void bandsStandInOutputOrder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("bands");
        // name type height brush frame data-source header-band
        QTest::newRow("order form") << "Objednavka"
                                    << QStringList{"BandObjednavka rbSummary 1045 #ffffff - - -"};
        QTest::newRow("orders list") << "SeznamObjednavek"
                                     << QStringList{"SeznamObj_Nadpis rbPageHeader 40 #dfdfdf LTBR - -",
                                                    "SeznamObj_ZapatiStr rbPageFooter 25 #ffffff LTBR - -",
                                                    "SeznamObj_NadpisDetailu rbPageHeader 58 #ebebeb B - -",
                                                    "SeznamObj_Detaily rbDetail 60 #ffffff B - -"};
        QTest::newRow("suppliers list")
            << "SeznamDodavatelu"
            << QStringList{"TurboBand1 rbPageHeader 40 #cfcfcf LTBR - -",
                           "TurboBand5 rbDetail 55 #ffffff - - -",
                           "TurboBand4 rbSubDetail 60 #ffffff B DSDodavatele Dodavatele_NadpisDetailu",
                           "Dodavatele_NadpisDetailu rbHeaderFooter 58 #f4f4f4 LTBR - -",
                           "TurboBand2 rbPageFooter 25 #ffffff LTBR - -"};
    }
    void bandsStandInOutputOrder() {
        QFETCH(QString, name);
        QFETCH(QStringList, bands);
        QStringList got;
        for (const Band* b : layout(name).bands())
            got << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                       .arg(b->objectName(), bandTypeNames()[b->bandType()])
                       .arg(b->height())
                       .arg(b->brush().color().name(), frameText(b->frame()),
                            b->dataSource() ? b->dataSource()->objectName() : QStringLiteral("-"),
                            b->headerBand() ? b->headerBand()->objectName() : QStringLiteral("-"));
        QCOMPARE(got, bands);
    }

    void labelsNotOfFixedSizeTakeTheirCaptionSize_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("bounds");
        // Six pixels a character, ten a line. A right-justified label keeps its right edge.
        QTest::newRow("left-justified") << "SeznamObjednavek"
                                        << "SeznamObj_NadpisDetailu"
                                        << "Label4" << QRect(1, 3, 17 * 6, 10);
        QTest::newRow("right-justified") << "SeznamObjednavek"
                                         << "SeznamObj_ZapatiStr"
                                         << "Label2" << QRect(860 + 180 - 46 * 6, 2, 46 * 6, 10);
        QTest::newRow("fixed size") << "SeznamDodavatelu"
                                    << "TurboBand2"
                                    << "Label46" << QRect(860, 2, 180, 20);
        QTest::newRow("eight lines, fixed") << "Objednavka"
                                            << "BandObjednavka"
                                            << "Label30" << QRect(105, 280, 7, 124);
        QTest::newRow("data text keeps its box") << "Objednavka"
                                                 << "BandObjednavka"
                                                 << "DBText16" << QRect(400, 125, 310, 55);
    }
    void labelsNotOfFixedSizeTakeTheirCaptionSize() {
        QFETCH(QString, report);
        QFETCH(QString, band);
        QFETCH(QString, control);
        QFETCH(QRect, bounds);
        const Band* b = layout(report, fixedMetrics(6, 10)).findBand(band);
        QVERIFY(b);
        const ReportControl* c = b->findControl(control);
        QVERIFY(c);
        QCOMPARE(c->boundsRect(), bounds);
    }

    void unknownLayoutIsRefused() {
        QVERIFY_THROWS_EXCEPTION(ReportError,
                                 kv::print::loadLayout(QStringLiteral("Faktura"),
                                                       kv::print::dataSources(dm()), ReportMetrics(96)));
    }

    void orderFormIsOnePage_data() {
        QTest::addColumn<bool>("logo");
        QTest::addColumn<QStringList>("images");
        // The logo is drawn at its natural size from the top-left corner of its 100 x 100 box.
        QTest::newRow("with logo") << true << QStringList{"image 52,47 96x96 96x96"};
        QTest::newRow("empty logo") << false << QStringList{};
    }
    void orderFormIsOnePage() {
        QFETCH(bool, logo);
        QFETCH(QStringList, images);
        kv::tools::fillFirm(dm(), logo);
        kv::tools::fillOrders(dm(), 3);
        dm().tabKalmorvaty.last();
        PageRecorder g;
        g.execute(layout(QStringLiteral("Objednavka")));
        QCOMPARE(g.pageCount(), 1);
        const ReportPage& page = g.page(1);
        // The summary band fills 37 to 1082, above the bottom margin at 1084.
        QCOMPARE(opLines(page, QStringLiteral("fill 37,37 ")),
                 QStringList{"fill 37,37 718x1045 brush #ffffff"});
        QCOMPARE(opLines(page, QStringLiteral("image ")), images);
        const QStringList t = plainTexts(page);
        QVERIFY(t.contains(QStringLiteral("O B J E D N Á V K A")));
        QVERIFY(t.contains(QStringLiteral("2026/12/00003/JH")));
        QVERIFY(t.contains(QStringLiteral("STROJÍRNY HORÁK s.r.o.")));
    }

    // A control box painted later over the first character of a text hides it on paper, as the
    // contact captions of the order form once did with the telephone numbers.
    void noTextBeginsUnderALaterBox() {
        kv::tools::fillFirm(dm(), true);
        kv::tools::fillOrders(dm(), 3);
        dm().tabKalmorvaty.last();
        PageRecorder g;
        g.execute(layout(QStringLiteral("Objednavka")));
        const ReportPage& page = g.page(1);
        const auto& ops = page.ops();
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].kind != PageOpKind::Text)
                continue;
            const QPoint start(ops[i].left + 1, ops[i].top + 5);
            for (std::size_t j = i + 1; j < ops.size(); ++j)
                if (ops[j].kind == PageOpKind::FillRect && ops[j].rect().contains(start))
                    QFAIL(qPrintable(QStringLiteral("\"%1\" is covered by the box at %2,%3")
                                         .arg(page.text(ops[i].ref))
                                         .arg(ops[j].left)
                                         .arg(ops[j].top)));
        }
    }

    void ordersListHasTenOrdersAPage() {
        kv::tools::fillOrders(dm(), 25);
        PageRecorder g;
        g.execute(layout(QStringLiteral("SeznamObjednavek")));
        QCOMPARE(g.pageCount(), 3);
        const QRegularExpression orderNumber(QStringLiteral("^2026/\\d+/\\d{5}/"));
        const int perPage[] = {10, 10, 5};
        for (int n = 1; n <= 3; ++n) {
            const ReportPage& page = g.page(n);
            const QStringList t = plainTexts(page);
            QCOMPARE(countMatching(t, orderNumber), perPage[n - 1]);
            QVERIFY(t.contains(QStringLiteral("SEZNAM OBJEDNÁVEK:")));
            QVERIFY(t.contains(QStringLiteral("Číslo objednávky:")));
            QVERIFY(t.contains(QStringLiteral("Strana: %1").arg(n)));
            QVERIFY(t.contains(QStringLiteral("Datum a čas: 9.12.2026 , 8:05:00")));
            // Footer at 793 - 25 - 37, the headers from 37 to 135, orders 60 pixels apart below.
            QCOMPARE(opLines(page, QStringLiteral("fill 37,731 ")).size(), 1);
            QCOMPARE(opLines(page, QStringLiteral("fill 37,37 1047x40 brush #dfdfdf")).size(), 1);
            QCOMPARE(opLines(page, QStringLiteral("fill 37,77 1047x58 brush #ebebeb")).size(), 1);
            for (int k = 0; k < perPage[n - 1]; ++k)
                QCOMPARE(opLines(page, QStringLiteral("fill 37,%1 1046x60 ").arg(135 + 60 * k)).size(), 1);
        }
        // The tenth order starts at 675 and covers the footer's top: no eleventh fits.
        QVERIFY(opLines(g.page(1), QStringLiteral("fill 37,735 ")).isEmpty());
    }

    void emptyCategoryStillPrintsItsBandAndColumnTitles() {
        kv::tools::addCategory(dm(), QStringLiteral("Barvy a laky"));
        kv::tools::addCategory(dm(), QStringLiteral("Hutní materiál"));
        kv::tools::addSupplier(dm(), QStringLiteral("Hutní materiál"),
                               QStringLiteral("FEROMET Dvořák s.r.o."), 1);
        kv::tools::addSupplier(dm(), QStringLiteral("Hutní materiál"), QStringLiteral("OCEL Brno a.s."), 2);
        dm().tabObory.first();
        PageRecorder g;
        g.execute(layout(QStringLiteral("SeznamDodavatelu")));
        QCOMPARE(g.pageCount(), 1);
        const ReportPage& page = g.page(1);
        // Bodies from 77: a category takes 55, its column titles 58, each supplier 60.
        const QStringList bands =
            opLines(page, QStringLiteral("fill 37,")).filter(QRegularExpression(QStringLiteral(" 104[67]x")));
        QCOMPARE(bands,
                 (QStringList{"fill 37,731 1047x25 brush #ffffff", "fill 37,37 1047x40 brush #cfcfcf",
                              "fill 37,77 1046x55 brush #ffffff", "fill 37,132 1046x58 brush #f4f4f4",
                              "fill 37,190 1046x55 brush #ffffff", "fill 37,245 1046x58 brush #f4f4f4",
                              "fill 37,303 1046x60 brush #ffffff", "fill 37,363 1046x60 brush #ffffff"}));
        const QStringList t = plainTexts(page);
        QCOMPARE(t.count(QStringLiteral("Dodavatel:")), 2);
        QVERIFY(t.indexOf(QStringLiteral("Barvy a laky")) < t.indexOf(QStringLiteral("Dodavatel:")));
        QVERIFY(t.contains(QStringLiteral("FEROMET Dvořák s.r.o.")));
        QVERIFY(t.contains(QStringLiteral("OCEL Brno a.s.")));
    }

    void longSupplierNameWrapsInItsBox() {
        // Six pixels a character: the 310-pixel box holds 51 characters a line.
        kv::tools::fillFirm(dm(), false);
        kv::tools::SampleOrder order;
        order.supplier =
            QStringLiteral("Velkoobchod elektroinstalačním materiálem a svítidly ELEKTROMONT Novák s.r.o.");
        kv::tools::addOrder(dm(), order);
        dm().tabKalmorvaty.first();
        PageRecorder g;
        g.execute(layout(QStringLiteral("Objednavka"), fixedMetrics(6, 10)));
        const QStringList t = kv::report::test::placedTexts(g.page(1));
        // The box is 437..747 x 162..217. The break falls after the last space that fits, each
        // line is centred by its own width, and the two-line block (21 pixels) is centred in 55.
        const int first =
            int(t.indexOf(QStringLiteral("460,179:Velkoobchod elektroinstalačním materiálem a ")));
        QVERIFY2(first >= 0, qPrintable(t.join(QLatin1Char('\n'))));
        QCOMPARE(t.value(first + 1), QStringLiteral("493,189:svítidly ELEKTROMONT Novák s.r.o."));
    }

    // A value wider than its box prints in a smaller font rather than cut off: the firm's name in
    // the contact strip, the orderer under the signature line and beside "OBJEDNAL". Text measured
    // at half its pixel size a character, a line two pixels more than the size.
    void longValuesShrinkToTheirBoxes() {
        struct HalfSizeMeasurer : TextMeasurer {
            int textWidth(const QString& text, const QFont& font) override {
                return int(text.size()) * font.pixelSize() / 2;
            }
            int textHeight(const QFont& font) override { return font.pixelSize() + 2; }
        };
        kv::tools::fillFirm(dm(), false);
        const QString firm = QStringLiteral("Stavební společnost Novák, Dvořák a synové s.r.o.");
        const QString orderer = QStringLiteral("Ing. Jan Maria Bohuslav Novák Dvořák Horák-Procházka");
        dm().tabSystem.edit();
        dm().tabSystem.fieldByName(QStringLiteral("Firma")).setAsString(firm);
        dm().tabSystem.post();
        kv::tools::addOrder(dm(), kv::tools::SampleOrder{});
        dm().tabKalmorvaty.first();
        dm().tabKalmorvaty.edit();
        dm().tabKalmorvaty.fieldByName(QStringLiteral("Objednal")).setAsString(orderer);
        dm().tabKalmorvaty.post();
        PageRecorder g;
        g.execute(layout(QStringLiteral("Objednavka"), ReportMetrics(96, std::make_shared<HalfSizeMeasurer>())));
        const ReportPage& page = g.page(1);
        const auto sizes = [&page](const QString& text) {
            QList<int> out;
            for (const PageOp& op : page.ops())
                if (op.kind == PageOpKind::Text && page.text(op.ref) == text)
                    out << page.styles().fontAt(op.font).pixelSize();
            std::sort(out.begin(), out.end());
            return out;
        };
        // The strip's 170 pixels take the 49 characters at 6 pixels (147); the delivery box's 315
        // at its own 12 (294).
        QCOMPARE(sizes(firm), (QList<int>{6, 12}));
        // 52 characters: 275 pixels beside "OBJEDNAL" take them at 10 (260), the 410 under the
        // signature line at its own 13 (338).
        QCOMPARE(sizes(orderer), (QList<int>{10, 13}));
    }

    void pagesMatchTheirReferences_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pages");
        QTest::newRow("order form") << "Objednavka" << 1;
        QTest::newRow("orders list") << "SeznamObjednavek" << 2;
        QTest::newRow("suppliers list") << "SeznamDodavatelu" << 2;
    }
    void pagesMatchTheirReferences() {
        QFETCH(QString, name);
        QFETCH(int, pages);
        kv::tools::fillFirm(dm(), true);
        kv::tools::fillUsers(dm());
        kv::tools::fillSuppliers(dm(), 9);
        kv::tools::fillOrders(dm(), 12);
        dm().tabKalmorvaty.last();
        PageRecorder g;
        g.execute(layout(name, fixedMetrics(6, 12)));
        QCOMPARE(g.pageCount(), pages);
        for (int n = 1; n <= pages; ++n) {
            kv::report::test::compareWithReference(
                pageText(g.page(n)),
                QStringLiteral(KV_PRINT_TEST_DATA "/%1_page%2.txt").arg(name.toLower()).arg(n));
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The lists as HTML documents, as a browser reads them: a table a band, the column titles in the
    // order of the values and as wide, flags as "Ano"/"Ne", memo lines broken.
    void htmlDocumentsMatchTheirReferences_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("orders list") << "SeznamObjednavek" << "Seznam objednávek";
        QTest::newRow("suppliers list") << "SeznamDodavatelu" << "Seznam dodavatelů";
    }
    void htmlDocumentsMatchTheirReferences() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        kv::tools::fillFirm(dm(), true);
        kv::tools::fillUsers(dm());
        kv::tools::fillSuppliers(dm(), 4);
        kv::tools::fillOrders(dm(), 3);
        dm().tabObory.first();
        HtmlOutput html(QStringLiteral("/nikam/seznam"), title);
        html.execute(layout(name));
        kv::report::test::compareWithReference(html.lines().join(QLatin1Char('\n')) + QLatin1Char('\n'),
                                               QStringLiteral(KV_PRINT_TEST_DATA "/%1.html").arg(name.toLower()));
    }
};

QTEST_MAIN(TestPrintLayouts)
#include "tst_printlayouts.moc"
