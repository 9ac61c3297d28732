// The generation walk, seen through a generator that writes down every operation it is handed:
// which bands are output how often and in what order, over which records, with which events,
// and in what order the controls of a band are dispatched.
#include "tests/reportsupport/itemtable.h"

#include "report/model/tdbimage.h"
#include "report/model/tdbtext.h"
#include "report/model/timage.h"
#include "report/model/tlabel.h"
#include "report/model/tmemo.h"
#include "report/model/tshape.h"
#include "report/model/turboband.h"
#include "report/model/turbosysdata.h"
#include "report/model/zireziduzoz.h"
#include "report/layout/zireziduzozgenerator.h"

#include "base/clock.h"

#include <QTest>

using namespace kv::report;
using kv::report::test::ItemTable;

namespace {

// Writes "Start D", "Controls D", "Label L1=text" ... for each operation of the walk.
class TraceGenerator : public TZirezIduzozGenerator {
public:
    QStringList trace;

    void GenerateLabel(TTurboBand&, TCustomLabel& label) override {
        trace << "Label " + label.Name + "=" + label.Text();
    }
    void GenerateShape(TTurboBand&, TShape& shape) override { trace << "Shape " + shape.Name; }
    void GenerateMemo(TTurboBand&, TCustomMemo& memo) override { trace << "Memo " + memo.Name; }
    void GenerateImage(TTurboBand&, TImage& image) override { trace << "Image " + image.Name; }
    void GenerateDBImage(TTurboBand&, TDBImage& image) override { trace << "DBImage " + image.Name; }
    void StartBand(TTurboBand& band) override { trace << "Start " + band.objectName(); }
    void EndBand(TTurboBand& band) override { trace << "End " + band.objectName(); }
    void CheckBand(TTurboBand& band) override { trace << "Check " + band.objectName(); }
    void BandBackground(TTurboBand& band) override { trace << "Background " + band.objectName(); }
    void AdvanceBand(TTurboBand& band) override { trace << "Advance " + band.objectName(); }
    void NewPage() override { trace << QStringLiteral("NewPage"); }
    void BeginReport() override {
        trace << QStringLiteral("BeginReport");
        TZirezIduzozGenerator::BeginReport();
    }
    void EndReport() override {
        trace << QStringLiteral("EndReport");
        TZirezIduzozGenerator::EndReport();
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

TTurboBand* band(TZirezIduzoz& report, const char* name, TTurboBandType type, int height = 20) {
    auto* b = new TTurboBand(&report, type);
    b->setObjectName(QString::fromLatin1(name));
    b->SetHeight(height);
    return b;
}

TLabel& label(TTurboBand* band, const char* name, const QString& caption = {}) {
    auto l = std::make_unique<TLabel>();
    l->Name = QString::fromLatin1(name);
    l->Caption = caption.isNull() ? l->Name : caption;
    return band->AddControl(std::move(l));
}

TDBText& dbText(TTurboBand* band, const char* name, kv::store::DataSource& source, const char* field) {
    auto t = std::make_unique<TDBText>();
    t->Name = QString::fromLatin1(name);
    t->Link.DataSource = &source;
    t->Link.DataField = QString::fromLatin1(field);
    return band->AddControl(std::move(t));
}

// Writes "Before X" / "After X" for the band's events into `trace`.
void watch(TTurboBand* band, QStringList& trace) {
    QObject::connect(band, &TTurboBand::BeforeGenerate, band, [&trace](TTurboBand* b, bool fast) {
        trace << "Before " + b->objectName() + (fast ? "!" : "");
    });
    QObject::connect(band, &TTurboBand::AfterGenerate, band,
                     [&trace](TTurboBand* b, bool) { trace << "After " + b->objectName(); });
}

} // namespace

class TestReportWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void orderFormIsOneSummaryPass() {
        // No master data source and one summary band: an empty detail pass, then the band once.
        TZirezIduzoz report;
        TTurboBand* summary = band(report, "S", rbSummary);
        label(summary, "L");
        TraceGenerator g;
        watch(summary, g.trace);
        g.Execute(report);
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
        TZirezIduzoz report;
        report.SetDataSource(&items.source());
        TTurboBand* header = band(report, "H", rbPageHeader);
        TTurboBand* detail = band(report, "D", rbDetail);
        band(report, "S", rbSummary);
        dbText(detail, "T", items.source(), "Nazev");
        label(header, "HL");
        TraceGenerator g;
        g.Execute(report);
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
        TZirezIduzoz report;
        report.SetDataSource(&categories.source());
        TTurboBand* category = band(report, "C", rbDetail);
        TTurboBand* supplier = band(report, "P", rbSubDetail);
        TTurboBand* titles = band(report, "T", rbHeaderFooter);
        supplier->SetDataSource(&suppliers.source());
        supplier->SetHeaderBand(titles);
        dbText(category, "CT", categories.source(), "Nazev");
        dbText(supplier, "PT", suppliers.source(), "Cislo");
        label(titles, "TL");
        TraceGenerator g;
        g.Execute(report);
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
        TZirezIduzoz report;
        TTurboBand* zero = band(report, "Z", rbSummary, 0);
        TTurboBand* head = band(report, "H", rbHeaderFooter);
        TTurboBand* foot = band(report, "F", rbHeaderFooter);
        zero->SetHeaderBand(head);
        zero->SetFooterBand(foot);
        label(zero, "ZL");
        TraceGenerator g;
        watch(zero, g.trace);
        g.Execute(report);
        const QStringList walk = g.trace.mid(2, g.trace.size() - 3);
        QCOMPARE(walk, (QStringList{"Start H", "Check H", "Background H", "Advance H", "End H", "Start Z",
                                    "Before Z"}));
    }

