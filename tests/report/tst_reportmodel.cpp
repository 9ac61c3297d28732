// Report definitions: units and paper sizes, printer and margin settings with their change events,
// the layout of bands on the surface, references that clear themselves, and definition files.
#include "tests/reportsupport/itemtable.h"

#include "report/model/reportdefinition.h"
#include "report/model/reporterror.h"
#include "report/pages/reportmetrics.h"
#include "report/model/reportunits.h"
#include "report/model/datamemocontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/labelcontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/gridband.h"
#include "report/model/systemdatacontrol.h"
#include "report/model/report.h"

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
        Report report;
        // Start from another size so that setting the wanted one is a change.
        report.printer().setPaperSize(size == A3 ? A4 : A3);
        report.printer().setPaperSize(PaperFormat(size));
        QCOMPARE(report.printer().width(), width);
        QCOMPARE(report.printer().height(), height);
        report.printer().setOrientation(poLandscape);
        QCOMPARE(report.printer().width(), height);
        QCOMPARE(report.printer().height(), width);
        QCOMPARE(report.width(), surfaceSize(height, width).width());
        report.printer().setOrientation(poPortrait);
        QCOMPARE(report.printer().width(), width);
        QCOMPARE(report.height(), surfaceSize(width, height).height());
    }

    void settingsFireOnlyOnChange() {
        Report report;
        QSignalSpy printerSpy(&report.printer(), &PrinterSettings::onSizeChange);
        QSignalSpy reportSpy(&report, &Report::onSizeChange);
        report.printer().setPaperSize(A4);
        report.printer().setOrientation(poPortrait);
        QCOMPARE(printerSpy.count(), 0);
        QCOMPARE(report.width(), 793);
        report.printer().setOrientation(poLandscape);
        QCOMPARE(printerSpy.count(), 1);
        QCOMPARE(reportSpy.count(), 1);
        QCOMPARE(report.width(), 1121);
        QCOMPARE(report.height(), 793);

        QSignalSpy marginSpy(&report.margins(), &PageMargins::onSizeChange);
        report.margins().setLeft(0);
        report.margins().setColumn(0);
        report.margins().setColumn(-2);
        QCOMPARE(marginSpy.count(), 0);
        QCOMPARE(report.margins().column(), 1);
        report.margins().setTop(5);
        QCOMPARE(marginSpy.count(), 1);
        QCOMPARE(reportSpy.count(), 2);
    }

    void columnWidthOfTheFastPrinterIsCappedAt512Characters() {
        Report report;
        report.printer().setColWidth(600);
        QCOMPARE(report.printer().colWidth(), 512);
    }

    void bandsAreLaidOutOnTheSurface() {
        // Three columns 5 mm apart between 10 mm margins on A4 portrait: a body band is one column
        // wide, (793 - Trunc(30 x 3.7795)) div 3; page bands span the margins, 793 - 37 - 37.
        Report report(ReportMetrics(96));
        report.margins().setLeft(10);
        report.margins().setRight(10);
        report.margins().setTop(10);
        report.margins().setColumn(3);
        report.margins().setColumnSpace(5);
        auto* header = new Band(&report, rbPageHeader);
        auto* detail = new Band(&report, rbDetail);
        auto* footer = new Band(&report, rbPageFooter);
        header->setHeight(30);
        QCOMPARE(detail->width(), 226);
        QCOMPARE(header->width(), 719);
        QCOMPARE(footer->width(), 719);
        QCOMPARE(header->left(), 37);
        QCOMPARE(header->top(), 37);
        QCOMPARE(detail->top(), 67);
        QCOMPARE(footer->top(), 107);
        detail->setBandType(rbPageHeader);
        QCOMPARE(detail->width(), 719);
        delete header;
        QCOMPARE(detail->top(), 37);
        QCOMPARE(report.bands().size(), std::size_t(2));

        Band loose;
        loose.setHeight(10);
        QCOMPARE(loose.width(), 150);

        // At 120 dots per inch the margins are 47 pixels: new metrics lay the bands out again.
        report.setMetrics(ReportMetrics(120));
        QCOMPARE(detail->left(), 47);
        QCOMPARE(detail->width(), 793 - 47 - 47);
    }

    void referencesClearWhenTheirTargetGoes() {
        Report report;
        auto* band = new Band(&report, rbSubDetail);
        auto* header = new Band(&report, rbHeaderFooter);
        auto* gridBand = new GridBand(&report);
        auto source = std::make_unique<kv::store::DataSource>();
        auto grid = std::make_unique<StringGrid>();
        report.setDataSource(source.get());
        band->setDataSource(source.get());
        band->setHeaderBand(header);
        band->setFooterBand(header);
        gridBand->setGrid(grid.get());
        source.reset();
        grid.reset();
        delete header;
        QCOMPARE(report.dataSource(), nullptr);
        QCOMPARE(band->dataSource(), nullptr);
        QCOMPARE(band->headerBand(), nullptr);
        QCOMPARE(band->footerBand(), nullptr);
        QCOMPARE(gridBand->grid(), nullptr);
    }

    void definitionFileReadsLikeTheLayoutTables() {
        kv::report::test::ItemTable items(0);
        const auto report = loadReportDefinition(QStringLiteral(KV_REPORT_TEST_DATA "/example.rep"),
                                                 {{QStringLiteral("DSPolozky"), &items.source()}});
        report->setMetrics(ReportMetrics(96));
        QCOMPARE(report->objectName(), QStringLiteral("SeznamPolozek"));
        QCOMPARE(report->printer().title(), QStringLiteral("Seznam položek"));
        QCOMPARE(report->width(), 1121);
        QCOMPARE(report->margins().bottom(), 0);
        QCOMPARE(report->dataSource(), &items.source());
        QCOMPARE(report->bands().size(), std::size_t(6));

        Band* title = report->findBand(QStringLiteral("Nadpis"));
        QCOMPARE(title->bandType(), rbPageHeader);
        QCOMPARE(title->width(), 1047);
        QCOMPARE(title->brush().color(), QColor(223, 223, 223));
        QVERIFY(title->frame().left() && title->frame().top() && title->frame().bottom() &&
                title->frame().right());
        auto* caption = dynamic_cast<LabelControl*>(title->findControl(QStringLiteral("Label1")));
        QVERIFY(caption);
        QCOMPARE(caption->caption, QStringLiteral("SEZNAM POLOŽEK:"));
        QCOMPARE(caption->boundsRect(), QRect(1, 0, 1040, 35));
        QCOMPARE(caption->font.pixelSize(), 20);
        QCOMPARE(caption->alignment, taCenter);
        QCOMPARE(caption->layout, tlCenter);
        QVERIFY(caption->transparent && !caption->autoSize);
        auto* when = dynamic_cast<SystemDataControl*>(title->findControl(QStringLiteral("SysData1")));
        QCOMPARE(when->systemData, sdDateTime);
        QCOMPARE(when->font.pixelSize(), 11); // the report's font

        Band* detail = report->findBand(QStringLiteral("Detail"));
        QCOMPARE(detail->width(), 1046);
        auto* name = dynamic_cast<DataTextControl*>(detail->findControl(QStringLiteral("Text1")));
        QCOMPARE(name->link.dataSource.data(), &items.source());
        QCOMPARE(name->link.dataField, QStringLiteral("Nazev"));
        QVERIFY(name->font.bold());
        auto* shape = dynamic_cast<ShapeControl*>(detail->findControl(QStringLiteral("Shape1")));
        QCOMPARE(shape->shape, stCircle);
        QCOMPARE(shape->pen.width(), 2);
        QCOMPARE(shape->brush.color(), QColor(235, 235, 235));
        auto* memo = dynamic_cast<DataMemoControl*>(detail->findControl(QStringLiteral("Memo1")));
        QVERIFY(!memo->wordWrap);
        // A header band named before its definition is joined once the file is read.
        QCOMPARE(report->findBand(QStringLiteral("Souhrn"))->headerBand(),
                 report->findBand(QStringLiteral("Cara")));
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

    // Each option belongs to the kinds that have what it sets; on any other kind it is refused
    // like an unknown word, and a word given a value or a key given none is refused as well.
    void controlOptionsBelongToTheirKinds_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("accepted");
        const QString label = QStringLiteral("label \"a\"");
        const QString memo = QStringLiteral("memo \"a\"");
        const QString datatext = QStringLiteral("datatext DSPolozky.Nazev");
        const QString datamemo = QStringLiteral("datamemo DSPolozky.Poznamka");
        const QString dataimage = QStringLiteral("dataimage DSPolozky.Nazev");
        const QString shape = QStringLiteral("shape");
        const QString sysdata = QStringLiteral("sysdata \"\"");
        const struct {
            const char* row;
            QString control;
            const char* option;
            bool accepted;
        } rows[] = {
            {"label aligned", label, "right", true},
            {"memo aligned by enum name", memo, "taCenter", true},
            {"label laid out", label, "bottom", true},
            {"memo has no layout", memo, "bottom", false},
            {"label wraps", label, "wordwrap", true},
            {"label has no nowordwrap", label, "nowordwrap", false},
            {"data memo unwraps", datamemo, "nowordwrap", true},
            {"data text transparent", datatext, "transparent", true},
            {"data text shrinks to its box", datatext, "shrink", true},
            {"memo does not shrink", memo, "shrink", false},
            {"memo is never transparent", memo, "transparent", false},
            {"data text coloured", datatext, "fontcolor=grey40", true},
            {"shape has no text colour", shape, "color=red", false},
            {"shape drawn with a pen", shape, "pen=2", true},
            {"label has no pen", label, "pen=2", false},
            {"shape's kind", shape, "stRoundRect", true},
            {"label has no shape kind", label, "stCircle", false},
            {"system data's kind", sysdata, "sdCurrentPage", true},
            {"label has no system data", label, "sdDate", false},
            {"data image stretched", dataimage, "stretch", true},
            {"label is not stretched", label, "stretch", false},
            {"word given a value", label, "right=1", false},
            {"key given no value", label, "color", false},
        };
        for (const auto& r : rows)
            QTest::newRow(r.row) << r.control << QString::fromLatin1(r.option) << r.accepted;
    }
    void controlOptionsBelongToTheirKinds() {
        QFETCH(QString, control);
        QFETCH(QString, option);
        QFETCH(bool, accepted);
        kv::report::test::ItemTable items(0);
        const qsizetype kindEnd = control.indexOf(QLatin1Char(' '));
        const QString text = QStringLiteral("report R\nband B rbDetail 20\nC %1 0, 0, 10 x 10 %2 %3\n")
                                 .arg(control.left(kindEnd), kindEnd < 0 ? QString() : control.mid(kindEnd + 1), option);
        try {
            parseReportDefinition(text, {{QStringLiteral("DSPolozky"), &items.source()}});
            QVERIFY2(accepted, "accepted an option of another kind");
        } catch (const ReportError& e) {
            QVERIFY2(!accepted, qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("neznámá volba")), qPrintable(e.message()));
        }
    }

    void definitionTextsKeepEscapesAndComments() {
        const auto report = parseReportDefinition(
            QStringLiteral("report R # the report\nband B rbSummary 100\n"
                           "L label 0, 0, 7 x 124 \":\\n:\\\"\" 12px bold wordwrap fixed # eight colons\n"),
            {});
        auto* label = dynamic_cast<LabelControl*>(report->bands().front()->findControl(QStringLiteral("L")));
        QCOMPARE(label->caption, QStringLiteral(":\n:\""));
        QVERIFY(label->wordWrap && label->font.bold());
    }
};

QTEST_MAIN(TestReportModel)
#include "tst_reportmodel.moc"
