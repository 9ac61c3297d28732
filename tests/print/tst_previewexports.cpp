// The print preview's image and PDF buttons and e-mail panel: the picture save dialog that takes the
// place of SD with the chosen filter's extension, one file a page, the PDF with its document
// information or its error, the e-mail panel's filling for an order form, keys and hiding, the
// hand-off of a PDF or a picture to a recording stand-in for xdg-email with a file that outlives the
// preview, the workbook and HTML buttons of the lists, and the handler of the disabled text button.
#include "tests/support/mailclientstandin.h"
#include "tests/support/poppler.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/formnahledtisku.h"
#include "print/mailhandoff.h"
#include "print/sestavy.h"
#include "report/pages/reportmetrics.h"

#include "base/codec1250.h"
#include "base/programfolder.h"
#include "ui/scripteddialogs.h"
#include "ui/shellopen.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/time.h>

using kv::print::TFormNahledTisku;
using kv::test::MailClientStandIn;

namespace {

// Records what the shell was asked to open instead of opening it.
struct ShellRecorder {
    ShellRecorder() {
        kv::ui::setShellOpener([this](const QUrl& url) { opened << url; });
    }
    ~ShellRecorder() { kv::ui::setShellOpener({}); }
    QList<QUrl> opened;
};

// Answers the save dialog with `file` under the filter numbered `filter` (from 0), noting what it showed.
struct SaveAnswer {
    explicit SaveAnswer(const QString& f, int chosenFilter = 0, bool accepted = true)
        : file(f)
        , filter(chosenFilter)
        , accept(accepted) {}

    QString file;
    int filter;
    bool accept;
    QStringList shownFilters;
    QString shownSuffix;
    QString shownTitle;
    QFileDialog* shown = nullptr;

    int operator()(QDialog& d) {
        auto& dialog = dynamic_cast<QFileDialog&>(d);
        shown = &dialog;
        shownFilters = dialog.nameFilters();
        shownSuffix = dialog.defaultSuffix();
        shownTitle = dialog.windowTitle();
        if (!accept)
            return QDialog::Rejected;
        dialog.selectNameFilter(shownFilters.value(filter));
        dialog.selectFile(file);
        return QDialog::Accepted;
    }
};

void makeOld(const QString& path) {
    const timeval old[2] = {{0, 0}, {0, 0}};
    ::utimes(QFile::encodeName(path).constData(), old);
}

} // namespace