    void detailBandWithDataSourceOutputsOnlyHeaderAndFooter() {
        ItemTable items(2);
        TZirezIduzoz report;
        TTurboBand* detail = band(report, "D", rbDetail);
        TTurboBand* head = band(report, "H", rbHeaderFooter);
        TTurboBand* foot = band(report, "F", rbHeaderFooter);
        detail->SetDataSource(&items.source());
        detail->SetHeaderBand(head);
        detail->SetFooterBand(foot);
        label(detail, "DL");
        TraceGenerator g;
        watch(detail, g.trace);
        g.Execute(report);
        QCOMPARE(g.only({"Background", "Label", "After"}),
                 (QStringList{"Background H", "Background F", "After D"}));
    }

    void summaryBandWithDataSourceOncePerRecord() {
        ItemTable items(2);
        TZirezIduzoz report;
        TTurboBand* summary = band(report, "S", rbSummary);
        summary->SetDataSource(&items.source());
        dbText(summary, "T", items.source(), "Cislo");
        items.table().close();
        TraceGenerator g;
        g.Execute(report);
        // The closed set is opened for the band.
        QCOMPARE(g.only({"Label"}), (QStringList{"Label T=1", "Label T=2"}));
    }

    void controlsInDispatchOrder() {
        // Controls without a window first, then the windowed ones (memos, data images), each group
        // in creation order; OnGenerate just before each.
        TZirezIduzoz report;
        TTurboBand* b = band(report, "B", rbSummary);
        label(b, "A");
        auto memo = std::make_unique<TMemo>();
        memo->Name = QStringLiteral("M");
        b->AddControl(std::move(memo));
        auto shape = std::make_unique<TShape>();
        shape->Name = QStringLiteral("S");
        b->AddControl(std::move(shape));
        auto dbImage = std::make_unique<TDBImage>();
        dbImage->Name = QStringLiteral("I");
        b->AddControl(std::move(dbImage));
        auto image = std::make_unique<TImage>();
        image->Name = QStringLiteral("J");
        b->AddControl(std::move(image));
        auto sys = std::make_unique<TTurboSysData>();
        sys->Name = QStringLiteral("Y");
        sys->SysData = sdCurrentPage;
        sys->Caption = QStringLiteral("Strana: ");
        b->AddControl(std::move(sys));
        TraceGenerator g;
        QObject::connect(b, &TTurboBand::OnGenerate, b,
                         [&g](TTurboBand*, TReportControl* item, bool) { g.trace << "On " + item->Name; });
        g.Execute(report);
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
        TZirezIduzoz report;
        TTurboBand* b = band(report, "B", rbSummary);
        auto sys = std::make_unique<TTurboSysData>();
        sys->Name = QStringLiteral("Y");
        sys->Caption = QStringLiteral("Dne ");
        sys->SysData = TSysData(kind);
        QObject viewerObject;
        if (viewer)
            sys->ReportViewer = &viewerObject;
        TTurboSysData& field = b->AddControl(std::move(sys));
        TraceGenerator g;
        g.Execute(report);
        QCOMPARE(g.only({"Label"}), QStringList{"Label Y=" + text});
        QCOMPARE(field.Caption, QStringLiteral("Dne "));
    }

    void anErrorEndsTheWalk() {
        TZirezIduzoz report;
        TTurboBand* first = band(report, "A", rbSummary);
        band(report, "B", rbSummary);
        QObject::connect(first, &TTurboBand::AfterGenerate, first,
                         [](TTurboBand*, bool) { throw std::runtime_error("handler failed"); });
        TraceGenerator g;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, g.Execute(report));
        QVERIFY(!g.trace.contains(QStringLiteral("Start B")));
    }
};

QTEST_MAIN(TestReportWalk)
#include "tst_reportwalk.moc"
