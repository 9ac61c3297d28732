// The print preview's image buttons and e-mail panel: the picture save dialog that takes the place
// of SD with the chosen filter's extension, one file a page, the e-mail panel's filling, keys and
// hiding, the hand-off to a recording stand-in for xdg-email with a picture copy that outlives the
// preview, and the warnings and handlers of the disabled export buttons.
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/formnahledtisku.h"
#include "print/mailhandoff.h"
#include "print/sestavy.h"
#include "report/reportmetrics.h"

#include "base/programfolder.h"
#include "ui/scripteddialogs.h"

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
// by a zero byte, to "xdg-email.args" beside itself.
class MailClientStandIn {
public:
    MailClientStandIn() {
        QFile script(dir_.filePath(QStringLiteral("xdg-email")));
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\0' \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
                         .arg(record())
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeUser);
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + path_);
    }
    ~MailClientStandIn() { qputenv("PATH", path_); }

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
    QTemporaryDir dir_;
    QByteArray path_ = qgetenv("PATH");
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
        window_->NahledReportu->SetReport(sestavy_->SeznamObjednavek);
        window_->NahledReportu->SetReportDirectory(kv::programFolder());
        window_->NahledReportu->SetReportName(QStringLiteral("Seznam objednávek"));
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

    void missingMailClientIsSilent() {
        kv::ui::ScriptedDialogs dialogs;
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        TFormNahledTisku& w = showOrdersList();
        w.SBMailuj->click();
        w.SBPosliZpravu->click();
        qputenv("PATH", path);
        QVERIFY(dialogs.messages().isEmpty());
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
        QCOMPARE(w.NahledReportu->ReportDirectory(), out_->path());
        QCOMPARE(w.NahledReportu->ReportName(), QStringLiteral("seznam.txt"));
        QVERIFY(QFile::exists(out(QStringLiteral("seznam.txt.txt"))));
        answer.file = out(QStringLiteral("seznam.html"));
        w.SBHtmlExportClick();
        QCOMPARE(answer.shownFilters, QStringList{"HTML soubory (*.html)"});
        QVERIFY(QFile::exists(out(QStringLiteral("seznam.html.HTML"))));
    }
};

QTEST_MAIN(TestPreviewExports)
#include "tst_previewexports.moc"
