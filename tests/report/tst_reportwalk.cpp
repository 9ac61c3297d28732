// The generation walk, seen through a generator that writes down every operation it is handed:
// which bands are output how often and in what order, over which records, with which events,
// and in what order the controls of a band are dispatched.
#include "tests/reportsupport/itemtable.h"

#include "report/model/dataimagecontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/labelcontrol.h"
#include "report/model/memocontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/band.h"
#include "report/model/systemdatacontrol.h"
#include "report/model/report.h"
#include "report/layout/reportgenerator.h"

#include "base/clock.h"

#include <QTest>

using namespace kv::report;
using kv::report::test::ItemTable;

namespace {

// Writes "Start D", "Controls D", "Label L1=text" ... for each operation of the walk.
class TraceGenerator : public ReportGenerator {
public:
    QStringList trace;

    void generateLabel(Band&, LabelBase& label) override {
        trace << "Label " + label.name + "=" + label.text();
    }
    void generateShape(Band&, ShapeControl& shape) override { trace << "Shape " + shape.name; }
    void generateMemo(Band&, MemoBase& memo) override { trace << "Memo " + memo.name; }
    void generateImage(Band&, ImageControl& image) override { trace << "Image " + image.name; }
    void generateDataImage(Band&, DataImageControl& image) override { trace << "DBImage " + image.name; }
    void startBand(Band& band) override { trace << "Start " + band.objectName(); }
    void endBand(Band& band) override { trace << "End " + band.objectName(); }
    void checkBand(Band& band) override { trace << "Check " + band.objectName(); }
    void bandBackground(Band& band) override { trace << "Background " + band.objectName(); }
    void advanceBand(Band& band) override { trace << "Advance " + band.objectName(); }
    void newPage() override { trace << QStringLiteral("NewPage"); }
    void beginReport() override {
        trace << QStringLiteral("BeginReport");
        ReportGenerator::beginReport();
    }
    void endReport() override {
        trace << QStringLiteral("EndReport");
        ReportGenerator::endReport();
    }

    // Only the lines that start with one of `prefixes`.
    QStringList only(const QStringList& prefixes) const {
        QStringList out;
        for (const QString& line : trace) {
            for (const QString& p : prefixes) {
                if (line.startsWith(p)) {
                    out << line;
                    break;
                }
            }
        }
        return out;
    }
};

Band* band(Report& report, const char* name, BandType type, int height = 20) {
    auto* b = new Band(&report, type);
    b->setObjectName(QString::fromLatin1(name));
    b->setHeight(height);
    return b;
}

LabelControl& label(Band* band, const char* name, const QString& caption = {}) {
    auto l = std::make_unique<LabelControl>();
    l->name = QString::fromLatin1(name);
    l->caption = caption.isNull() ? l->name : caption;
    return band->addControl(std::move(l));
}

DataTextControl& dbText(Band* band, const char* name, kv::store::DataSource& source, const char* field) {
    auto t = std::make_unique<DataTextControl>();
    t->name = QString::fromLatin1(name);
    t->link.dataSource = &source;
    t->link.dataField = QString::fromLatin1(field);
    return band->addControl(std::move(t));
}

// Writes "Before X" / "After X" for the band's events into `trace`.
void watch(Band* band, QStringList& trace) {
    QObject::connect(band, &Band::beforeGenerate, band, [&trace](Band* b, bool fast) {
        trace << "Before " + b->objectName() + (fast ? "!" : "");
    });
    QObject::connect(band, &Band::afterGenerate, band,
                     [&trace](Band* b, bool) { trace << "After " + b->objectName(); });
}

} // namespace

class TestReportWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void orderFormIsOneSummaryPass() {
        // No master data source and one summary band: an empty detail pass, then the band once.
        Report report;
        Band* summary = band(report, "S", rbSummary);
        label(summary, "L");
        TraceGenerator g;
        watch(summary, g.trace);
        g.execute(report);
        QCOMPARE(g.trace,
                 (QStringList{"BeginReport", "NewPage", "Start S", "Before S", "Check S", "Background S",
                              "Label L=L", "Advance S", "After S", "End S", "EndReport"}));
    }

    void detailBandOncePerRecord_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("three records") << 3;
        QTest::newRow("no record") << 0;
    }
    void detailBandOncePerRecord() {
        QFETCH(int, records);
        ItemTable items(records);
        Report report;
        report.setDataSource(&items.source());
        Band* header = band(report, "H", rbPageHeader);
        Band* detail = band(report, "D", rbDetail);
        band(report, "S", rbSummary);
        dbText(detail, "T", items.source(), "Nazev");
        label(header, "HL");
        TraceGenerator g;
        g.execute(report);
        QStringList expected;
        for (int i = 1; i <= records; ++i)
            expected << QStringLiteral("Label T=Položka %1").arg(i);
        QCOMPARE(g.only({"Label T"}), expected);
        // The summary comes once after all details; page headers are the base's BeginReport.
        QCOMPARE(g.only({"Background"}).count(QStringLiteral("Background S")), 1);
        QCOMPARE(g.only({"Background"}).first(), QStringLiteral("Background H"));
        // The master set is left on its first record.
        if (records > 0)
            QCOMPARE(items.table().fieldByName(QStringLiteral("Cislo")).asInteger(), 1);
    }

    void headerBandOncePerMasterRecord() {
        // Categories with a sub-detail band of suppliers that has column titles as its header band:
        // per category its band, the titles once, then every supplier.
        ItemTable categories(2, QStringLiteral("Obory"));
        ItemTable suppliers(3, QStringLiteral("Dodavatele"));
        Report report;
        report.setDataSource(&categories.source());
        Band* category = band(report, "C", rbDetail);
        Band* supplier = band(report, "P", rbSubDetail);
        Band* titles = band(report, "T", rbHeaderFooter);
        supplier->setDataSource(&suppliers.source());
        supplier->setHeaderBand(titles);
        dbText(category, "CT", categories.source(), "Nazev");
        dbText(supplier, "PT", suppliers.source(), "Cislo");
        label(titles, "TL");
        TraceGenerator g;
        g.execute(report);
        QCOMPARE(g.only({"Label"}), (QStringList{"Label CT=Položka 1", "Label TL=TL", "Label PT=1",
                                                 "Label PT=2", "Label PT=3", "Label CT=Položka 2",
                                                 "Label TL=TL", "Label PT=1", "Label PT=2", "Label PT=3"}));
        // Each supplier record is started, drawn, advanced and ended on its own.
        const QStringList perRecord = g.only({"Start P", "Background P", "Advance P", "End P"});
        QCOMPARE(perRecord.mid(0, 6),
                 (QStringList{"Start P", "Start P", "Background P", "Advance P", "End P", "Start P"}));
        // The sub-detail set is left at its end, the master set on its first record.
        QVERIFY(suppliers.table().eof());
        QCOMPARE(categories.table().fieldByName(QStringLiteral("Cislo")).asInteger(), 1);
    }

    void bandOfHeightZero() {
        // Its header band is output and BeforeGenerate fires; then nothing: no footer band, no
        // AfterGenerate, no EndBand.
        Report report;
        Band* zero = band(report, "Z", rbSummary, 0);
        Band* head = band(report, "H", rbHeaderFooter);
        Band* foot = band(report, "F", rbHeaderFooter);
        zero->setHeaderBand(head);
        zero->setFooterBand(foot);
        label(zero, "ZL");
        TraceGenerator g;
        watch(zero, g.trace);
        g.execute(report);
        const QStringList walk = g.trace.mid(2, g.trace.size() - 3);
        QCOMPARE(walk, (QStringList{"Start H", "Check H", "Background H", "Advance H", "End H", "Start Z",
                                    "Before Z"}));
    }

    void detailBandWithDataSourceOutputsOnlyHeaderAndFooter() {
        ItemTable items(2);
        Report report;
        Band* detail = band(report, "D", rbDetail);
        Band* head = band(report, "H", rbHeaderFooter);
        Band* foot = band(report, "F", rbHeaderFooter);
        detail->setDataSource(&items.source());
        detail->setHeaderBand(head);
        detail->setFooterBand(foot);
        label(detail, "DL");
        TraceGenerator g;
        watch(detail, g.trace);
        g.execute(report);
        QCOMPARE(g.only({"Background", "Label", "After"}),
                 (QStringList{"Background H", "Background F", "After D"}));
    }

    void summaryBandWithDataSourceOncePerRecord() {
        ItemTable items(2);
        Report report;
        Band* summary = band(report, "S", rbSummary);
        summary->setDataSource(&items.source());
        dbText(summary, "T", items.source(), "Cislo");
        items.table().close();
        TraceGenerator g;
        g.execute(report);
        // The closed set is opened for the band.
        QCOMPARE(g.only({"Label"}), (QStringList{"Label T=1", "Label T=2"}));
    }

    void controlsInDispatchOrder() {
        // Controls without a window first, then the windowed ones (memos, data images), each group
        // in creation order; OnGenerate just before each.
        Report report;
        Band* b = band(report, "B", rbSummary);
        label(b, "A");
        auto memo = std::make_unique<MemoControl>();
        memo->name = QStringLiteral("M");
        b->addControl(std::move(memo));
        auto shape = std::make_unique<ShapeControl>();
        shape->name = QStringLiteral("S");
        b->addControl(std::move(shape));
        auto dbImage = std::make_unique<DataImageControl>();
        dbImage->name = QStringLiteral("I");
        b->addControl(std::move(dbImage));
        auto image = std::make_unique<ImageControl>();
        image->name = QStringLiteral("J");
        b->addControl(std::move(image));
        auto sys = std::make_unique<SystemDataControl>();
        sys->name = QStringLiteral("Y");
        sys->systemData = sdCurrentPage;
        sys->caption = QStringLiteral("Strana: ");
        b->addControl(std::move(sys));
        TraceGenerator g;
        QObject::connect(b, &Band::onGenerate, b,
                         [&g](Band*, ReportControl* item, bool) { g.trace << "On " + item->name; });
        g.execute(report);
        QCOMPARE(g.only({"On", "Label", "Shape", "Memo", "Image", "DBImage"}),
                 (QStringList{"On A", "Label A=A", "On S", "Shape S", "On J", "Image J", "On Y",
                              "Label Y=Strana: ", "On M", "Memo M", "On I", "DBImage I"}));
    }

    void systemDataIsRenderedOnACopy_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << int(sdDate) << false << "Dne 9.12.2026";
        QTest::newRow("date and time") << int(sdDateTime) << false << "Dne 9.12.2026 , 8:05:03";
        QTest::newRow("time") << int(sdTime) << false << "Dne 8:05:03";
        // Outputs without pages show the caption alone.
        QTest::newRow("page") << int(sdCurrentPage) << false << "Dne ";
        QTest::newRow("page with viewer") << int(sdCurrentPage) << true << "Dne #AS#";
    }
    void systemDataIsRenderedOnACopy() {
        QFETCH(int, kind);
        QFETCH(bool, viewer);
        QFETCH(QString, text);
        const kv::clock::FixedClock fixedClock(QDateTime(QDate(2026, 12, 9), QTime(8, 5, 3)));
        Report report;
        Band* b = band(report, "B", rbSummary);
        auto sys = std::make_unique<SystemDataControl>();
        sys->name = QStringLiteral("Y");
        sys->caption = QStringLiteral("Dne ");
        sys->systemData = SystemData(kind);
        QObject viewerObject;
        if (viewer)
            sys->reportViewer = &viewerObject;
        SystemDataControl& field = b->addControl(std::move(sys));
        TraceGenerator g;
        g.execute(report);
        QCOMPARE(g.only({"Label"}), QStringList{"Label Y=" + text});
        QCOMPARE(field.caption, QStringLiteral("Dne "));
    }

    void anErrorEndsTheWalk() {
        Report report;
        Band* first = band(report, "A", rbSummary);
        band(report, "B", rbSummary);
        QObject::connect(first, &Band::afterGenerate, first,
                         [](Band*, bool) { throw std::runtime_error("handler failed"); });
        TraceGenerator g;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, g.execute(report));
        QVERIFY(!g.trace.contains(QStringLiteral("Start B")));
    }
};

QTEST_MAIN(TestReportWalk)
#include "tst_reportwalk.moc"
