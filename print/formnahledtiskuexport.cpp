// The print preview window's exports and e-mail: the image and PDF buttons with their save dialogs,
// the workbook button with its offer to open the workbook, the HTML button, the e-mail panel and its
// hand-off to the mail client, and the handler of the disabled text button.
#include "formnahledtisku.h"

#include "mailhandoff.h"
#include "savechoice.h"

#include "base/clock.h"
#include "base/programfolder.h"
#include "ui/dialogs.h"
#include "ui/shellopen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QUrl>

namespace kv::print {

namespace {
const QString kPictureFilter =
    QStringLiteral("Obrázek PNG (doporučeno)|*.png|Obrázek JPEG|*.jpg|Obrázek BMP (veliká velikost)|*.bmp|");
const QString kPicturesFilter =
    QStringLiteral("Obrázky PNG (doporučeno)|*.png|Obrázky JPEG|*.jpg|Obrázky BMP (veliká velikost)|*.bmp|");
const QString kPdfFilter = QStringLiteral("Dokument PDF|*.pdf");
const QString kWorkbookFilter = QStringLiteral("Sešit Excel|*.xlsx");
const QString kHtmlFilter = QStringLiteral("HTML soubory|*.html");
// Mails' attachments live this long before a start of the program removes them.
constexpr int kMailCopyDays = 1;
} // namespace

void TFormNahledTisku::connectExports() {
    MailFolder = MailAttachments::defaultFolder();
    MailAttachments(MailFolder).removeOlderThan(QDateTime::currentDateTime().addDays(-kMailCopyDays));

    connect(SBExportTXT, &QToolButton::clicked, this, &TFormNahledTisku::SBExportTXTClick);
    connect(SBHtmlExport, &QToolButton::clicked, this, &TFormNahledTisku::SBHtmlExportClick);
    connect(SBExcelExport, &QToolButton::clicked, this, &TFormNahledTisku::SBExcelExportClick);
    connect(SBImage, &QToolButton::clicked, this, &TFormNahledTisku::SBImageClick);
    connect(SBImages, &QToolButton::clicked, this, &TFormNahledTisku::SBImagesClick);
    connect(SBPdf, &QToolButton::clicked, this, &TFormNahledTisku::SBPdfClick);
    connect(SBMailuj, &QToolButton::clicked, this, &TFormNahledTisku::SBMailujClick);
    connect(SBPosliZpravu, &QToolButton::clicked, this, &TFormNahledTisku::SBPosliZpravuClick);
    connect(SBZrusSendMail, &QToolButton::clicked, this, &TFormNahledTisku::SBZrusSendMailClick);
    connect(edPrijemcelEmailu_Email, &QLineEdit::returnPressed, this,
            &TFormNahledTisku::edPrijemcelEmailu_EmailKeyPress);
    connect(edPredmetEmailu, &QLineEdit::returnPressed, this, &TFormNahledTisku::edPredmetEmailuKeyPress);
    PanOdesliEmail->installEventFilter(this);
}

QString TFormNahledTisku::askSaveFile(const QString& filter) {
    SD->setNameFilters(kv::ui::toQtFilter(filter).split(QStringLiteral(";;")));
    if (kv::ui::dialogs().showModal(*SD) != QDialog::Accepted || SD->selectedFiles().isEmpty())
        return {};
    return SD->selectedFiles().constFirst();
}

QString TFormNahledTisku::askSaveFileAs(const QString& filter, const QString& extension) {
    const QString title = documentTitle(NahledReportu->reportName(), Document);
    SD->selectFile(QDir(NahledReportu->reportDirectory())
                       .filePath(attachmentName(title, QLatin1Char('.') + extension)));
    // The dialog adds the extension to a name typed without it, so it asks about replacing the right
    // file; the picture buttons keep their own suffix.
    const QString suffix = SD->defaultSuffix();
    SD->setDefaultSuffix(extension);
    const QString file = askSaveFile(filter);
    SD->setDefaultSuffix(suffix);
    return file.isEmpty() ? file : withFilterExtension(file, SD->selectedNameFilter());
}

bool TFormNahledTisku::chooseExportTarget(const QString& filter) {
    const QString file = askSaveFile(filter);
    if (file.isEmpty())
        return false;
    const ExportTarget target = exportTarget(file);
    NahledReportu->setReportDirectory(target.directory);
    NahledReportu->setReportName(target.name);
    return true;
}

void TFormNahledTisku::SBExportTXTClick() {
    if (chooseExportTarget(QStringLiteral("Textové soubory|*.txt")))
        NahledReportu->exportText(nullptr, true);
}

void TFormNahledTisku::SBHtmlExportClick() {
    const QString file = askSaveFileAs(kHtmlFilter, QStringLiteral("html"));
    if (!file.isEmpty())
        NahledReportu->exportHtml(file, documentTitle(NahledReportu->reportName(), Document));
}

void TFormNahledTisku::SBExcelExportClick() {
    const QString workbook = askSaveFileAs(kWorkbookFilter, QStringLiteral("xlsx"));
    if (workbook.isEmpty() || !NahledReportu->exportWorkbook(workbook))
        return;
    if (kv::ui::dialogs().message(workbookSavedText(workbook), kv::ui::MsgStyle::Confirmation,
                                  kv::ui::MsgButton::Yes | kv::ui::MsgButton::No, this) == kv::ui::MsgButton::Yes)
        kv::ui::openInShell(QUrl::fromLocalFile(workbook));
}

void TFormNahledTisku::SBImageClick() {
    // A picture save dialog with the system's own title takes the place of SD from now on.
    auto* picture = new QFileDialog(this);
    picture->setObjectName(QStringLiteral("SD"));
    picture->setAcceptMode(QFileDialog::AcceptSave);
    picture->setDefaultSuffix(QStringLiteral("png"));
    SD->deleteLater();
    SD = picture;
    const QString file = askSaveFile(kPictureFilter);
    if (!file.isEmpty())
        NahledReportu->exportImage(withFilterExtension(file, SD->selectedNameFilter()), true);
}

void TFormNahledTisku::SBImagesClick() {
    const QString file = askSaveFile(kPicturesFilter);
    if (!file.isEmpty())
        NahledReportu->exportImage(withFilterExtension(file, SD->selectedNameFilter()), false);
}

kv::report::PdfInformation TFormNahledTisku::pdfInformation() const {
    kv::report::PdfInformation info;
    info.title = documentTitle(NahledReportu->reportName(), Document);
    info.author = Document.author;
    info.created = kv::clock::now();
    return info;
}

void TFormNahledTisku::SBPdfClick() {
    const QString file = askSaveFileAs(kPdfFilter, QStringLiteral("pdf"));
    if (!file.isEmpty())
        NahledReportu->exportPdf(file, pdfInformation());
}

void TFormNahledTisku::SBMailujClick() {
    PanOdesliEmail->show();
    PanOdesliEmail->raise();
    // An order form goes to its supplier; for the lists the box keeps what was typed last.
    if (!Document.recipient.isEmpty())
        edPrijemcelEmailu_Email->setText(Document.recipient);
    edPredmetEmailu->setText(documentTitle(NahledReportu->reportName(), Document));
    edTextZpravy->clear();
    QCoreApplication::processEvents();
    edPrijemcelEmailu_Email->setFocus();
}

void TFormNahledTisku::edPrijemcelEmailu_EmailKeyPress() {
    edPredmetEmailu->setFocus();
}

void TFormNahledTisku::edPredmetEmailuKeyPress() {
    edTextZpravy->setFocus();
}

QString TFormNahledTisku::mailAttachment() {
    if (chPrilozitPNG->isChecked()) {
        const QString picture = kv::programFolder() + QStringLiteral("temp.png");
        QFile::remove(picture);
        NahledReportu->exportImage(picture, true);
        if (!QFile::exists(picture))
            return {};
        const QString copy = MailAttachments(MailFolder).keep(picture);
        return copy.isEmpty() ? picture : copy;
    }
    const QString name = attachmentName(documentTitle(NahledReportu->reportName(), Document), QStringLiteral(".pdf"));
    QString pdf = MailAttachments(MailFolder).place(name);
    if (pdf.isEmpty())
        pdf = kv::programFolder() + name;
    return NahledReportu->exportPdf(pdf, pdfInformation()) ? pdf : QString();
}

void TFormNahledTisku::SBPosliZpravuClick() {
    const QString attachment = mailAttachment();
    PanOdesliEmail->hide();
    // An export that failed has said so itself; there is nothing to send then.
    if (attachment.isEmpty())
        return;
    if (handToMailClient({edPrijemcelEmailu_Email->text(), edPredmetEmailu->text(),
                          edTextZpravy->toPlainText(), attachment}) == HandOff::AttachmentLeftOut)
        tellAttachmentLeftOut(attachment, this);
}

void TFormNahledTisku::SBZrusSendMailClick() {
    PanOdesliEmail->hide();
}

void TFormNahledTisku::PanOdesliEmailClick() {
    PanOdesliEmail->hide();
}

bool TFormNahledTisku::eventFilter(QObject* watched, QEvent* event) {
    // Only the panel's own background: a click on its labels or edits is theirs.
    if (watched == PanOdesliEmail && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!PanOdesliEmail->childAt(mouse->position().toPoint())) {
            PanOdesliEmailClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kv::print
