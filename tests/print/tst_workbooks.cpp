// The two lists as workbooks, read back by readers of their own as a clerk's spreadsheet would read
// them: openpyxl cell by cell with each cell's kind, and LibreOffice Calc converting the workbook to
// CSV. Every order and supplier is there with its Czech texts, dates as dates in the Czech form,
// flags as "Ano" or "Ne", and the memo lines down their column.
#include "tests/support/columnvalues.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/sestavy.h"
#include "report/outputs/workbookwriter.h"
#include "report/pages/reportmetrics.h"

#include "base/clock.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace kv::report;

namespace {

// What `program` prints for `args`; fails the test when it cannot run.
QString run(const QString& program, const QStringList& args, int seconds = 60) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(seconds * 1000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestWorkbooks : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::tools::SampleDatabase> db_;
    std::unique_ptr<kv::print::TSestavy> sestavy_;
    QTemporaryDir out_;

    // The workbook of `layout` over the sample data, read by openpyxl.
    QStringList openpyxlCells(const QString& layout, QString* path = nullptr) {
        Report& report = layout == QLatin1String("SeznamObjednavek") ? *sestavy_->SeznamObjednavek
                                                                     : *sestavy_->SeznamDodavatelu;
        const QString file = out_.filePath(layout + QStringLiteral(".xlsx"));
        exportWorkbook(report, file);
        if (path)
            *path = file;
        return run(QStringLiteral(KV_READ_WORKBOOK), {file}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void initTestCase() {
        kv::clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
        db_ = std::make_unique<kv::tools::SampleDatabase>();
        kv::tools::fillFirm(db_->dm(), true);
        kv::tools::fillUsers(db_->dm());
        kv::tools::fillSuppliers(db_->dm(), 30);
        kv::tools::fillOrders(db_->dm(), 40);
        db_->dm().tabObory.first();
        sestavy_ = std::make_unique<kv::print::TSestavy>(db_->dm(), ReportMetrics(96));
    }
    void cleanupTestCase() {
        sestavy_.reset();
        db_.reset();
        kv::clock::clearFixed();
    }

    void ordersListHasEveryOrderWithItsKinds() {
        const QStringList cells = openpyxlCells(QStringLiteral("SeznamObjednavek"));
        QVERIFY(!cells.isEmpty());
        QVERIFY(cells.contains(QStringLiteral("R2C1 s SEZNAM OBJEDNÁVEK:")));
        QVERIFY(cells.contains(QStringLiteral("R3C1 s Číslo objednávky:")));
        kv::store::Table& orders = db_->dm().tabKalmorvaty;
        for (const QString& number : kv::test::columnValues(orders, QStringLiteral("Cislo")))
            QVERIFY2(cells.filter(QStringLiteral(" s ") + number).size() == 1, qPrintable(number));
        // The first order's row under the titles: its supplier, dates as dates in the Czech form,
        // flags in Czech, the memo's lines running down below it.
        orders.first();
        const QString number = orders.fieldByName(QStringLiteral("Cislo")).asString();
        const int row = cells.filter(QStringLiteral(" s ") + number).constFirst().section(QLatin1Char('C'), 0, 0).mid(1).toInt();
        const auto under = [&](const QString& title) {
            const QString titleCell = cells.filter(QRegularExpression(QStringLiteral("^R3C\\d+ s %1$").arg(title))).value(0);
            const QString column = titleCell.section(QLatin1Char(' '), 0, 0).section(QLatin1Char('C'), 1);
            return cells.filter(QRegularExpression(QStringLiteral("^R%1C%2 ").arg(row).arg(column))).value(0).section(QLatin1Char(' '), 1);
        };
        const QDate issued = orders.fieldByName(QStringLiteral("Datum")).asDateTime().date();
        QCOMPARE(under(QStringLiteral("Vystavena:")),
                 QStringLiteral("d %1.%2.%3\td.m.yyyy").arg(issued.day()).arg(issued.month()).arg(issued.year()));
        QCOMPARE(under(QStringLiteral("Dodavatel:")),
                 QStringLiteral("s ") + orders.fieldByName(QStringLiteral("Dod_firma")).asString());
        QCOMPARE(under(QStringLiteral("Vyřízena:")),
                 orders.fieldByName(QStringLiteral("Vyrizena")).asBoolean() ? QStringLiteral("s Ano") : QStringLiteral("s Ne"));
        const QStringList text = orders.fieldByName(QStringLiteral("Text")).asString().split(QStringLiteral("\r\n"));
        QCOMPARE(under(QStringLiteral("Ukázka textu objednávky:")), QStringLiteral("s ") + text.constFirst());
        QVERIFY(cells.filter(QRegularExpression(QStringLiteral("^R%1C\\d+ s %2$").arg(row + 1).arg(QRegularExpression::escape(text.value(1))))).size() == 1);
    }

    void suppliersListHasEverySupplierUnderItsCategory() {
        const QStringList cells = openpyxlCells(QStringLiteral("SeznamDodavatelu"));
        QVERIFY(cells.contains(QStringLiteral("R2C1 s SEZNAM DODAVATELŮ:")));
        for (const QString& name : kv::test::columnValues(db_->dm().tabDodavatele, QStringLiteral("Nazev")))
            QVERIFY2(cells.filter(QStringLiteral(" s ") + name).size() == 1, qPrintable(name));
        for (const QString& category : kv::test::columnValues(db_->dm().tabObory, QStringLiteral("Obor")))
            QVERIFY2(!cells.filter(QStringLiteral(" s ") + category).isEmpty(), qPrintable(category));
    }

    void libreOfficeReadsTheSameCells() {
        QString path;
        const QStringList cells = openpyxlCells(QStringLiteral("SeznamObjednavek"), &path);
        QTemporaryDir profile;
        // 44 a comma, 34 quotes, 76 UTF-8.
        run(QStringLiteral("soffice"),
            {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
             QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
             QStringLiteral("--outdir"), out_.path(), path},
            180);
        QFile csv(out_.filePath(QStringLiteral("SeznamObjednavek.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), "LibreOffice wrote no CSV");
        const QString text = QString::fromUtf8(csv.readAll());
        for (const QString& number : kv::test::columnValues(db_->dm().tabKalmorvaty, QStringLiteral("Cislo")))
            QVERIFY2(text.contains(number), qPrintable(number));
        QVERIFY(text.contains(QStringLiteral("SEZNAM OBJEDNÁVEK:")));
        // Dates come out in the Czech form the cells carry.
        kv::store::Table& orders = db_->dm().tabKalmorvaty;
        orders.first();
        const QDate issued = orders.fieldByName(QStringLiteral("Datum")).asDateTime().date();
        QVERIFY(text.contains(QStringLiteral(",%1.%2.%3,").arg(issued.day()).arg(issued.month()).arg(issued.year())));
        QVERIFY(!cells.isEmpty());
    }
};

QTEST_MAIN(TestWorkbooks)
#include "tst_workbooks.moc"
