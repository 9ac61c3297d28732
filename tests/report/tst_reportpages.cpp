// Paged output read from the recorded pages: where bands land, when they break to the next column
// or page, and what each control draws (labels, data texts, system data, memos, shapes, images,
// grids). Text is measured with fixed metrics: 6 pixels a character, 10 a line.
#include "tests/reportsupport/fixedmeasurer.h"
#include "tests/reportsupport/itemtable.h"
#include "tests/reportsupport/pagetexts.h"
#include "tests/reportsupport/reportbuild.h"

#include "report/pages/pagepainter.h"
#include "report/pages/pagetext.h"
#include "report/model/reportdefinition.h"
#include "report/model/dataimagecontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/labelcontrol.h"
#include "report/model/memocontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/gridband.h"
#include "report/model/systemdatacontrol.h"
#include "report/layout/pagerecorder.h"
#include "report/model/report.h"

#include "base/clock.h"
#include "data/store/graphicblob.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>

using namespace kv::report;
using kv::report::test::add;
using kv::report::test::band;
using kv::report::test::fixedMetrics;
using kv::report::test::ItemTable;
using kv::report::test::opLines;

namespace {

LabelControl& label(Band* band, const char* name, QRect bounds, const QString& caption) {
    LabelControl& l = add<LabelControl>(band, name, bounds);
    l.caption = caption;
    return l;
}

DataTextControl& dbText(Band* band, const char* name, QRect bounds, kv::store::DataSource& source,
                const char* field) {
    DataTextControl& t = add<DataTextControl>(band, name, bounds);
    t.link.dataSource = &source;
    t.link.dataField = QString::fromLatin1(field);
    return t;
}

QStringList texts(const ReportPage& page) {
    return kv::report::test::placedTexts(page);
}

int countStarting(const QStringList& lines, const QString& prefix) {
    return int(
        std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(prefix); }));
}

// The orders list layout: A4 landscape, margins 10/10/10/0 mm, a 40 and a 58 pixel page header, a
// 25 pixel page footer with the page number, and one 60 pixel band per record.
std::unique_ptr<Report> ordersList(kv::store::DataSource& source) {
    auto report = std::make_unique<Report>(fixedMetrics());
    report->printer().setOrientation(poLandscape);
    report->margins().setLeft(10);
    report->margins().setRight(10);
    report->margins().setTop(10);
    report->setDataSource(&source);
    Band* title = band(*report, "Nadpis", rbPageHeader, 40);
    label(title, "L", {1, 0, 1040, 35}, QStringLiteral("SEZNAM"));
    Band* footer = band(*report, "Zapati", rbPageFooter, 25);
    auto& page = add<SystemDataControl>(footer, "P", {4, 3, 110, 17});
    page.caption = QStringLiteral("Strana: ");
    page.systemData = sdCurrentPage;
    band(*report, "NadpisDetailu", rbPageHeader, 58);
    Band* detail = band(*report, "Detaily", rbDetail, 60);
    dbText(detail, "T", {1, 0, 115, 12}, source, "Nazev");
    return report;
}

} // namespace

