// The print preview: its status texts, button states and page-number check as plain functions,
// and the window over real reports: caption, page status, navigation, the jump box with its two
// messages, following the application's hint, and closing (hint handler and "temp.png").
#include "tests/support/accessiblenames.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/formnahledtisku.h"
#include "print/previewstatus.h"
#include "print/printwindows.h"
#include "print/sestavy.h"
#include "report/pages/reportmetrics.h"
#include "report/view/scriptedprintchooser.h"

#include "base/programfolder.h"
#include "ui/scripteddialogs.h"

#include <QFile>
#include <QStatusTipEvent>
#include <QTest>

using kv::print::PageStatus;
using kv::print::TFormNahledTisku;

namespace {

// "1 / 5 first prior next last jump" with the enabled buttons only.
QString statusText(const PageStatus& s) {
    QStringList parts{s.pageText};
    if (s.firstEnabled)
        parts << QStringLiteral("first");
    if (s.priorEnabled)
        parts << QStringLiteral("prior");
    if (s.nextEnabled)
        parts << QStringLiteral("next");
    if (s.lastEnabled)
        parts << QStringLiteral("last");
    if (s.jumpEnabled)
        parts << QStringLiteral("jump");
    return parts.join(QLatin1Char(' '));
}

QString windowStatus(const TFormNahledTisku& w) {
    PageStatus s;
    s.pageText = w.CurPageLabel->text();
    s.firstEnabled = w.sbPrvniStrana->isEnabled();
    s.priorEnabled = w.sbMinulaStrana->isEnabled();
    s.nextEnabled = w.sbDalsiStrana->isEnabled();
    s.lastEnabled = w.sbPosledniStrana->isEnabled();
    s.jumpEnabled = w.SPJdiNaStranu->isEnabled();
    return statusText(s);
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::tools::SampleDatabase> db_;
    std::unique_ptr<kv::print::TSestavy> sestavy_;
    std::unique_ptr<TFormNahledTisku> window_;

    // The window showing the orders list of `orders` orders, as a caller shows it.
    TFormNahledTisku& showOrdersList(int orders) {
        kv::tools::fillOrders(db_->dm(), orders);
        sestavy_ = std::make_unique<kv::print::TSestavy>(db_->dm(), kv::report::ReportMetrics(96));
        window_ = std::make_unique<TFormNahledTisku>();
        window_->NahledReportu->setReport(sestavy_->SeznamObjednavek);
        window_->NahledReportu->setReportDirectory(kv::programFolder());
        window_->NahledReportu->setReportName(QStringLiteral("Seznam objednávek"));
        window_->show();
        return *window_;
    }

private Q_SLOTS:
    void init() { db_ = std::make_unique<kv::tools::SampleDatabase>(); }
    void cleanup() {
        window_.reset();
        sestavy_.reset();
        db_.reset();
    }

    void pageStatusEnablesWhatCanMove_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("status");
        QTest::newRow("one page: nothing to move to") << 1 << 1 << "1 / 1";
        QTest::newRow("first of five") << 1 << 5 << "1 / 5 next last jump";
        QTest::newRow("middle of five") << 2 << 5 << "2 / 5 first prior next last jump";
        QTest::newRow("last of five") << 5 << 5 << "5 / 5 first prior jump";
    }
    void pageStatusEnablesWhatCanMove() {
        QFETCH(int, page);
        QFETCH(int, pages);
        QFETCH(QString, status);
        QCOMPARE(statusText(kv::print::pageStatus(page, pages)), status);
    }

