// The print preview's image buttons and e-mail panel: the picture save dialog that takes the place
// of SD with the chosen filter's extension, one file a page, the e-mail panel's filling, keys and
// hiding, the hand-off to a recording stand-in for xdg-email with a picture copy that outlives the
// preview, and the warnings and handlers of the disabled export buttons.
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/formnahledtisku.h"
#include "print/mailhandoff.h"
#include "print/sestavy.h"
#include "report/pages/reportmetrics.h"

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

namespace {

// A stand-in for xdg-email in a folder put first on the path: it writes its arguments, each ended
// by a zero byte, to "xdg-email.args" beside itself. Beside it xdg-mime names `mailtoHandler` as the
// desktop's mailto: handler, and MAILER is unset meanwhile.
class MailClientStandIn {
public:
    explicit MailClientStandIn(const QString& mailtoHandler = QStringLiteral("thunderbird.desktop")) {
        script(QStringLiteral("xdg-email"),
               QStringLiteral("printf '%s\\0' \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'").arg(record()));
        script(QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'").arg(mailtoHandler));
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + path_);
        qunsetenv("MAILER");
    }
    ~MailClientStandIn() {
        qputenv("PATH", path_);
        if (!mailer_.isNull())
            qputenv("MAILER", mailer_);
    }

    QString record() const { return dir_.filePath(QStringLiteral("xdg-email.args")); }
    QStringList arguments() const {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\0'));
        args.removeLast();
        return args;
    }

private:
    void script(const QString& name, const QString& body) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeUser);
    }

    QTemporaryDir dir_;
    QByteArray path_ = qgetenv("PATH");
    QByteArray mailer_ = qgetenv("MAILER");
};

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

    void sendingHandsAPictureCopyToTheMailClient() {
        MailClientStandIn mailClient;
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.edPrijemcelEmailu_Email->setText(QStringLiteral("nakup@firma.cz"));
        w.edPredmetEmailu->setText(QStringLiteral("Objednávky"));
        w.edTextZpravy->setPlainText(QStringLiteral("Dobrý den,\nposílám seznam."));
        w.SBPosliZpravu->click();
        QVERIFY(w.PanOdesliEmail->isHidden());
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        const QStringList args = mailClient.arguments();
        QCOMPARE(args.mid(0, 5),
                 (QStringList{"--utf8", "--subject", "Objednávky", "--body", "Dobrý den,\nposílám seznam."}));
        QCOMPARE(args.value(5), QStringLiteral("--attach"));
        QCOMPARE(args.value(7), QStringLiteral("nakup@firma.cz"));
        const QString copy = args.value(6);
        QVERIFY2(copy.startsWith(w.MailFolder + QLatin1Char('/')), qPrintable(copy));
        QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("temp.png"));
        // The preview deletes its temp.png when it closes; the mail client's copy stays.
        w.SBClose->click();
        QVERIFY(!QFile::exists(kv::programFolder() + QStringLiteral("temp.png")));
        QCOMPARE(QImageReader(copy).size(), QSize(1121, 3 * 793));
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

    void aPlainMailLinkSaysWhereThePictureIsAndOpensItsFolder() {
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
                 QStringList{QStringLiteral("Obrázek nelze k e-mailu přiložit. Je uložen v souboru:\n%1\n"
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

    void disabledExportButtonsKeepTheirHandlers() {
        kv::ui::ScriptedDialogs dialogs;
        TFormNahledTisku& w = showOrdersList();
        for (QToolButton* b : {w.SBExportTXT, w.SBHtmlExport, w.SBExcelExport})
            QVERIFY(!b->isEnabled());
        // The spreadsheet handler warns first; Cancel ends it.
        dialogs.messageAnswers.push_back(kv::ui::MsgButton::Cancel);
        w.SBExcelExportClick();
        QCOMPARE(dialogs.messages(), QStringList{"Tato funkce vyžaduje spuštěný program Microsoft Excel...\n"
                                                 "Spusťte prosím MS Excel a stiskněte tlačítko OK...."});
        QCOMPARE(dialogs.calls.value(0).style, kv::ui::MsgStyle::Warning);
        QCOMPARE(dialogs.calls.value(0).buttons, kv::ui::MsgButton::Ok | kv::ui::MsgButton::Cancel);
        // The text handler takes the chosen folder and the name with its extension, and the text
        // output adds its own.
        SaveAnswer answer(out(QStringLiteral("seznam.txt")));
        dialogs.onModal = std::ref(answer);
        w.SBExportTXTClick();
        QCOMPARE(answer.shownFilters, QStringList{"Textové soubory (*.txt)"});
        QCOMPARE(w.NahledReportu->reportDirectory(), out_->path());
        QCOMPARE(w.NahledReportu->reportName(), QStringLiteral("seznam.txt"));
        QVERIFY(QFile::exists(out(QStringLiteral("seznam.txt.txt"))));
        answer.file = out(QStringLiteral("seznam.html"));
        w.SBHtmlExportClick();
        QCOMPARE(answer.shownFilters, QStringList{"HTML soubory (*.html)"});
        QVERIFY(QFile::exists(out(QStringLiteral("seznam.html.HTML"))));
    }
};

QTEST_MAIN(TestPreviewExports)
#include "tst_previewexports.moc"