class TestPreviewExports : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::tools::SampleDatabase> db_;
    std::unique_ptr<kv::print::TSestavy> sestavy_;
    std::unique_ptr<TFormNahledTisku> window_;
    std::unique_ptr<QTemporaryDir> out_;

    // The window showing the orders list of 25 orders (3 landscape pages), as a caller shows it.
    TFormNahledTisku& showOrdersList() {
        kv::tools::fillOrders(db_->dm(), 25);
        sestavy_ = std::make_unique<kv::print::TSestavy>(db_->dm(), kv::report::ReportMetrics(96));
        window_ = std::make_unique<TFormNahledTisku>();
        window_->MailFolder = out_->filePath(QStringLiteral("mail"));
        window_->NahledReportu->setReport(sestavy_->SeznamObjednavek);
        window_->NahledReportu->setReportDirectory(kv::programFolder());
        window_->NahledReportu->setReportName(QStringLiteral("Seznam objednávek"));
        window_->show();
        return *window_;
    }
    QString out(const QString& name) const { return out_->filePath(name); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        db_ = std::make_unique<kv::tools::SampleDatabase>();
        out_ = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        window_.reset();
        sestavy_.reset();
        db_.reset();
        out_.reset();
    }

    void pictureButtonWritesOnePictureWithTheChosenFiltersExtension() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        QFileDialog* first = w.SD;
        QCOMPARE(first->windowTitle(), QStringLiteral("Výběr umístění a názvu exportu...."));
        // The JPEG filter with a name typed with ".png": a JPEG named ".jpg".
        SaveAnswer answer(out(QStringLiteral("seznam.png")), 1);
        dialogs.onModal = std::ref(answer);
        w.SBImage->click();
        QCOMPARE(answer.shownFilters, (QStringList{"Obrázek PNG (doporučeno) (*.png)", "Obrázek JPEG (*.jpg)",
                                                   "Obrázek BMP (veliká velikost) (*.bmp)"}));
        QCOMPARE(answer.shownSuffix, QStringLiteral("png"));
        QVERIFY(!QFile::exists(out(QStringLiteral("seznam.png"))));
        QImageReader picture(out(QStringLiteral("seznam.jpg")));
        QCOMPARE(picture.format(), QByteArray("jpeg"));
        QCOMPARE(picture.size(), QSize(1121, 3 * 793));
        // The picture dialog stays in SD's place for the following exports.
        QVERIFY(answer.shown != first);
        QCOMPARE(w.SD, answer.shown);
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(w.Ukazatel->isHidden());
    }

    void picturesButtonWritesAFileAPage() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        SaveAnswer answer(out(QStringLiteral("strany")), 2);
        dialogs.onModal = std::ref(answer);
        w.SBImages->click();
        QCOMPARE(answer.shown, w.SD);
        QCOMPARE(answer.shownTitle, QStringLiteral("Výběr umístění a názvu exportu...."));
        QCOMPARE(answer.shownFilters.value(0), QStringLiteral("Obrázky PNG (doporučeno) (*.png)"));
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files),
                 (QStringList{"strany_00001.bmp", "strany_00002.bmp", "strany_00003.bmp"}));
        QCOMPARE(QImage(out(QStringLiteral("strany_00002.bmp"))).size(), QSize(1121, 793));
    }

    void cancelledSaveDialogWritesNothing() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        SaveAnswer answer(out(QStringLiteral("x.png")), 0, false);
        dialogs.onModal = std::ref(answer);
        w.SBImage->click();
        w.SBImages->click();
        QVERIFY(QDir(out_->path()).isEmpty());
    }

    void mailButtonFillsThePanelAndEnterMovesOn() {
        TFormNahledTisku& w = showOrdersList();
        w.edTextZpravy->setPlainText(QStringLiteral("stará zpráva"));
        w.SBMailuj->click();
        QVERIFY(w.PanOdesliEmail->isVisible());
        QCOMPARE(w.edPredmetEmailu->text(), QStringLiteral("Seznam objednávek"));
        QVERIFY(w.edTextZpravy->toPlainText().isEmpty());
        QCOMPARE(w.focusWidget(), w.edPrijemcelEmailu_Email);
        QTest::keyClick(w.edPrijemcelEmailu_Email, Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.edPredmetEmailu);
        QTest::keyClick(w.edPredmetEmailu, Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.edTextZpravy);
        QVERIFY(w.isVisible());
    }

    void panelHidesOnCancelAndOnItsBackgroundOnly() {
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        QLabel* caption = w.PanOdesliEmail->findChild<QLabel*>();
        QTest::mouseClick(caption, Qt::LeftButton);
        QVERIFY(w.PanOdesliEmail->isVisible());
        QTest::mouseClick(w.PanOdesliEmail, Qt::LeftButton, {}, QPoint(150, 340));
        QVERIFY(w.PanOdesliEmail->isHidden());
        w.SBMailuj->click();
        w.SBZrusSendMail->click();
        QVERIFY(w.PanOdesliEmail->isHidden());
    }

    void pdfButtonWritesTheReportWithTheChosenName() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        w.Document.author = QStringLiteral("STROJÍRNY HORÁK s.r.o.");
        QCOMPARE(w.SBPdf->accessibleName(), QStringLiteral("Exportovat report do PDF"));
        QCOMPARE(w.SBPdf->statusTip(), QStringLiteral("Exportovat report do PDF"));
        // A name typed with another extension gets the filter's.
        SaveAnswer answer(out(QStringLiteral("seznam.txt")));
        dialogs.onModal = std::ref(answer);
        w.SBPdf->click();
        QCOMPARE(answer.shownFilters, QStringList{"Dokument PDF (*.pdf)"});
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files), QStringList{"seznam.pdf"});
        const QString info = kv::test::poppler(QStringLiteral("pdfinfo"), out(QStringLiteral("seznam.pdf")));
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Pages")), QStringLiteral("3"));
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Title")), QStringLiteral("Seznam objednávek"));
        QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Author")), QStringLiteral("STROJÍRNY HORÁK s.r.o."));
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(w.Ukazatel->isHidden());
    }

    // A folder of the target's name stands in the way: the error names the file and why, and
    // nothing is left behind.
    void anExportThatCannotBeWrittenIsReportedAndLeavesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::newRow("PDF") << "SBPdf" << "seznam.pdf" << "do PDF";
        QTest::newRow("workbook") << "SBExcelExport" << "seznam.xlsx" << "do sešitu";
        QTest::newRow("HTML") << "SBHtmlExport" << "seznam.html" << "do HTML";
    }
    void anExportThatCannotBeWrittenIsReportedAndLeavesNothing() {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QString, kind);
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        const QString target = out(file);
        QVERIFY(QDir().mkdir(target));
        SaveAnswer answer(target);
        dialogs.onModal = std::ref(answer);
        w.findChild<QToolButton*>(button)->click();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().constFirst().startsWith(
                     QStringLiteral("Došlo k chybě při exportu %1!\nChybová zpráva:Soubor \"%2\" nelze zapsat: ")
                         .arg(kind, target)),
                 qPrintable(dialogs.messages().constFirst()));
        QCOMPARE(dialogs.calls.constLast().style, kv::ui::MsgStyle::Error);
        QCOMPARE(QDir(out_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{file});
        QVERIFY(QDir(target).isEmpty());
        QVERIFY(w.Ukazatel->isHidden());
    }

    void orderFormStartsTheMailToItsSupplier() {
        TFormNahledTisku& w = showOrdersList();
        w.NahledReportu->setReportName(QStringLiteral("Objednávka"));
        w.Document = {QStringLiteral("2026/12/00001/JNO"), QStringLiteral("obchod@ferona.cz"), {}};
        w.SBMailuj->click();
        QCOMPARE(w.edPrijemcelEmailu_Email->text(), QStringLiteral("obchod@ferona.cz"));
        QCOMPARE(w.edPredmetEmailu->text(), QStringLiteral("Objednávka 2026/12/00001/JNO"));
        // A list has no recipient of its own: the box keeps what it holds.
        w.SBZrusSendMail->click();
        w.NahledReportu->setReportName(QStringLiteral("Seznam objednávek"));
        w.Document = {};
        w.SBMailuj->click();
        QCOMPARE(w.edPrijemcelEmailu_Email->text(), QStringLiteral("obchod@ferona.cz"));
        QCOMPARE(w.edPredmetEmailu->text(), QStringLiteral("Seznam objednávek"));
    }

    void attachmentNamesAreSafeEverywhere_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("order form") << "Objednávka 2026/12/00001/JNO" << "Objednavka 2026-12-00001-JNO.pdf";
        QTest::newRow("list") << "Seznam dodavatelů" << "Seznam dodavatelu.pdf";
        QTest::newRow("initials with a blank") << "Objednávka 2026/12/00042/ JH" << "Objednavka 2026-12-00042- JH.pdf";
        QTest::newRow("characters no system takes") << "A:B*C?\"D<E>F|G\\H\tI" << "A-B-C--D-E-F-G-H-I.pdf";
        QTest::newRow("letters with no plain form") << "Straße € ß" << "Stra-e - -.pdf";
        QTest::newRow("dots and blanks at the end") << "Seznam. . " << "Seznam.pdf";
        QTest::newRow("nothing left") << "..." << "Report.pdf";
    }
    void attachmentNamesAreSafeEverywhere() {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(kv::print::attachmentName(title, QStringLiteral(".pdf")), name);
    }

    // The mail carries a PDF named after the document, or with the check box the design's picture;
    // either outlives the preview.
    void sendingHandsTheReportToTheMailClient_data() {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("attachment");
        QTest::newRow("PDF") << false << "Objednavka 2026-12-00001-JNO.pdf";
        QTest::newRow("PNG") << true << "temp.png";
    }
    void sendingHandsTheReportToTheMailClient() {
        QFETCH(bool, picture);
        QFETCH(QString, attachment);
        MailClientStandIn mailClient;
        TFormNahledTisku& w = showOrdersList();
        w.NahledReportu->setReportName(QStringLiteral("Objednávka"));
        w.Document = {QStringLiteral("2026/12/00001/JNO"), QStringLiteral("obchod@ferona.cz"), {}};
        w.SBMailuj->click();
        QVERIFY(!w.chPrilozitPNG->isChecked());
        w.chPrilozitPNG->setChecked(picture);
        w.edTextZpravy->setPlainText(QStringLiteral("Dobrý den,\nposílám objednávku."));
        w.SBPosliZpravu->click();
        QVERIFY(w.PanOdesliEmail->isHidden());
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        const QStringList args = mailClient.arguments();
        QCOMPARE(args.mid(0, 5), (QStringList{"--utf8", "--subject", "Objednávka 2026/12/00001/JNO", "--body",
                                              "Dobrý den,\nposílám objednávku."}));
        QCOMPARE(args.value(5), QStringLiteral("--attach"));
        QCOMPARE(args.value(7), QStringLiteral("obchod@ferona.cz"));
        const QString copy = args.value(6);
        QVERIFY2(copy.startsWith(w.MailFolder + QLatin1Char('/')), qPrintable(copy));
        QCOMPARE(QFileInfo(copy).fileName(), attachment);
        // The preview deletes its temp.png when it closes; the mail client's file stays.
        w.SBClose->click();
        QVERIFY(!QFile::exists(kv::programFolder() + QStringLiteral("temp.png")));
        if (picture) {
            QCOMPARE(QImageReader(copy).size(), QSize(1121, 3 * 793));
        } else {
            const QString info = kv::test::poppler(QStringLiteral("pdfinfo"), copy);
            QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Pages")), QStringLiteral("3"));
            QCOMPARE(kv::test::pdfInfoField(info, QStringLiteral("Title")),
                     QStringLiteral("Objednávka 2026/12/00001/JNO"));
        }
    }

    void emptyFieldsAreLeftOut() {
        MailClientStandIn mailClient;
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.edPredmetEmailu->clear();
        w.SBPosliZpravu->click();
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        const QStringList args = mailClient.arguments();
        QCOMPARE(args.size(), 3);
        QCOMPARE(args.mid(0, 2), (QStringList{"--utf8", "--attach"}));
    }

    void onlyTheClientsThatReadAnAttachmentGetThePicture_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<bool>("attached");
        // xdg-email starts Thunderbird with the attachment itself, under any of its packagings' names.
        QTest::newRow("Thunderbird") << "thunderbird.desktop" << true;
        QTest::newRow("Thunderbird, Flatpak") << "org.mozilla.Thunderbird.desktop" << true;
        QTest::newRow("Icedove") << "icedove.desktop" << true;
        // These read the "attach" field of the mailto: link xdg-email opens for them.
        QTest::newRow("Evolution") << "org.gnome.Evolution.desktop" << true;
        QTest::newRow("KMail") << "org.kde.kmail2.desktop" << true;
        QTest::newRow("Claws Mail") << "claws-mail.desktop" << true;
        QTest::newRow("MAILER command of a client reading the link")
            << "/usr/bin/evolution --component=mail" << true;
        // xdg-email gives a MAILER command the link, Thunderbird too.
        QTest::newRow("MAILER command of Thunderbird") << "/usr/bin/thunderbird -compose" << false;
        // A browser or web mail gets the plain link; so does whatever opens it when none is set.
        QTest::newRow("browser") << "firefox-esr.desktop" << false;
        QTest::newRow("another client") << "org.gnome.Geary.desktop" << false;
        QTest::newRow("none set") << "" << false;
        // A folder named like a client does not make its program one.
        QTest::newRow("path through a client's folder") << "/opt/thunderbird/mutt" << false;
    }
    void onlyTheClientsThatReadAnAttachmentGetThePicture() {
        QFETCH(QString, handler);
        QFETCH(bool, attached);
        QCOMPARE(kv::print::mailRouteFor(handler) == kv::print::MailRoute::Attached, attached);
    }

    void aPlainMailLinkSaysWhereTheAttachmentIsAndOpensItsFolder() {
        MailClientStandIn mailClient(QStringLiteral("firefox-esr.desktop"));
        kv::ui::ScriptedDialogs dialogs;
        ShellRecorder shell;
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.edPrijemcelEmailu_Email->setText(QStringLiteral("nakup@firma.cz"));
        w.SBPosliZpravu->click();
        // The mail still opens with its recipient and subject.
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        QCOMPARE(mailClient.arguments().constLast(), QStringLiteral("nakup@firma.cz"));
        const QString copy = mailClient.arguments().value(4);
        QVERIFY2(copy.startsWith(w.MailFolder + QLatin1Char('/')), qPrintable(copy));
        QCOMPARE(dialogs.messages(),
                 QStringList{QStringLiteral("Dokument PDF nelze k e-mailu přiložit. Je uložen v souboru:\n%1\n"
                                            "Přiložte jej prosím ke zprávě sami.")
                                 .arg(copy)});
        QCOMPARE(dialogs.calls.value(0).style, kv::ui::MsgStyle::Information);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(QFileInfo(copy).absolutePath())});
        // The copy named outlives the preview.
        w.SBClose->click();
        QVERIFY(QFile::exists(copy));
    }

    void aClientThatTakesThePictureNeedsNoWord() {
        MailClientStandIn mailClient(QStringLiteral("org.gnome.Evolution.desktop"));
        kv::ui::ScriptedDialogs dialogs;
        ShellRecorder shell;
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.SBPosliZpravu->click();
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(shell.opened.isEmpty());
    }

    void missingMailClientIsSilent() {
        kv::ui::ScriptedDialogs dialogs;
        ShellRecorder shell;
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.SBPosliZpravu->click();
        qputenv("PATH", path);
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(shell.opened.isEmpty());
        QVERIFY(w.PanOdesliEmail->isHidden());
    }

    void mailCopiesOfEarlierRunsGoAtALaterStart() {
        const QString folder = kv::print::MailAttachments::defaultFolder();
        kv::print::MailAttachments attachments(folder);
        QFile picture(out(QStringLiteral("temp.png")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write("obrazek");
        picture.close();
        const QString old = attachments.keep(picture.fileName());
        const QString fresh = attachments.keep(picture.fileName());
        QVERIFY(!old.isEmpty() && !fresh.isEmpty() && old != fresh);
        makeOld(QFileInfo(old).absolutePath());
        // The preview window is made once at start-up.
        TFormNahledTisku w;
        QVERIFY(!QFile::exists(old));
        QVERIFY(QFile::exists(fresh));
        QDir(folder).removeRecursively();
    }

    void workbookButtonSavesTheListAndOffersToOpenIt() {
        kv::ui::ScriptedDialogs dialogs;
        ShellRecorder shell;
        TFormNahledTisku& w = showOrdersList();
        QVERIFY(w.SBExcelExport->isEnabled());
        QCOMPARE(w.SBExcelExport->accessibleName(), QStringLiteral("Exportovat report do sešitu Excel (XLSX)"));
        SaveAnswer answer(out(QStringLiteral("objednavky")));
        dialogs.onModal = std::ref(answer);
        dialogs.messageAnswers.push_back(kv::ui::MsgButton::Yes);
        w.SBExcelExport->click();
        QCOMPARE(answer.shownFilters, QStringList{"Sešit Excel (*.xlsx)"});
        const QString workbook = out(QStringLiteral("objednavky.xlsx"));
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"objednavky.xlsx"});
        QCOMPARE(dialogs.messages(), QStringList{kv::print::workbookSavedText(workbook)});
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(workbook)});
        QVERIFY(w.Ukazatel->isHidden());
        // Not opened when the clerk says no; the order form has no workbook.
        dialogs.messageAnswers.push_back(kv::ui::MsgButton::No);
        w.SBExcelExport->click();
        QCOMPARE(shell.opened.size(), 1);
        w.NahledReportu->setReport(sestavy_->Objednavka);
        w.hide();
        w.show();
        QVERIFY(!w.SBExcelExport->isEnabled());
        QVERIFY(w.SBExcelExport->accessibleName().startsWith(QStringLiteral("Export do XLS je v tomto programu zakázán")));
    }

    // The lists' document under the name offered or chosen, the filter's extension added; the order
    // form's one band would be a row of sixty cells, so its button stays disabled with its hint.
    void htmlButtonSavesTheListUnderItsTitle() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        QVERIFY(w.SBHtmlExport->isEnabled());
        QCOMPARE(w.SBHtmlExport->accessibleName(), QStringLiteral("Exportovat do HTML souboru"));
        SaveAnswer answer(out(QStringLiteral("objednavky")));
        dialogs.onModal = std::ref(answer);
        w.SBHtmlExport->click();
        QCOMPARE(answer.shownFilters, QStringList{"HTML soubory (*.html)"});
        QCOMPARE(answer.shownSuffix, QStringLiteral("html"));
        QCOMPARE(QDir(out_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"objednavky.html"});
        QFile document(out(QStringLiteral("objednavky.html")));
        QVERIFY(document.open(QIODevice::ReadOnly));
        const QByteArray html = document.readAll();
        QVERIFY(html.contains("<title>Seznam objedn\xE1vek</title>"));
        kv::store::Table& orders = db_->dm().tabKalmorvaty;
        for (orders.first(); !orders.eof(); orders.next())
            QVERIFY(html.contains(kv::toCp1250(orders.fieldByName(QStringLiteral("Cislo")).asString())));
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(w.Ukazatel->isHidden());
        // The name offered is the document's title.
        SaveAnswer offered({});
        offered.accept = false;
        dialogs.onModal = std::ref(offered);
        w.SBHtmlExport->click();
        QCOMPARE(QFileInfo(offered.shown->selectedFiles().value(0)).fileName(), QStringLiteral("Seznam objednavek.html"));
        w.NahledReportu->setReport(sestavy_->Objednavka);
        w.hide();
        w.show();
        QVERIFY(!w.SBHtmlExport->isEnabled());
        QVERIFY(w.SBHtmlExport->accessibleName().startsWith(QStringLiteral("Export do HTML je v tomto programu zakázán")));
    }

    void disabledTextButtonKeepsItsHandler() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        QVERIFY(!w.SBExportTXT->isEnabled());
        // The text handler takes the chosen folder and the name with its extension, and the text
        // output adds its own.
        SaveAnswer answer(out(QStringLiteral("seznam.txt")));
        dialogs.onModal = std::ref(answer);
        w.SBExportTXTClick();
        QCOMPARE(answer.shownFilters, QStringList{"Textové soubory (*.txt)"});
        QCOMPARE(w.NahledReportu->reportDirectory(), out_->path());
        QCOMPARE(w.NahledReportu->reportName(), QStringLiteral("seznam.txt"));
        QVERIFY(QFile::exists(out(QStringLiteral("seznam.txt.txt"))));
    }
};

QTEST_MAIN(TestPreviewExports)
#include "tst_previewexports.moc"
