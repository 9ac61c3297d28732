// The preview control: placing the page in the view, paging and zooming with their events, the
// magnifier over the page, printing page ranges to a PDF file through a scripted print dialog, and
// the printer setup with what it keeps.
#include "tests/support/accessiblenames.h"

#include "report/model/reporterror.h"
#include "report/model/labelcontrol.h"
#include "report/model/band.h"
#include "report/view/previewgeometry.h"
#include "report/view/printersetupdialog.h"
#include "report/view/printsetupmemory.h"
#include "report/view/scriptedprintchooser.h"
#include "report/view/reportpreview.h"
#include "ui/scripteddialogs.h"

#include <QComboBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kv::report;

namespace {

// The first page's size in points as the PDF file states it.
QSize pdfMediaBox(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
}

int pdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(f.readAll()).count(page));
}

// A report of `pages` pages: one band per page, each with its number.
std::unique_ptr<Report> pagedReport(int pages) {
    auto report = std::make_unique<Report>();
    report->printer().setTitle(QStringLiteral("Zkouška"));
    for (int i = 1; i <= pages; ++i) {
        auto* band = new Band(report.get(), rbDetail);
        band->setHeight(1000);
        auto label = std::make_unique<LabelControl>();
        label->caption = QString::number(i);
        label->setBounds(10, 10, 100, 20);
        band->addControl(std::move(label));
    }
    return report;
}

QList<int> ints(const QSignalSpy& spy) {
    QList<int> out;
    for (const auto& args : spy)
        out << args.at(0).toInt();
    return out;
}

} // namespace