    void zoomTextNamesTheZoom_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("text");
        QTest::newRow("100") << 100 << "Normální velikost";
        QTest::newRow("125") << 125 << "Zoom 125%";
        QTest::newRow("25") << 25 << "Zoom 25%";
    }
    void zoomTextNamesTheZoom() {
        QFETCH(int, zoom);
        QFETCH(QString, text);
        QCOMPARE(kv::print::zoomText(zoom), text);
    }

    void pageJumpAcceptsOnlyPagesOfTheDocument_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("error");
        const QString range = QStringLiteral("Číslo strany musí být v rozsahu 1-5!");
        const QString whole = QStringLiteral("Číslo strany musí být platné celé číslo!");
        QTest::newRow("first page") << "1" << 1 << "";
        QTest::newRow("last page") << "5" << 5 << "";
        QTest::newRow("blanks around") << " 3 " << 3 << "";
        QTest::newRow("zero") << "0" << 0 << range;
        QTest::newRow("negative") << "-2" << 0 << range;
        QTest::newRow("above the page count") << "6" << 0 << range;
        QTest::newRow("letters") << "abc" << 0 << whole;
        QTest::newRow("decimal") << "2.5" << 0 << whole;
        QTest::newRow("empty") << "" << 0 << whole;
    }
    void pageJumpAcceptsOnlyPagesOfTheDocument() {
        QFETCH(QString, answer);
        QFETCH(int, page);
        QFETCH(QString, error);
        const kv::print::PageJump j = kv::print::checkPageJump(answer, 5);
        QCOMPARE(j.ok, error.isEmpty());
        QCOMPARE(j.page, page);
        QCOMPARE(j.error, error);
    }

    void windowIsReadyBeforeShowing() {
        TFormNahledTisku w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Tvorba reportu...."));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.NahledReportu->progressBar(), w.Ukazatel);
        QVERIFY(w.PanOdesliEmail->isHidden());
        for (QToolButton* b : {w.SBExportTXT, w.SBHtmlExport, w.SBExcelExport})
            QVERIFY(!b->isEnabled());
        for (QToolButton* b : {w.SpeedButton1, w.SpeedButton2, w.SBNastaveniTisku, w.SBTisk, w.SBImage,
                               w.SBImages, w.SBMailuj, w.SBClose})
            QVERIFY(b->isEnabled());
        QCOMPARE(w.SBTisk->statusTip(), QStringLiteral("Tisk aktuálního reportu..."));
        QCOMPARE(w.SBImages->statusTip(),
                 QStringLiteral("Exportovat report do bitmapových obrázků  (PNG, JPG, BMP)"));
        QCOMPARE(
            w.SBExportTXT->statusTip(),
            QStringLiteral("Export do TXT je v tomto programu zakázán z důvodu \"proložených\" reportů... - "
                           "Exportovat do jednoduchého textového souboru"));
        QCOMPARE(w.sbPrvniStrana->toolTip(), QStringLiteral("Jdi ma 1. stránku"));
        QCOMPARE(w.HintLabel->text(), QStringLiteral("...................."));
    }

    void everyControlHasAnAccessibleName_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        // Glyph buttons are named by their hints; the zoom buttons, which have none, by our words.
        QTest::newRow("zoom out") << "SpeedButton2"
                                  << "Zmenšit náhled";
        QTest::newRow("zoom in") << "SpeedButton1"
                                 << "Zvětšit náhled";
        QTest::newRow("print") << "SBTisk"
                               << "Tisk aktuálního reportu...";
        QTest::newRow("disabled export") << "SBExportTXT"
                                         << "Export do TXT je v tomto programu zakázán z důvodu "
                                            "\"proložených\" reportů... - Exportovat do "
                                            "jednoduchého textového souboru";
        QTest::newRow("HTML export") << "SBHtmlExport"
                                     << "Exportovat do HTML souboru";
        QTest::newRow("first page") << "sbPrvniStrana"
                                    << "Jdi ma 1. stránku";
        QTest::newRow("send") << "SBPosliZpravu"
                              << "Odeslat report...";
        // Edits are named by the captions of their labels.
        QTest::newRow("recipient") << "edPrijemcelEmailu_Email"
                                   << "E-mail příjemce:";
        QTest::newRow("subject") << "edPredmetEmailu"
                                 << "Předmět (nadpis zprávy):";
        QTest::newRow("message") << "edTextZpravy"
                                 << "Text zprávy:";
        QTest::newRow("progress") << "Ukazatel"
                                  << "Ukazatel průběhu...";
        // Status labels read their text; their hint says what it is.
        QTest::newRow("page status") << "CurPageLabel"
                                     << "1 / 1";
        QTest::newRow("the page") << "PaintBox"
                                  << "Stránka náhledu";
    }
    void everyControlHasAnAccessibleName() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        TFormNahledTisku& w = showOrdersList(3);
        auto* widget = w.findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(kv::test::accessibleName(*widget), name);
    }

    void noControlAUserCanReachIsNameless() {
        TFormNahledTisku& w = showOrdersList(3);
        QCOMPARE(kv::test::unnamedControls(w), QStringList{});
        // The e-mail panel's controls too, once it is open.
        w.SBMailuj->click();
        QCOMPARE(kv::test::unnamedControls(w), QStringList{});
    }

    void showingPreparesThePages() {
        TFormNahledTisku& w = showOrdersList(45);
        QCOMPARE(w.windowTitle(), QStringLiteral("Seznam objednávek"));
        QCOMPARE(w.NahledReportu->pageCount(), 5);
        QCOMPARE(windowStatus(w), QStringLiteral("1 / 5 next last jump"));
        QCOMPARE(w.ZoomLabel->text(), QStringLiteral("Normální velikost"));
    }

    void onePageDisablesAllNavigation() {
        TFormNahledTisku& w = showOrdersList(3);
        QCOMPARE(windowStatus(w), QStringLiteral("1 / 1"));
    }

    void navigationButtonsMoveAndUpdateTheStatus() {
        TFormNahledTisku& w = showOrdersList(45);
        w.sbPosledniStrana->click();
        QCOMPARE(w.NahledReportu->currentPage(), 5);
        QCOMPARE(windowStatus(w), QStringLiteral("5 / 5 first prior jump"));
        w.sbMinulaStrana->click();
        QCOMPARE(windowStatus(w), QStringLiteral("4 / 5 first prior next last jump"));
        w.sbPrvniStrana->click();
        QCOMPARE(windowStatus(w), QStringLiteral("1 / 5 next last jump"));
        w.sbDalsiStrana->click();
        QCOMPARE(w.NahledReportu->currentPage(), 2);
    }

    void zoomButtonsChangeTheZoomStatus() {
        TFormNahledTisku& w = showOrdersList(3);
        w.SpeedButton1->click();
        QCOMPARE(w.ZoomLabel->text(), QStringLiteral("Zoom 125%"));
        w.SpeedButton2->click();
        w.SpeedButton2->click();
        QCOMPARE(w.ZoomLabel->text(), QStringLiteral("Zoom 75%"));
        // The zoom stays for the next showing, and so the status names it then too.
        w.close();
        w.show();
        QCOMPARE(w.NahledReportu->zoom(), 75);
        QCOMPARE(w.ZoomLabel->text(), QStringLiteral("Zoom 75%"));
    }

    void jumpBoxChecksThePageNumber_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("valid page") << "3" << 3 << QStringList{};
        QTest::newRow("zero") << "0" << 1 << QStringList{"Číslo strany musí být v rozsahu 1-5!"};
        QTest::newRow("above the count") << "9" << 1 << QStringList{"Číslo strany musí být v rozsahu 1-5!"};
        QTest::newRow("letters") << "tři" << 1 << QStringList{"Číslo strany musí být platné celé číslo!"};
    }
    void jumpBoxChecksThePageNumber() {
        QFETCH(QString, answer);
        QFETCH(int, shown);
        QFETCH(QStringList, messages);
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList(45);
        dialogs.inputAnswers.push_back({true, answer});
        w.SPJdiNaStranu->click();
        QCOMPARE(dialogs.calls.value(0).kind, QStringLiteral("input"));
        QCOMPARE(dialogs.calls.value(0).text, QStringLiteral("Skočit na stranu číslo:"));
        QCOMPARE(dialogs.messages(), messages);
        if (!messages.isEmpty())
            QCOMPARE(dialogs.calls.value(1).style, kv::ui::MsgStyle::Error);
        QCOMPARE(w.NahledReportu->currentPage(), shown);
        QCOMPARE(w.CurPageLabel->text(), QStringLiteral("%1 / 5").arg(shown));
    }

    void cancelledJumpBoxKeepsThePage() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList(45);
        w.sbDalsiStrana->click();
        w.SPJdiNaStranu->click(); // no answer queued: cancelled
        QCOMPARE(w.NahledReportu->currentPage(), 2);
        QVERIFY(dialogs.messages().isEmpty());
    }

    void printButtonsPrintAndSetUpThePrinter() {
        kv::report::ScriptedPrintChooser chooser;
        chooser.file = kv::programFolder() + QStringLiteral("list.pdf");
        chooser.answer.range = kv::report::PrintChoice::PageRange;
        chooser.answer.from = 2;
        chooser.answer.to = 3;
        TFormNahledTisku& w = showOrdersList(45);
        w.SBTisk->click();
        QFile pdf(chooser.file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll().count("/Type /Page\n"), 2);
        QVERIFY(w.Ukazatel->isVisible());
        QCOMPARE(w.Ukazatel->value(), 2);
        w.SBNastaveniTisku->click();
        QCOMPARE(chooser.setups, 1);
    }

    void hintLabelFollowsTheApplicationHintWhileShown() {
        TFormNahledTisku& w = showOrdersList(3);
        QVERIFY(w.followsHints());
        QStatusTipEvent enter(w.SBTisk->statusTip());
        QCoreApplication::sendEvent(w.SBTisk, &enter);
        QCOMPARE(w.HintLabel->text(), QStringLiteral("Tisk aktuálního reportu..."));
        w.SBClose->click();
        QVERIFY(!w.followsHints());
        QStatusTipEvent other(w.SBMailuj->statusTip());
        QCoreApplication::sendEvent(w.SBMailuj, &other);
        QCOMPARE(w.HintLabel->text(), QStringLiteral("Tisk aktuálního reportu..."));
    }

    void startUpMakesBothAndCallersShowAReport() {
        kv::tools::fillOrders(db_->dm(), 12);
        const std::unique_ptr<QObject> previewWindow = kv::print::createPrintPreview();
        const std::unique_ptr<QObject> container = kv::print::createReportContainer();
        TFormNahledTisku* preview = kv::print::FormNahledTisku;
        kv::print::TSestavy* sestavy = kv::print::Sestavy;
        QCOMPARE(previewWindow.get(), preview);
        QCOMPARE(container.get(), sestavy);
        QVERIFY(preview->isHidden());

        kv::ui::ScriptedDialogs dialogs;
        int pages = 0;
        dialogs.onModal = [&](QDialog& d) {
            d.show();
            pages = preview->NahledReportu->pageCount();
            preview->SBClose->click();
            return int(QDialog::Rejected);
        };
        kv::print::showReport(sestavy->SeznamObjednavek, QStringLiteral("Seznam objednávek"));
        QCOMPARE(dialogs.calls.value(0).kind, QStringLiteral("modal"));
        QCOMPARE(dialogs.calls.value(0).text, QStringLiteral("FormNahledTisku"));
        QCOMPARE(pages, 2);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Seznam objednávek"));
        QCOMPARE(preview->NahledReportu->reportDirectory(), kv::programFolder());
        QVERIFY(preview->isHidden());
    }

    void closingDeletesTempPngAndHides() {
        TFormNahledTisku& w = showOrdersList(3);
        QFile png(kv::programFolder() + QStringLiteral("temp.png"));
        QVERIFY(png.open(QIODevice::WriteOnly));
        png.write("picture");
        png.close();
        w.SBClose->click();
        QVERIFY(!QFile::exists(png.fileName()));
        QVERIFY(w.isHidden());
        // Closing without a picture left behind is quiet too.
        w.show();
        w.SBClose->click();
        QVERIFY(w.isHidden());
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
