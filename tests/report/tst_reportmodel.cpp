// Report definitions: units and paper sizes, printer and margin settings with their change events,
// the layout of bands on the surface, references that clear themselves, and definition files.
#include "tests/reportsupport/itemtable.h"

#include "report/model/reportdefinition.h"
#include "report/model/reporterror.h"
#include "report/pages/reportmetrics.h"
#include "report/model/reportunits.h"
#include "report/model/tdbmemo.h"
#include "report/model/tdbtext.h"
#include "report/model/tlabel.h"
#include "report/model/tshape.h"
#include "report/model/turbogridband.h"
#include "report/model/turbosysdata.h"
#include "report/model/zireziduzoz.h"

#include <QSignalSpy>
#include <QTest>

using namespace kv::report;

class TestReportModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conversionFactorsTruncate() {
        // 96 / 25.4 in single precision; millimetres become pixels by truncation, never rounding.
        const ReportMetrics metrics(96);
        QCOMPARE(metrics.pixelsPerMillimetre(), float(96 / 25.4));
        QCOMPARE(metrics.mmToPixels(10), 37); // 37.795...
        QCOMPARE(metrics.mmToPixels(20), 75); // 75.59..., not 2 x 37
        QCOMPARE(metrics.mmToPixels(30), 113);
        QCOMPARE(metrics.gridStep(), float(96 / 12.7));
        // 120 / 25.4 = 4.724...: the factor follows the report's resolution, the surface does not.
        QCOMPARE(ReportMetrics(120).mmToPixels(10), 47);
        QCOMPARE(surfaceSize(210, 297), QSize(793, 1121));
        QCOMPARE(surfaceSize(297, 210), QSize(1121, 793));
    }

    void paperTable_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("A3") << int(A3) << 297 << 420;
        QTest::newRow("A4") << int(A4) << 210 << 297;
        QTest::newRow("A5") << int(A5) << 148 << 210;
        QTest::newRow("B4") << int(B4) << 250 << 354;
        QTest::newRow("B5 is 184 wide, not 182") << int(B5) << 184 << 257;
    }
    void paperTable() {
        QFETCH(int, size);
        QFETCH(int, width);
        QFETCH(int, height);
        TZirezIduzoz report;
        // Start from another size so that setting the wanted one is a change.
        report.Printer().SetPaperSize(size == A3 ? A4 : A3);
        report.Printer().SetPaperSize(TTurboPageSize(size));
        QCOMPARE(report.Printer().Width(), width);
        QCOMPARE(report.Printer().Height(), height);
        report.Printer().SetOrientation(poLandscape);
        QCOMPARE(report.Printer().Width(), height);
        QCOMPARE(report.Printer().Height(), width);
        QCOMPARE(report.Width(), surfaceSize(height, width).width());
        report.Printer().SetOrientation(poPortrait);
        QCOMPARE(report.Printer().Width(), width);
        QCOMPARE(report.Height(), surfaceSize(width, height).height());
    }

    void settingsFireOnlyOnChange() {
        TZirezIduzoz report;
        QSignalSpy printerSpy(&report.Printer(), &TTurboPrinter::OnSizeChange);
        QSignalSpy reportSpy(&report, &TZirezIduzoz::OnSizeChange);
        report.Printer().SetPaperSize(A4);
        report.Printer().SetOrientation(poPortrait);
        QCOMPARE(printerSpy.count(), 0);
        QCOMPARE(report.Width(), 793);
        report.Printer().SetOrientation(poLandscape);
        QCOMPARE(printerSpy.count(), 1);
        QCOMPARE(reportSpy.count(), 1);
        QCOMPARE(report.Width(), 1121);
        QCOMPARE(report.Height(), 793);

        QSignalSpy marginSpy(&report.Margins(), &TTurboMargins::OnSizeChange);
        report.Margins().SetLeft(0);
        report.Margins().SetColumn(0);
        report.Margins().SetColumn(-2);
        QCOMPARE(marginSpy.count(), 0);
        QCOMPARE(report.Margins().Column(), 1);
        report.Margins().SetTop(5);
        QCOMPARE(marginSpy.count(), 1);
        QCOMPARE(reportSpy.count(), 2);
    }

    void columnWidthOfTheFastPrinterIsCappedAt512Characters() {
        TZirezIduzoz report;
        report.Printer().SetColWidth(600);
        QCOMPARE(report.Printer().ColWidth(), 512);
    }

    void bandsAreLaidOutOnTheSurface() {
        // Three columns 5 mm apart between 10 mm margins on A4 portrait: a body band is one column
        // wide, (793 - Trunc(30 x 3.7795)) div 3; page bands span the margins, 793 - 37 - 37.
        TZirezIduzoz report(ReportMetrics(96));
        report.Margins().SetLeft(10);
        report.Margins().SetRight(10);
        report.Margins().SetTop(10);
        report.Margins().SetColumn(3);
        report.Margins().SetColumnSpace(5);
        auto* header = new TTurboBand(&report, rbPageHeader);
        auto* detail = new TTurboBand(&report, rbDetail);
        auto* footer = new TTurboBand(&report, rbPageFooter);
        header->SetHeight(30);
        QCOMPARE(detail->Width(), 226);
        QCOMPARE(header->Width(), 719);
        QCOMPARE(footer->Width(), 719);
        QCOMPARE(header->Left(), 37);
        QCOMPARE(header->Top(), 37);
        QCOMPARE(detail->Top(), 67);
        QCOMPARE(footer->Top(), 107);
        detail->SetBandType(rbPageHeader);
        QCOMPARE(detail->Width(), 719);
        delete header;
        QCOMPARE(detail->Top(), 37);
        QCOMPARE(report.Bands().size(), std::size_t(2));

        TTurboBand loose;
        loose.SetHeight(10);
        QCOMPARE(loose.Width(), 150);

        // At 120 dots per inch the margins are 47 pixels: new metrics lay the bands out again.
        report.SetMetrics(ReportMetrics(120));
        QCOMPARE(detail->Left(), 47);
        QCOMPARE(detail->Width(), 793 - 47 - 47);
    }

    void referencesClearWhenTheirTargetGoes() {
        TZirezIduzoz report;
        auto* band = new TTurboBand(&report, rbSubDetail);
        auto* header = new TTurboBand(&report, rbHeaderFooter);
        auto* gridBand = new TTurboGridBand(&report);
        auto source = std::make_unique<kv::store::DataSource>();
        auto grid = std::make_unique<TReportStringGrid>();
        report.SetDataSource(source.get());
        band->SetDataSource(source.get());
        band->SetHeaderBand(header);
        band->SetFooterBand(header);
        gridBand->SetGrid(grid.get());
        source.reset();
        grid.reset();
        delete header;
        QCOMPARE(report.DataSource(), nullptr);
        QCOMPARE(band->DataSource(), nullptr);
        QCOMPARE(band->HeaderBand(), nullptr);
        QCOMPARE(band->FooterBand(), nullptr);
        QCOMPARE(gridBand->Grid(), nullptr);
    }

    void definitionFileReadsLikeTheLayoutTables() {
        kv::report::test::ItemTable items(0);
        const auto report = loadReportDefinition(QStringLiteral(KV_REPORT_TEST_DATA "/example.rep"),
                                                 {{QStringLiteral("DSPolozky"), &items.source()}});
        report->SetMetrics(ReportMetrics(96));
        QCOMPARE(report->objectName(), QStringLiteral("SeznamPolozek"));
        QCOMPARE(report->Printer().Title(), QStringLiteral("Seznam položek"));
        QCOMPARE(report->Width(), 1121);
        QCOMPARE(report->Margins().Bottom(), 0);
        QCOMPARE(report->DataSource(), &items.source());
        QCOMPARE(report->Bands().size(), std::size_t(6));

        TTurboBand* title = report->FindBand(QStringLiteral("Nadpis"));
        QCOMPARE(title->BandType(), rbPageHeader);
        QCOMPARE(title->Width(), 1047);
        QCOMPARE(title->Brush().color(), QColor(223, 223, 223));
        QVERIFY(title->Frame().Left() && title->Frame().Top() && title->Frame().Bottom() &&
                title->Frame().Right());
        auto* caption = dynamic_cast<TLabel*>(title->FindControl(QStringLiteral("Label1")));
        QVERIFY(caption);
        QCOMPARE(caption->Caption, QStringLiteral("SEZNAM POLOŽEK:"));
        QCOMPARE(caption->BoundsRect(), QRect(1, 0, 1040, 35));
        QCOMPARE(caption->Font.pixelSize(), 20);
        QCOMPARE(caption->Alignment, taCenter);
        QCOMPARE(caption->Layout, tlCenter);
        QVERIFY(caption->Transparent && !caption->AutoSize);
        auto* when = dynamic_cast<TTurboSysData*>(title->FindControl(QStringLiteral("SysData1")));
        QCOMPARE(when->SysData, sdDateTime);
        QCOMPARE(when->Font.pixelSize(), 11); // the report's font

        TTurboBand* detail = report->FindBand(QStringLiteral("Detail"));
        QCOMPARE(detail->Width(), 1046);
        auto* name = dynamic_cast<TDBText*>(detail->FindControl(QStringLiteral("Text1")));
        QCOMPARE(name->Link.DataSource.data(), &items.source());
        QCOMPARE(name->Link.DataField, QStringLiteral("Nazev"));
        QVERIFY(name->Font.bold());
        auto* shape = dynamic_cast<TShape*>(detail->FindControl(QStringLiteral("Shape1")));
        QCOMPARE(shape->Shape, stCircle);
        QCOMPARE(shape->Pen.width(), 2);
        QCOMPARE(shape->Brush.color(), QColor(235, 235, 235));
        auto* memo = dynamic_cast<TDBMemo*>(detail->FindControl(QStringLiteral("Memo1")));
        QVERIFY(!memo->WordWrap);
        // A header band named before its definition is joined once the file is read.
        QCOMPARE(report->FindBand(QStringLiteral("Souhrn"))->HeaderBand(),
                 report->FindBand(QStringLiteral("Cara")));
    }

    void definitionErrorsNameTheLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("report R\nband B rbDetail 20\n");
        QTest::newRow("no report line")
            << QStringLiteral("band B rbDetail 20\n") << QStringLiteral("řádek 1");
        QTest::newRow("unknown band type") << QStringLiteral("report R\nband B rbBody 20\n")
                                           << QStringLiteral("řádek 2: neznámá hodnota BandType \"rbBody\"");
        QTest::newRow("unknown data source") << head + QStringLiteral("T datatext 0, 0, 10 x 10 DSNic.Pole\n")
                                             << QStringLiteral("neznámý zdroj dat \"DSNic\"");
        QTest::newRow("bad geometry")
            << head + QStringLiteral("L label 0, 0, 10 10 \"a\"\n") << QStringLiteral("řádek 3");
        QTest::newRow("unknown option") << head + QStringLiteral("L label 0, 0, 10 x 10 \"a\" blinking\n")
                                        << QStringLiteral("neznámá volba \"blinking\"");
        QTest::newRow("unclosed text")
            << head + QStringLiteral("L label 0, 0, 10 x 10 \"a\n") << QStringLiteral("neukončený text");
        QTest::newRow("unknown header band")
            << head + QStringLiteral("HeaderBand Nic\n") << QStringLiteral("řádek 3: neznámý pruh \"Nic\"");
        QTest::newRow("two controls of one name")
            << head + QStringLiteral("L label 0, 0, 10 x 10 \"a\"\nL label 0, 0, 10 x 10 \"b\"\n")
            << QStringLiteral("řádek 4: prvek \"L\" už na pruhu je");
    }
    void definitionErrorsNameTheLine() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            parseReportDefinition(text, {});
            QFAIL("no error");
        } catch (const ReportError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    void definitionTextsKeepEscapesAndComments() {
        const auto report = parseReportDefinition(
            QStringLiteral("report R # the report\nband B rbSummary 100\n"
                           "L label 0, 0, 7 x 124 \":\\n:\\\"\" 12px bold wordwrap fixed # eight colons\n"),
            {});
        auto* label = dynamic_cast<TLabel*>(report->Bands().front()->FindControl(QStringLiteral("L")));
        QCOMPARE(label->Caption, QStringLiteral(":\n:\""));
        QVERIFY(label->WordWrap && label->Font.bold());
    }
};

QTEST_MAIN(TestReportModel)
#include "tst_reportmodel.moc"
