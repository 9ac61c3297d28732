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
#include "report/model/tdbimage.h"
#include "report/model/tdbtext.h"
#include "report/model/timage.h"
#include "report/model/tlabel.h"
#include "report/model/tmemo.h"
#include "report/model/tshape.h"
#include "report/model/turbogridband.h"
#include "report/model/turbosysdata.h"
#include "report/layout/turbowmfgenerator.h"
#include "report/model/zireziduzoz.h"

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

TLabel& label(TTurboBand* band, const char* name, QRect bounds, const QString& caption) {
    TLabel& l = add<TLabel>(band, name, bounds);
    l.Caption = caption;
    return l;
}

TDBText& dbText(TTurboBand* band, const char* name, QRect bounds, kv::store::DataSource& source,
                const char* field) {
    TDBText& t = add<TDBText>(band, name, bounds);
    t.Link.DataSource = &source;
    t.Link.DataField = QString::fromLatin1(field);
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
std::unique_ptr<TZirezIduzoz> ordersList(kv::store::DataSource& source) {
    auto report = std::make_unique<TZirezIduzoz>(fixedMetrics());
    report->Printer().SetOrientation(poLandscape);
    report->Margins().SetLeft(10);
    report->Margins().SetRight(10);
    report->Margins().SetTop(10);
    report->SetDataSource(&source);
    TTurboBand* title = band(*report, "Nadpis", rbPageHeader, 40);
    label(title, "L", {1, 0, 1040, 35}, QStringLiteral("SEZNAM"));
    TTurboBand* footer = band(*report, "Zapati", rbPageFooter, 25);
    auto& page = add<TTurboSysData>(footer, "P", {4, 3, 110, 17});
    page.Caption = QStringLiteral("Strana: ");
    page.SysData = sdCurrentPage;
    band(*report, "NadpisDetailu", rbPageHeader, 58);
    TTurboBand* detail = band(*report, "Detaily", rbDetail, 60);
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
        TTurboWMFGenerator g;
        g.Execute(*report);
        QCOMPARE(g.PageCount(), 3);
        QList<int> perPage;
        for (int p = 1; p <= 3; ++p)
            perPage << countStarting(texts(g.Page(p)), QStringLiteral("Položka"));
        QCOMPARE(perPage, (QList<int>{10, 10, 5}));
        // Bands start below both page headers (37 + 98 = 135) and every 60 pixels; a data text is
        // centred vertically in its 12-pixel box (12 div 2 - 10 div 2 = 1).
        const QStringList first = texts(g.Page(1));
        QVERIFY(first.contains(QStringLiteral("38,136:Položka 1")));
        QVERIFY(first.contains(QStringLiteral("38,676:Položka 10")));
        // The footer stands at 793 - 25 - 37 = 731, drawn first on the page; the page number
        // follows its caption, centred in its 17-pixel box (3 + 17 div 2 - 10 div 2).
        QCOMPARE(opLines(g.Page(3), QStringLiteral("fill")).value(1),
                 QStringLiteral("fill 37,731 1047x25 brush #ffffff"));
        QVERIFY(texts(g.Page(3)).contains(QStringLiteral("41,737:Strana: 3")));
        QVERIFY(texts(g.Page(1)).contains(QStringLiteral("41,737:Strana: 1")));
    }

    void noRecordsStillGivesAPageWithItsBands() {
        ItemTable items(0);
        auto report = ordersList(items.source());
        TTurboBand* summary = band(*report, "Souhrn", rbSummary, 20);
        label(summary, "S", {0, 0, 100, 12}, QStringLiteral("Konec"));
        TTurboWMFGenerator g;
        g.Execute(*report);
        QCOMPARE(g.PageCount(), 1);
        const QStringList t = texts(g.Page(1));
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
        TZirezIduzoz report(fixedMetrics());
        label(band(report, "H", rbPageHeader, 100), "HL", {0, 0, 50, 12}, QStringLiteral("hlava"));
        label(band(report, "F", rbPageFooter, 100), "FL", {0, 0, 50, 12}, QStringLiteral("pata"));
        label(band(report, "D", rbDetail, 50), "DL", {0, 0, 50, 12}, QStringLiteral("prvni"));
        label(band(report, "Big", rbDetail, 1050), "BL", {0, 0, 50, 12}, QStringLiteral("velky"));
        TTurboWMFGenerator g;
        g.Execute(report);
        QCOMPARE(g.PageCount(), 3);
        QCOMPARE(texts(g.Page(1)), (QStringList{"0,1021:pata", "0,0:hlava", "0,100:prvni"}));
        QCOMPARE(texts(g.Page(2)), (QStringList{"0,1021:pata", "0,0:hlava"}));
        QCOMPARE(texts(g.Page(3)), (QStringList{"0,1021:pata", "0,0:hlava", "0,100:velky"}));
    }

    void secondColumnBeforeANewPage() {
        // Two columns 10 mm apart: a body band is (793 - 37) div 2 = 378 wide. Bands of 400: two
        // fit in a column, the third goes to the top of the second column at 378 + 37 to the right,
        // the fifth to a new page.
        ItemTable items(5);
        TZirezIduzoz report(fixedMetrics());
        report.SetDataSource(&items.source());
        report.Margins().SetColumn(2);
        report.Margins().SetColumnSpace(10);
        TTurboBand* detail = band(report, "D", rbDetail, 400);
        QCOMPARE(detail->Width(), 378);
        dbText(detail, "T", {0, 0, 100, 10}, items.source(), "Cislo");
        TTurboWMFGenerator g;
        g.Execute(report);
        QCOMPARE(g.PageCount(), 2);
        QCOMPARE(texts(g.Page(1)), (QStringList{"0,0:1", "0,400:2", "415,0:3", "415,400:4"}));
        QCOMPARE(texts(g.Page(2)), (QStringList{"0,0:5"}));
    }

    void memoContinuesOnTheNextPage() {
        // A top margin of 10 mm: bands of 120 start at 37, 157, ... 997. The ninth band's memo would
        // end at 997 + 120 = 1117, below 1121 - 37; it moves to the top of the next page at the
        // same offset, and so do the memo after it and the following records. The data text drawn
        // before the memo stays on the first page.
        ItemTable items(10);
        TZirezIduzoz report(fixedMetrics());
        report.SetDataSource(&items.source());
        report.Margins().SetTop(10);
        TTurboBand* detail = band(report, "D", rbDetail, 120);
        dbText(detail, "T", {0, 0, 60, 10}, items.source(), "Cislo");
        add<TMemo>(detail, "M", {0, 80, 200, 40}).Lines = QStringList{QStringLiteral("memo")};
        add<TMemo>(detail, "N", {0, 90, 200, 20}).Lines = QStringList{QStringLiteral("dalsi")};
        TTurboWMFGenerator g;
        g.Execute(report);
        QCOMPARE(g.PageCount(), 2);
        const QStringList first = texts(g.Page(1));
        QCOMPARE(first.mid(first.size() - 3), (QStringList{"0,957:memo", "0,967:dalsi", "0,997:9"}));
        QCOMPARE(texts(g.Page(2)),
                 (QStringList{"0,117:memo", "0,127:dalsi", "0,157:10", "0,237:memo", "0,247:dalsi"}));
    }

    void memoIsCutAtTheRightMargin() {
        TZirezIduzoz report(fixedMetrics());
        report.Margins().SetLeft(10);
        report.Margins().SetRight(10);
        add<TMemo>(band(report, "S", rbSummary, 50), "M", {650, 0, 200, 40}).Lines =
            QStringList{QStringLiteral("x")};
        TTurboWMFGenerator g;
        g.Execute(report);
        // The right edge may reach 793 - Trunc(20 x 3.7795) = 718; the box starts at 37 + 650.
        QCOMPARE(opLines(g.Page(1), QStringLiteral("textbox")).value(0).section(QLatin1Char(' '), 1, 1),
                 QStringLiteral("687,0"));
        QCOMPARE(opLines(g.Page(1), QStringLiteral("textbox")).value(0).section(QLatin1Char(' '), 2, 2),
                 QStringLiteral("31x40"));
    }

    void labelsOnThePage() {
        ItemTable items(1);
        TZirezIduzoz report(fixedMetrics());
        TTurboBand* b = band(report, "S", rbSummary, 100);
        TDBText& text = dbText(b, "T", {10, 10, 100, 30}, items.source(), "Nazev");
        text.Layout = tlTop;
        TLabel& plain = label(b, "L", {10, 50, 100, 30}, QStringLiteral("nahore"));
        plain.Transparent = true;
        TTurboWMFGenerator g;
        g.Execute(report);
        // The data text is centred vertically although its layout says top: 30 div 2 - 10 div 2.
        QCOMPARE(texts(g.Page(1)), (QStringList{"10,20:Položka 1", "10,50:nahore"}));
        // Only the opaque one paints its background.
        QCOMPARE(opLines(g.Page(1), QStringLiteral("fill 10,")),
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
        TZirezIduzoz report(fixedMetrics());
        TShape& s = add<TShape>(band(report, "S", rbSummary, 50), "Sh", bounds);
        s.Shape = TShapeType(shape);
        s.Pen.setWidth(pen);
        TTurboWMFGenerator g;
        g.Execute(report);
        QStringList lines = opLines(g.Page(1), QStringLiteral("rect"));
        lines << opLines(g.Page(1), QStringLiteral("roundrect"))
              << opLines(g.Page(1), QStringLiteral("ellipse"));
        QCOMPARE(lines.size(), drawn.isEmpty() ? 0 : 1);
        if (!drawn.isEmpty())
            QVERIFY2(lines[0].startsWith(drawn), qPrintable(lines[0]));
    }

    void images_data() {
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("natural size, not limited to the box")
            << QRect(10, 10, 20, 20) << false << "image 47,10 50x30";
        QTest::newRow("stretched") << QRect(10, 10, 100, 100) << true << "image 47,10 100x100";
        // Past the right limit 793 - 75 = 718: cut there and stretched, whatever Stretch says.
        QTest::newRow("past the right margin") << QRect(663, 0, 100, 100) << false << "image 700,0 18x100";
    }
    void images() {
        QFETCH(QRect, bounds);
        QFETCH(bool, stretch);
        QFETCH(QString, drawn);
        TZirezIduzoz report(fixedMetrics());
        report.Margins().SetLeft(10);
        report.Margins().SetRight(10);
        TTurboBand* b = band(report, "S", rbSummary, 120);
        TImage& image = add<TImage>(b, "I", bounds);
        image.Picture = QImage(50, 30, QImage::Format_RGB32);
        image.Picture.fill(Qt::red);
        image.Stretch = stretch;
        add<TImage>(b, "Empty", bounds);
        TTurboWMFGenerator g;
        g.Execute(report);
        QCOMPARE(opLines(g.Page(1), QStringLiteral("image")), QStringList{drawn + " 50x30"});
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
        TZirezIduzoz report(fixedMetrics());
        report.SetDataSource(&items.source());
        TDBImage& image = add<TDBImage>(band(report, "D", rbDetail, 50), "I", {5, 5, 100, 100});
        image.Link.DataSource = &items.source();
        image.Link.DataField = QStringLiteral("Obrazek");
        TTurboWMFGenerator g;
        g.Execute(report);
        // The first record's logo at its natural size; the second record has none and draws nothing.
        QCOMPARE(opLines(g.Page(1), QStringLiteral("image")), QStringList{"image 5,5 40x20 40x20"});
    }

    void stringGridIsPrintedCellByCell() {
        TZirezIduzoz report(fixedMetrics());
        auto* gridBand = new TTurboGridBand(&report, rbSummary);
        TReportStringGrid grid;
        grid.SetSize(2, 2);
        grid.SetColWidth(0, 50);
        grid.SetColWidth(1, 60);
        grid.SetRowHeight(0, 20);
        grid.SetRowHeight(1, 25);
        grid.SetCell(0, 0, QStringLiteral("a"));
        grid.SetCell(1, 0, QStringLiteral("b"));
        grid.SetCell(0, 1, QStringLiteral("c"));
        grid.SetCell(1, 1, QStringLiteral("d"));
        gridBand->SetGrid(&grid);
        TTurboWMFGenerator g;
        g.Execute(report);
        // Each cell: a frame 3 wider than the column and the row's height + 3, then its text 3 in
        // from the frame's left; the next column starts 2 pixels after the previous one ends.
        QCOMPARE(opLines(g.Page(1), QStringLiteral("rect")),
                 (QStringList{"rect 1,0 53x23 pen #000000/1 brush #ffffff",
                              "rect 53,0 63x23 pen #000000/1 brush #ffffff",
                              "rect 1,23 53x28 pen #000000/1 brush #ffffff",
                              "rect 53,23 63x28 pen #000000/1 brush #ffffff"}));
        QCOMPARE(texts(g.Page(1)), (QStringList{"4,1:a", "56,1:b", "4,24:c", "56,24:d"}));
        // The band keeps the last row's height, and is advanced by it once more after the grid.
        QCOMPARE(gridBand->Height(), 28);
        QCOMPARE(g.Model().y, 23 + 28 + 28);
    }

    void dataGridHasATitleRowAndOneRowPerRecord() {
        ItemTable items(2);
        TZirezIduzoz report(fixedMetrics());
        auto* gridBand = new TTurboGridBand(&report, rbSummary);
        TReportDataGrid grid;
        grid.SetDataSource(&items.source());
        grid.SetColumns({{QStringLiteral("Nazev"), {}, 80, taLeftJustify},
                         {QStringLiteral("Chybi"), QStringLiteral("Nic"), 30, taLeftJustify},
                         {QStringLiteral("Cislo"), QStringLiteral("Č."), 30, taRightJustify}});
        gridBand->SetGrid(&grid);
        TTurboWMFGenerator g;
        g.Execute(report);
        // Rows of line height + 2 = 12; the column without a field is left out; titles centred
        // (4 + 79 div 2 - 30 div 2 = 28); the number right-justified in its label (86 + 29 - 6).
        QCOMPARE(texts(g.Page(1)), (QStringList{"28,1:Název", "94,1:Č.", "4,13:Položka 1", "109,13:1",
                                                "4,25:Položka 2", "109,25:2"}));
    }

    void pageHeadersThatNeverFitDoNotLoop() {
        // A page header taller than the page would break to a new page for ever; page bands of a
        // fresh page do not break, so the report ends.
        TZirezIduzoz report(fixedMetrics());
        label(band(report, "H", rbPageHeader, 1200), "HL", {0, 0, 50, 12}, QStringLiteral("hlava"));
        label(band(report, "D", rbDetail, 50), "DL", {0, 0, 50, 12}, QStringLiteral("telo"));
        TTurboWMFGenerator g;
        g.Execute(report);
        QCOMPARE(g.PageCount(), 3);
        QVERIFY(texts(g.Page(3)).contains(QStringLiteral("0,1200:telo")));
    }

    void reportsWithDifferentMetricsGenerateSideBySide() {
        // Each report lays out and measures with its own metrics. At 96 dpi the 10 mm margin is 37
        // pixels and "abc" is 18 wide, centred at 37 + 100 - 9; at 120 dpi the margin is 47 and
        // "abc" 24 wide. Generating one between two runs of the other changes nothing in it.
        auto make = [](ReportMetrics metrics) {
            auto report = std::make_unique<TZirezIduzoz>(std::move(metrics));
            report->Margins().SetLeft(10);
            report->Margins().SetTop(10);
            TLabel& l = label(band(*report, "S", rbSummary, 40), "L", {0, 0, 200, 20}, QStringLiteral("abc"));
            l.Alignment = taCenter;
            return report;
        };
        auto narrow = make(fixedMetrics(6, 10));
        auto wide = make(ReportMetrics(120, std::make_shared<kv::report::test::FixedMeasurer>(8, 14)));
        TTurboWMFGenerator first, other, again;
        first.Execute(*narrow);
        other.Execute(*wide);
        again.Execute(*narrow);
        QCOMPARE(texts(first.Page(1)), QStringList{"128,37:abc"});
        QCOMPARE(texts(other.Page(1)), QStringList{"135,47:abc"});
        QCOMPARE(pageText(again.Page(1)), pageText(first.Page(1)));
    }

    void exampleDefinitionMatchesItsReference() {
        const kv::clock::FixedClock fixedClock(QDateTime(QDate(2026, 12, 9), QTime(8, 5, 0)));
        ItemTable items(3);
        const auto report = loadReportDefinition(QStringLiteral(KV_REPORT_TEST_DATA "/example.rep"),
                                                 {{QStringLiteral("DSPolozky"), &items.source()}});
        report->SetMetrics(fixedMetrics());
        TTurboWMFGenerator g;
        g.Execute(*report);
        QCOMPARE(g.PageCount(), 1);
        kv::report::test::compareWithReference(pageText(g.Page(1)),
                                               QStringLiteral(KV_REPORT_TEST_DATA "/example_page1.txt"));
    }

    void pageReplaysIntoAnImage() {
        ItemTable items(3);
        auto report = ordersList(items.source());
        report->SetMetrics(kv::report::ReportMetrics(96)); // real fonts for real pixels
        TTurboBand* title = report->FindBand(QStringLiteral("Nadpis"));
        title->SetBrush(QBrush(Qt::black));
        static_cast<TLabel*>(title->FindControl(QStringLiteral("L")))->Transparent = true;
        TTurboWMFGenerator g;
        g.Execute(*report);
        QImage full(1121, 793, QImage::Format_RGB32);
        full.fill(Qt::gray);
        QPainter painter(&full);
        paintPage(g.Page(1), painter, QRectF(0, 0, 1121, 793));
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
        paintPage(g.Page(1), p2, QRectF(0, 0, 560.5, 396.5));
        p2.end();
        QCOMPARE(half.pixelColor(250, 30), QColor(Qt::black));
        QCOMPARE(half.pixelColor(250, 40), QColor(Qt::white));
    }
};

QTEST_MAIN(TestReportPages)
#include "tst_reportpages.moc"