class TestReportPages : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void listOfTwentyFiveOrdersHasThreePages() {
        ItemTable items(25);
        auto report = ordersList(items.source());
        PageRecorder g;
        g.execute(*report);
        QCOMPARE(g.pageCount(), 3);
        QList<int> perPage;
        for (int p = 1; p <= 3; ++p)
            perPage << countStarting(texts(g.page(p)), QStringLiteral("Položka"));
        QCOMPARE(perPage, (QList<int>{10, 10, 5}));
        // Bands start below both page headers (37 + 98 = 135) and every 60 pixels; a data text is
        // centred vertically in its 12-pixel box (12 div 2 - 10 div 2 = 1).
        const QStringList first = texts(g.page(1));
        QVERIFY(first.contains(QStringLiteral("38,136:Položka 1")));
        QVERIFY(first.contains(QStringLiteral("38,676:Položka 10")));
        // The footer stands at 793 - 25 - 37 = 731, drawn first on the page; the page number
        // follows its caption, centred in its 17-pixel box (3 + 17 div 2 - 10 div 2).
        QCOMPARE(opLines(g.page(3), QStringLiteral("fill")).value(1),
                 QStringLiteral("fill 37,731 1047x25 brush #ffffff"));
        QVERIFY(texts(g.page(3)).contains(QStringLiteral("41,737:Strana: 3")));
        QVERIFY(texts(g.page(1)).contains(QStringLiteral("41,737:Strana: 1")));
    }

    void noRecordsStillGivesAPageWithItsBands() {
        ItemTable items(0);
        auto report = ordersList(items.source());
        Band* summary = band(*report, "Souhrn", rbSummary, 20);
        label(summary, "S", {0, 0, 100, 12}, QStringLiteral("Konec"));
        PageRecorder g;
        g.execute(*report);
        QCOMPARE(g.pageCount(), 1);
        const QStringList t = texts(g.page(1));
        QCOMPARE(countStarting(t, QStringLiteral("Položka")), 0);
        QVERIFY(t.contains(QStringLiteral("41,737:Strana: 1")));
        QVERIFY(countStarting(t, QStringLiteral("SEZNAM")) == 1);
        QVERIFY(t.contains(QStringLiteral("37,135:Konec")));
    }

    void bandTallerThanThePageBody() {
        // Page header and footer of 100 on a portrait page without margins leave 921 pixels. A band
        // of 1050 (past the page's bottom even from the top of the body) breaks at its start and again at its
        // check: one page keeps only its page bands, the band is drawn on the next one and runs past the
        // footer.
        Report report(fixedMetrics());
        label(band(report, "H", rbPageHeader, 100), "HL", {0, 0, 50, 12}, QStringLiteral("hlava"));
        label(band(report, "F", rbPageFooter, 100), "FL", {0, 0, 50, 12}, QStringLiteral("pata"));
        label(band(report, "D", rbDetail, 50), "DL", {0, 0, 50, 12}, QStringLiteral("prvni"));
        label(band(report, "Big", rbDetail, 1050), "BL", {0, 0, 50, 12}, QStringLiteral("velky"));
        PageRecorder g;
        g.execute(report);
        QCOMPARE(g.pageCount(), 3);
        QCOMPARE(texts(g.page(1)), (QStringList{"0,1021:pata", "0,0:hlava", "0,100:prvni"}));
        QCOMPARE(texts(g.page(2)), (QStringList{"0,1021:pata", "0,0:hlava"}));
        QCOMPARE(texts(g.page(3)), (QStringList{"0,1021:pata", "0,0:hlava", "0,100:velky"}));
    }

    void secondColumnBeforeANewPage() {
        // Two columns 10 mm apart: a body band is (793 - 37) div 2 = 378 wide. Bands of 400: two
        // fit in a column, the third goes to the top of the second column at 378 + 37 to the right,
        // the fifth to a new page.
        ItemTable items(5);
        Report report(fixedMetrics());
        report.setDataSource(&items.source());
        report.margins().setColumn(2);
        report.margins().setColumnSpace(10);
        Band* detail = band(report, "D", rbDetail, 400);
        QCOMPARE(detail->width(), 378);
        dbText(detail, "T", {0, 0, 100, 10}, items.source(), "Cislo");
        PageRecorder g;
        g.execute(report);
        QCOMPARE(g.pageCount(), 2);
        QCOMPARE(texts(g.page(1)), (QStringList{"0,0:1", "0,400:2", "415,0:3", "415,400:4"}));
        QCOMPARE(texts(g.page(2)), (QStringList{"0,0:5"}));
    }

    void memoContinuesOnTheNextPage() {
        // A top margin of 10 mm: bands of 120 start at 37, 157, ... 997. The ninth band's memo would
        // end at 997 + 120 = 1117, below 1121 - 37; it moves to the top of the next page at the
        // same offset, and so do the memo after it and the following records. The data text drawn
        // before the memo stays on the first page.
        ItemTable items(10);
        Report report(fixedMetrics());
        report.setDataSource(&items.source());
        report.margins().setTop(10);
        Band* detail = band(report, "D", rbDetail, 120);
        dbText(detail, "T", {0, 0, 60, 10}, items.source(), "Cislo");
        add<MemoControl>(detail, "M", {0, 80, 200, 40}).lines = QStringList{QStringLiteral("memo")};
        add<MemoControl>(detail, "N", {0, 90, 200, 20}).lines = QStringList{QStringLiteral("dalsi")};
        PageRecorder g;
        g.execute(report);
        QCOMPARE(g.pageCount(), 2);
        const QStringList first = texts(g.page(1));
        QCOMPARE(first.mid(first.size() - 3), (QStringList{"0,957:memo", "0,967:dalsi", "0,997:9"}));
        QCOMPARE(texts(g.page(2)),
                 (QStringList{"0,117:memo", "0,127:dalsi", "0,157:10", "0,237:memo", "0,247:dalsi"}));
    }

    void memoIsCutAtTheRightMargin() {
        Report report(fixedMetrics());
        report.margins().setLeft(10);
        report.margins().setRight(10);
        add<MemoControl>(band(report, "S", rbSummary, 50), "M", {650, 0, 200, 40}).lines =
            QStringList{QStringLiteral("x")};
        PageRecorder g;
        g.execute(report);
        // The right edge may reach 793 - Trunc(20 x 3.7795) = 718; the box starts at 37 + 650.
        QCOMPARE(opLines(g.page(1), QStringLiteral("textbox")).value(0).section(QLatin1Char(' '), 1, 1),
                 QStringLiteral("687,0"));
        QCOMPARE(opLines(g.page(1), QStringLiteral("textbox")).value(0).section(QLatin1Char(' '), 2, 2),
                 QStringLiteral("31x40"));
    }

    void labelsOnThePage() {
        ItemTable items(1);
        Report report(fixedMetrics());
        Band* b = band(report, "S", rbSummary, 100);
        DataTextControl& text = dbText(b, "T", {10, 10, 100, 30}, items.source(), "Nazev");
        text.layout = tlTop;
        LabelControl& plain = label(b, "L", {10, 50, 100, 30}, QStringLiteral("nahore"));
        plain.transparent = true;
        PageRecorder g;
        g.execute(report);
        // The data text is centred vertically although its layout says top: 30 div 2 - 10 div 2.
        QCOMPARE(texts(g.page(1)), (QStringList{"10,20:Položka 1", "10,50:nahore"}));
        // Only the opaque one paints its background.
        QCOMPARE(opLines(g.page(1), QStringLiteral("fill 10,")),
                 QStringList{"fill 10,10 100x30 brush #ffffff"});
    }

    void shapes_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("pen");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("pen 0 fills the whole box")
            << int(stRectangle) << QRect(10, 10, 100, 20) << 0 << "rect 10,10 100x20";
        // Shifted right by half the pen, not down; one pen width smaller plus one.
        QTest::newRow("pen 3") << int(stRectangle) << QRect(10, 10, 100, 20) << 3 << "rect 11,10 98x18";
        QTest::newRow("cut at the band's right edge")
            << int(stRectangle) << QRect(750, 0, 100, 20) << 1 << "rect 750,0 43x20";
        QTest::newRow("cut at the band's bottom")
            << int(stEllipse) << QRect(0, 40, 20, 30) << 1 << "ellipse 0,40 20x10";
        QTest::newRow("square centred in its box")
            << int(stSquare) << QRect(0, 0, 100, 40) << 1 << "rect 30,0 40x40";
        QTest::newRow("rounded corners a quarter of the side")
            << int(stRoundRect) << QRect(0, 0, 100, 40) << 1 << "roundrect 0,0 100x40 corner 10";
        QTest::newRow("circle") << int(stCircle) << QRect(0, 0, 40, 50) << 1 << "ellipse 0,5 40x40";
        QTest::newRow("wholly right of the band") << int(stRectangle) << QRect(800, 0, 20, 20) << 1 << "";
    }
    void shapes() {
        QFETCH(int, shape);
        QFETCH(QRect, bounds);
        QFETCH(int, pen);
        QFETCH(QString, drawn);
        Report report(fixedMetrics());
        ShapeControl& s = add<ShapeControl>(band(report, "S", rbSummary, 50), "Sh", bounds);
        s.shape = ShapeType(shape);
        s.pen.setWidth(pen);
        PageRecorder g;
        g.execute(report);
        QStringList lines = opLines(g.page(1), QStringLiteral("rect"));
        lines << opLines(g.page(1), QStringLiteral("roundrect"))
              << opLines(g.page(1), QStringLiteral("ellipse"));
        QCOMPARE(lines.size(), drawn.isEmpty() ? 0 : 1);
        if (!drawn.isEmpty())
            QVERIFY2(lines[0].startsWith(drawn), qPrintable(lines[0]));
    }

    void images_data() {
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("natural size within the box") << QRect(10, 10, 60, 40) << false << "image 47,10 50x30";
        QTest::newRow("larger than the box: within it, in proportion")
            << QRect(10, 10, 20, 20) << false << "image 47,10 20x12";
        QTest::newRow("stretched") << QRect(10, 10, 100, 100) << true << "image 47,10 100x100";
        // Past the right limit 793 - 75 = 718: cut there and stretched, whatever Stretch says.
        QTest::newRow("past the right margin") << QRect(663, 0, 100, 100) << false << "image 700,0 18x100";
    }
    void images() {
        QFETCH(QRect, bounds);
        QFETCH(bool, stretch);
        QFETCH(QString, drawn);
        Report report(fixedMetrics());
        report.margins().setLeft(10);
        report.margins().setRight(10);
        Band* b = band(report, "S", rbSummary, 120);
        ImageControl& image = add<ImageControl>(b, "I", bounds);
        image.picture = QImage(50, 30, QImage::Format_RGB32);
        image.picture.fill(Qt::red);
        image.stretch = stretch;
        add<ImageControl>(b, "Empty", bounds);
        PageRecorder g;
        g.execute(report);
        QCOMPARE(opLines(g.page(1), QStringLiteral("image")), QStringList{drawn + " 50x30"});
    }

    void dataImageFromAGraphicField() {
        ItemTable items(2);
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "BMP");
        items.table().first();
        items.table().edit();
        items.table().fieldByName(QStringLiteral("Obrazek")).setAsBytes(kv::store::wrapBitmap(bmp));
        items.table().post();
        Report report(fixedMetrics());
        report.setDataSource(&items.source());
        DataImageControl& image = add<DataImageControl>(band(report, "D", rbDetail, 50), "I", {5, 5, 100, 100});
        image.link.dataSource = &items.source();
        image.link.dataField = QStringLiteral("Obrazek");
        PageRecorder g;
        g.execute(report);
        // The first record's logo at its natural size; the second record has none and draws nothing.
        QCOMPARE(opLines(g.page(1), QStringLiteral("image")), QStringList{"image 5,5 40x20 40x20"});
    }

    void stringGridIsPrintedCellByCell() {
        Report report(fixedMetrics());
        auto* gridBand = new GridBand(&report, rbSummary);
        StringGrid grid;
        grid.setSize(2, 2);
        grid.setColWidth(0, 50);
        grid.setColWidth(1, 60);
        grid.setRowHeight(0, 20);
        grid.setRowHeight(1, 25);
        grid.setCell(0, 0, QStringLiteral("a"));
        grid.setCell(1, 0, QStringLiteral("b"));
        grid.setCell(0, 1, QStringLiteral("c"));
        grid.setCell(1, 1, QStringLiteral("d"));
        gridBand->setGrid(&grid);
        PageRecorder g;
        g.execute(report);
        // Each cell: a frame 3 wider than the column and the row's height + 3, then its text 3 in
        // from the frame's left; the next column starts 2 pixels after the previous one ends.
        QCOMPARE(opLines(g.page(1), QStringLiteral("rect")),
                 (QStringList{"rect 1,0 53x23 pen #000000/1 brush #ffffff",
                              "rect 53,0 63x23 pen #000000/1 brush #ffffff",
                              "rect 1,23 53x28 pen #000000/1 brush #ffffff",
                              "rect 53,23 63x28 pen #000000/1 brush #ffffff"}));
        QCOMPARE(texts(g.page(1)), (QStringList{"4,1:a", "56,1:b", "4,24:c", "56,24:d"}));
        // The band keeps the last row's height, and is advanced by it once more after the grid.
        QCOMPARE(gridBand->height(), 28);
        QCOMPARE(g.model().y, 23 + 28 + 28);
    }

    void dataGridHasATitleRowAndOneRowPerRecord() {
        ItemTable items(2);
        Report report(fixedMetrics());
        auto* gridBand = new GridBand(&report, rbSummary);
        DataGrid grid;
        grid.setDataSource(&items.source());
        grid.setColumns({{QStringLiteral("Nazev"), {}, 80, taLeftJustify},
                         {QStringLiteral("Chybi"), QStringLiteral("Nic"), 30, taLeftJustify},
                         {QStringLiteral("Cislo"), QStringLiteral("Č."), 30, taRightJustify}});
        gridBand->setGrid(&grid);
        PageRecorder g;
        g.execute(report);
        // Rows of line height + 2 = 12; the column without a field is left out; titles centred
        // (4 + 79 div 2 - 30 div 2 = 28); the number right-justified in its label (86 + 29 - 6).
        QCOMPARE(texts(g.page(1)), (QStringList{"28,1:Název", "94,1:Č.", "4,13:Položka 1", "109,13:1",
                                                "4,25:Položka 2", "109,25:2"}));
    }

    void pageHeadersThatNeverFitDoNotLoop() {
        // A page header taller than the page would break to a new page for ever; page bands of a
        // fresh page do not break, so the report ends.
        Report report(fixedMetrics());
        label(band(report, "H", rbPageHeader, 1200), "HL", {0, 0, 50, 12}, QStringLiteral("hlava"));
        label(band(report, "D", rbDetail, 50), "DL", {0, 0, 50, 12}, QStringLiteral("telo"));
        PageRecorder g;
        g.execute(report);
        QCOMPARE(g.pageCount(), 3);
        QVERIFY(texts(g.page(3)).contains(QStringLiteral("0,1200:telo")));
    }

    void reportsWithDifferentMetricsGenerateSideBySide() {
        // Each report lays out and measures with its own metrics. At 96 dpi the 10 mm margin is 37
        // pixels and "abc" is 18 wide, centred at 37 + 100 - 9; at 120 dpi the margin is 47 and
        // "abc" 24 wide. Generating one between two runs of the other changes nothing in it.
        auto make = [](ReportMetrics metrics) {
            auto report = std::make_unique<Report>(std::move(metrics));
            report->margins().setLeft(10);
            report->margins().setTop(10);
            LabelControl& l = label(band(*report, "S", rbSummary, 40), "L", {0, 0, 200, 20}, QStringLiteral("abc"));
            l.alignment = taCenter;
            return report;
        };
        auto narrow = make(fixedMetrics(6, 10));
        auto wide = make(ReportMetrics(120, std::make_shared<kv::report::test::FixedMeasurer>(8, 14)));
        PageRecorder first, other, again;
        first.execute(*narrow);
        other.execute(*wide);
        again.execute(*narrow);
        QCOMPARE(texts(first.page(1)), QStringList{"128,37:abc"});
        QCOMPARE(texts(other.page(1)), QStringList{"135,47:abc"});
        QCOMPARE(pageText(again.page(1)), pageText(first.page(1)));
    }

    void exampleDefinitionMatchesItsReference() {
        const kv::clock::FixedClock fixedClock(QDateTime(QDate(2026, 12, 9), QTime(8, 5, 0)));
        ItemTable items(3);
        const auto report = loadReportDefinition(QStringLiteral(KV_REPORT_TEST_DATA "/example.rep"),
                                                 {{QStringLiteral("DSPolozky"), &items.source()}});
        report->setMetrics(fixedMetrics());
        PageRecorder g;
        g.execute(*report);
        QCOMPARE(g.pageCount(), 1);
        kv::report::test::compareWithReference(pageText(g.page(1)),
                                               QStringLiteral(KV_REPORT_TEST_DATA "/example_page1.txt"));
    }

    void pageReplaysIntoAnImage() {
        ItemTable items(3);
        auto report = ordersList(items.source());
        report->setMetrics(kv::report::ReportMetrics(96)); // real fonts for real pixels
        Band* title = report->findBand(QStringLiteral("Nadpis"));
        title->setBrush(QBrush(Qt::black));
        static_cast<LabelControl*>(title->findControl(QStringLiteral("L")))->transparent = true;
        PageRecorder g;
        g.execute(*report);
        QImage full(1121, 793, QImage::Format_RGB32);
        full.fill(Qt::gray);
        QPainter painter(&full);
        paintPage(g.page(1), painter, QRectF(0, 0, 1121, 793));
        QVERIFY(painter.transform().isIdentity());
        painter.end();
        // White where nothing is drawn, black inside the title band (37..77 down, 37..1084 across).
        QCOMPARE(full.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(full.pixelColor(500, 60), QColor(Qt::black));
        QCOMPARE(full.pixelColor(500, 80), QColor(Qt::white));
        // Half size: the same band at half the coordinates.
        QImage half(560, 396, QImage::Format_RGB32);
        half.fill(Qt::gray);
        QPainter p2(&half);
        paintPage(g.page(1), p2, QRectF(0, 0, 560.5, 396.5));
        p2.end();
        QCOMPARE(half.pixelColor(250, 30), QColor(Qt::black));
        QCOMPARE(half.pixelColor(250, 40), QColor(Qt::white));
    }
};

QTEST_MAIN(TestReportPages)
#include "tst_reportpages.moc"