class TestReportView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placement_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("view");
        QTest::addColumn<QRect>("page");
        QTest::addColumn<QSize>("scroll");
        // A4 portrait at 50 % (396 x 560) in 800 x 600: centred, left Round(400 - 198) = 202,
        // top 300 - 280 - 2 = 18 and 2 pixels taller.
        QTest::newRow("fits both ways")
            << 50 << QSize(800, 600) << QRect(202, 18, 396, 562) << QSize(800, 600);
        // Round to even: 801 / 2 - 396 / 2 = 202.5 becomes 202.
        QTest::newRow("half rounds to even")
            << 50 << QSize(801, 600) << QRect(202, 18, 396, 562) << QSize(801, 600);
        // At 100 % the page is taller than the view: from 3, scroll range the page + 45; across,
        // Round(400 - 396.5) is 4, the even neighbour of 3.5.
        QTest::newRow("taller than the view")
            << 100 << QSize(800, 600) << QRect(4, 3, 793, 1121) << QSize(800, 1121 + 45);
        QTest::newRow("larger both ways")
            << 200 << QSize(800, 600) << QRect(3, 3, 1586, 2242) << QSize(1586 + 45, 2242 + 45);
    }
    void placement() {
        QFETCH(int, zoom);
        QFETCH(QSize, view);
        QFETCH(QRect, page);
        QFETCH(QSize, scroll);
        const PreviewPlacement p = placePreview(QSize(793, 1121), zoom, view);
        QCOMPARE(p.page, page);
        QCOMPARE(p.frame, page.adjusted(-1, -1, 3, 3));
        QCOMPARE(p.scrollSize, scroll);
    }

    void prepareGeneratesAndShowsPageOne() {
        auto report = pagedReport(3);
        ReportPreview view;
        QProgressBar bar;
        bar.show();
        view.setProgressBar(&bar);
        QVERIFY_THROWS_EXCEPTION(ReportError, view.prepare());
        view.setReport(report.get());
        view.prepare();
        QCOMPARE(view.pageCount(), 3);
        QCOMPARE(view.currentPage(), 1);
        QVERIFY(!report->visible);
        QVERIFY(bar.isHidden());
        QVERIFY(view.widget());
        QCOMPARE(view.widget()->cursor().shape(), Qt::BitmapCursor);
        // The report going away clears the reference.
        report.reset();
        QCOMPARE(view.report(), nullptr);
        QCOMPARE(view.pageCount(), 3);
    }

    void failedPrepareKeepsThePagesMadeSoFar() {
        auto good = pagedReport(2);
        ReportPreview view;
        view.setReport(good.get());
        view.prepare();
        auto bad = pagedReport(3);
        QObject::connect(bad->bands()[2], &Band::beforeGenerate, bad.get(),
                         [](Band*, bool) { throw ReportError(QStringLiteral("chyba dat")); });
        view.setReport(bad.get());
        QVERIFY_THROWS_EXCEPTION(ReportError, view.prepare());
        // The error reaches the caller after the third band broke to its page; the pages made so
        // far stay with the generator, and the page count still is the previous report's.
        QCOMPARE(view.generator()->pageCount(), 3);
        QCOMPARE(view.pageCount(), 2);
    }

    void navigationFiresOnlyWhenThePageChanges() {
        auto report = pagedReport(5);
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        QSignalSpy changes(&view, &ReportPreview::onPageChange);
        view.firstPage();
        view.priorPage();
        view.nextPage();
        view.lastPage();
        view.lastPage();
        view.nextPage();
        view.priorPage();
        view.firstPage();
        QCOMPARE(ints(changes), (QList<int>{2, 5, 4, 1}));
        view.setPage(0);
        view.setPage(6);
        QCOMPARE(view.currentPage(), 1);
        view.setPage(3);
        QCOMPARE(view.currentPage(), 3);
        QCOMPARE(changes.count(), 4);
    }

    void zoomStaysWithinItsBounds() {
        auto report = pagedReport(1);
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        QSignalSpy zooms(&view, &ReportPreview::onZoomChange);
        view.setZoom(100);
        view.setZoom(24);
        view.setZoom(401);
        QCOMPARE(zooms.count(), 0);
        view.setZoom(400);
        view.pageMouseDown(Qt::LeftButton);
        QCOMPARE(view.zoom(), 400);
        view.setZoom(25);
        view.pageMouseDown(Qt::RightButton);
        QCOMPARE(view.zoom(), 25);
        view.pageMouseDown(Qt::MiddleButton);
        view.pageMouseDown(Qt::LeftButton);
        QCOMPARE(ints(zooms), (QList<int>{400, 25, 100, 125}));
    }

    void clicksOnThePageZoom() {
        auto report = pagedReport(1);
        ReportPreview view;
        view.resize(700, 500);
        view.setReport(report.get());
        view.prepare();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy painted(&view, &ReportPreview::onPrint);
        QTest::mouseClick(view.widget(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(view.zoom(), 125);
        QTest::mouseClick(view.widget(), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(view.widget(), Qt::RightButton, {}, QPoint(50, 50));
        QCOMPARE(view.zoom(), 75);
        // At 75 % the page (594 x 840) is narrower than the view and taller: the scroll area is
        // the view's width and the page's height + 45.
        QCOMPARE(view.widget()->size(), QSize(view.viewport()->width(), 840 + 45));
        // Each repaint of the shown page reports it.
        view.widget()->repaint();
        QVERIFY(!painted.isEmpty());
        QCOMPARE(painted.last().at(0).toInt(), 1);
    }

    void printsPageRangesToAFile_data() {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("printed");
        QTest::newRow("all pages") << int(PrintChoice::All) << 0 << 0 << QList<int>{1, 2, 3, 4, 5};
        // The selection is the page shown (3).
        QTest::newRow("selection") << int(PrintChoice::Selection) << 0 << 0 << QList<int>{3};
        // Two pages and no empty page after the last.
        QTest::newRow("pages 2 to 3 of 5") << int(PrintChoice::PageRange) << 2 << 3 << QList<int>{2, 3};
        QTest::newRow("range past the end") << int(PrintChoice::PageRange) << 4 << 9 << QList<int>{4, 5};
    }
    void printsPageRangesToAFile() {
        QFETCH(int, range);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, printed);
        QTemporaryDir dir;
        ScriptedPrintChooser chooser;
        chooser.file = dir.filePath(QStringLiteral("tisk.pdf"));
        chooser.answer = PrintChoice{PrintChoice::Range(range), from, to};
        auto report = pagedReport(5);
        ReportPreview view;
        QProgressBar bar;
        bar.setRange(0, 100);
        view.setProgressBar(&bar);
        view.setReport(report.get());
        view.prepare();
        view.setPage(3);
        QStringList events;
        connect(&view, &ReportPreview::onBeforePrint, &view,
                [&](int n) { events << QStringLiteral("before %1").arg(n); });
        connect(&view, &ReportPreview::onPrint, &view,
                [&](int n) { events << QStringLiteral("print %1").arg(n); });
        connect(&view, &ReportPreview::onAfterPrint, &view,
                [&](int n) { events << QStringLiteral("after %1").arg(n); });
        view.print();
        QCOMPARE(chooser.shownPageCount, 5);
        QStringList expected{QStringLiteral("before 0")};
        for (int p : printed)
            expected << QStringLiteral("print %1").arg(p);
        expected << QStringLiteral("after 5");
        QCOMPARE(events, expected);
        QCOMPARE(pdfPageCount(chooser.file), int(printed.size()));
        QCOMPARE(view.printer().docName(), QStringLiteral("Zkouška"));
        QVERIFY(!bar.isHidden());
        QCOMPARE(bar.value(), int(printed.size()));
    }

    void systemPrintDialogIsShownThroughTheDialogSeam() {
        // Without a test chooser the print dialog is a real one, shown modally through the dialog
        // seam; the range picked in it decides what is printed.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tisk.pdf"));
        kv::ui::ScriptedDialogs dialogs;
        int presetFrom = 0, presetTo = 0;
        dialogs.onModal = [&](QDialog& shown) {
            auto& dialog = dynamic_cast<QPrintDialog&>(shown);
            presetFrom = dialog.fromPage();
            presetTo = dialog.toPage();
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(file);
            dialog.setPrintRange(QAbstractPrintDialog::PageRange);
            dialog.setFromTo(2, 3);
            return int(QDialog::Accepted);
        };
        auto report = pagedReport(5);
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        view.print();
        QCOMPARE(std::make_pair(presetFrom, presetTo), std::make_pair(1, 5));
        QCOMPARE(pdfPageCount(file), 2);
    }

    void cancelledPrintStillEnds() {
        ScriptedPrintChooser chooser;
        chooser.cancel = true;
        auto report = pagedReport(2);
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        QSignalSpy before(&view, &ReportPreview::onBeforePrint);
        QSignalSpy printedPages(&view, &ReportPreview::onPrint);
        QSignalSpy after(&view, &ReportPreview::onAfterPrint);
        view.print();
        QCOMPARE(before.count(), 1);
        QCOMPARE(printedPages.count(), 0);
        QCOMPARE(ints(after), QList<int>{2});
    }

    void fastPrintWritesTheTextLinesOfThePagesToThePort() {
        // One 1000-pixel band a page: with cells of 793 / 80 = 9 by 1121 / 55 = 20 pixels a band is
        // 50 text rows, so two bands share a text page of 56 lines. Pages 2 to 3 send lines
        // (2 - 1) x 56 = 56 to 3 x 55 = 165.
        QTemporaryDir dir;
        ScriptedPrintChooser chooser;
        chooser.file = dir.filePath(QStringLiteral("tisk.pdf"));
        chooser.answer = PrintChoice{PrintChoice::PageRange, 2, 3};
        auto report = pagedReport(5);
        report->printer().setMode(prFast);
        report->printer().setPort(dir.filePath(QStringLiteral("port.txt")));
        ReportPreview view;
        QProgressBar bar;
        bar.setRange(0, 1000);
        view.setProgressBar(&bar);
        view.setReport(report.get());
        view.prepare();
        QStringList lines;
        view.exportText(&lines, false);
        QCOMPARE(lines.size(), 3 * 56);
        QSignalSpy printed(&view, &ReportPreview::onPrint);
        QSignalSpy after(&view, &ReportPreview::onAfterPrint);
        view.print();
        QFile port(report->printer().port());
        QVERIFY(port.open(QIODevice::ReadOnly));
        const QByteArray bytes = port.readAll();
        QCOMPARE(bytes.count("\r\n"), 110);
        QCOMPARE(bytes.left(bytes.indexOf('\r')), lines[56].toLatin1());
        QVERIFY(bytes.contains(QByteArray(" 4          ")));
        // Each line reports its index, and the end reports 0; nothing went to the printer.
        QCOMPARE(printed.size(), 111);
        QCOMPARE(printed.first().at(0).toInt(), 56);
        QCOMPARE(printed.last().at(0).toInt(), 0);
        QCOMPARE(bar.value(), 110);
        QCOMPARE(after.size(), 1);
        QVERIFY(!QFile::exists(chooser.file));
    }

    void fastPrintToAPortThatCannotBeOpenedFails() {
        QTemporaryDir dir;
        ScriptedPrintChooser chooser;
        auto report = pagedReport(1);
        report->printer().setMode(prFast);
        report->printer().setPort(dir.filePath(QStringLiteral("chybi/port.txt")));
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        QSignalSpy after(&view, &ReportPreview::onAfterPrint);
        try {
            view.print();
            QFAIL("no error");
        } catch (const ReportError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Na port \"")), qPrintable(e.message()));
        }
        QCOMPARE(after.size(), 1);
    }

    void printerSetupHoldsForTheFollowingPrints() {
        QTemporaryDir dir;
        ScriptedPrintChooser chooser;
        chooser.file = dir.filePath(QStringLiteral("tisk.pdf"));
        auto report = pagedReport(2);
        ReportPreview view;
        view.setReport(report.get());
        view.prepare();
        // Before any setup the print starts from the report's own paper: A4 upright.
        view.print();
        QCOMPARE(chooser.printedAt.paper, QPageSize::A4);
        QCOMPARE(chooser.printedAt.orientation, QPageLayout::Portrait);
        QCOMPARE(pdfMediaBox(chooser.file), QSize(595, 842));

        const PrinterSetupChoice office{QStringLiteral("Kancelář"), QPageSize::A5, QPageLayout::Landscape};
        chooser.setupAnswer = office;
        view.printerSetup();
        QCOMPARE(chooser.shownSetup.paper, QPageSize::A4);
        // The next print, and the one after, go out as chosen: A5 across (595 x 420 points).
        for (int print = 0; print < 2; ++print) {
            view.print();
            QCOMPARE(chooser.printedAt.paper, QPageSize::A5);
            QCOMPARE(chooser.printedAt.orientation, QPageLayout::Landscape);
            QCOMPARE(pdfMediaBox(chooser.file), QSize(595, 420));
        }
        // The setup opens again at the printer chosen, even one this machine does not know; a
        // cancelled setup changes nothing, and generating the pages again neither.
        chooser.setupAnswer.reset();
        view.printerSetup();
        QCOMPARE(chooser.shownSetup, office);
        view.prepare();
        view.printerSetup();
        QCOMPARE(chooser.shownSetup, office);
        QCOMPARE(chooser.setups, 3);
    }

    void setupMemoryStartsFromTheReportUntilTheUserChooses() {
        Report upright, across;
        across.printer().setOrientation(poLandscape);
        across.printer().setPaperSize(B5);
        PrintSetupMemory memory;
        const QString none;
        QCOMPARE(memory.startingChoice(&upright, none),
                 (PrinterSetupChoice{none, QPageSize::A4, QPageLayout::Portrait}));
        // The report's B5 (184 x 257 mm) is JIS B5, not ISO B5 (176 x 250 mm).
        QCOMPARE(memory.startingChoice(&across, QStringLiteral("Sklad")),
                 (PrinterSetupChoice{QStringLiteral("Sklad"), QPageSize::JisB5, QPageLayout::Landscape}));

        // Paper and orientation are the report's own choice; the printer is the run's.
        memory.chosenInSetup(&upright, {QStringLiteral("Kancelář"), QPageSize::A3, QPageLayout::Landscape});
        QCOMPARE(memory.startingChoice(&upright, none),
                 (PrinterSetupChoice{QStringLiteral("Kancelář"), QPageSize::A3, QPageLayout::Landscape}));
        QCOMPARE(memory.startingChoice(&across, none),
                 (PrinterSetupChoice{QStringLiteral("Kancelář"), QPageSize::JisB5, QPageLayout::Landscape}));

        // Printing once to a file keeps the printer; the paper chosen in the print dialog holds.
        memory.chosenInPrintDialog(&across, {none, QPageSize::A4, QPageLayout::Portrait});
        QCOMPARE(memory.startingChoice(&across, none),
                 (PrinterSetupChoice{QStringLiteral("Kancelář"), QPageSize::A4, QPageLayout::Portrait}));
        // A PDF file chosen in the setup is a choice of printer.
        memory.chosenInSetup(&across, {none, QPageSize::A4, QPageLayout::Portrait});
        QCOMPARE(memory.startingChoice(&upright, QStringLiteral("Sklad")).printer, none);
    }

    void printerSetupDialogShowsAndReturnsTheChoice() {
        const PrinterSetupChoice start{QStringLiteral("Sklad"), QPageSize::B4, QPageLayout::Landscape};
        PrinterSetupDialog dialog({QStringLiteral("Kancelář")}, start);
        // A printer chosen earlier that the system no longer lists is still offered.
        QCOMPARE(dialog.cbTiskarna->count(), 3);
        QCOMPARE(dialog.choice(), start);
        dialog.cbTiskarna->setCurrentIndex(dialog.cbTiskarna->count() - 1);
        dialog.cbPapir->setCurrentIndex(dialog.cbPapir->findData(int(QPageSize::A5)));
        dialog.rbNaVysku->setChecked(true);
        QCOMPARE(dialog.choice(), (PrinterSetupChoice{QString(), QPageSize::A5, QPageLayout::Portrait}));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Nastavení tiskárny"));
        QCOMPARE(kv::test::unnamedControls(dialog), QStringList{});
    }

    void systemPrinterSetupIsShownThroughTheDialogSeam() {
        kv::ui::ScriptedDialogs dialogs;
        PrinterSetupChoice shown;
        dialogs.onModal = [&](QDialog& d) {
            auto& dialog = dynamic_cast<PrinterSetupDialog&>(d);
            shown = dialog.choice();
            dialog.rbNaSirku->setChecked(true);
            return int(QDialog::Accepted);
        };
        auto report = pagedReport(1);
        ReportPreview view;
        view.setReport(report.get());
        view.printerSetup();
        QCOMPARE(shown.orientation, QPageLayout::Portrait);
        QCOMPARE(view.printer().pageLayout().orientation(), QPageLayout::Landscape);
    }

    void printedPageRange_data() {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("all") << int(PrintChoice::All) << 0 << 0 << 2 << 1 << 5;
        QTest::newRow("selection is the shown page") << int(PrintChoice::Selection) << 0 << 0 << 2 << 2 << 2;
        QTest::newRow("range") << int(PrintChoice::PageRange) << 2 << 3 << 2 << 2 << 3;
        QTest::newRow("range from 0") << int(PrintChoice::PageRange) << 0 << 2 << 2 << 1 << 2;
        QTest::newRow("range past the end is cut") << int(PrintChoice::PageRange) << 3 << 8 << 2 << 3 << 5;
        // A shown page the document no longer has (after a failed generation) prints nothing.
        QTest::newRow("shown page beyond the document")
            << int(PrintChoice::Selection) << 0 << 0 << 7 << 7 << 5;
    }
    void printedPageRange() {
        QFETCH(int, range);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, shown);
        QFETCH(int, first);
        QFETCH(int, last);
        const auto pages = printedPages(PrintChoice{PrintChoice::Range(range), from, to}, 5, shown);
        QCOMPARE(pages, std::make_pair(first, last));
    }
};

QTEST_MAIN(TestReportView)
#include "tst_reportview.moc"
