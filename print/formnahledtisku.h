// The print preview window: generates the pages of the report it was given, shows them with
// navigation and zoom, and prints them. Its image, e-mail and disabled export buttons are here
// with their hints and states.
#pragma once

#include "hintfollower.h"
#include "reportdocument.h"

#include "report/view/reportpreview.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>

namespace kv::print {

class TFormNahledTisku : public QDialog {
    Q_OBJECT
public:
    explicit TFormNahledTisku(QWidget* parent = nullptr);
    ~TFormNahledTisku() override;

    // The caller sets Report, ReportDirectory and ReportName, then shows the window modally.
    kv::report::ReportPreview* NahledReportu = nullptr;

    QFrame* ToolBarPanel = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SBNastaveniTisku = nullptr;
    QToolButton* SBTisk = nullptr;
    QToolButton* SBExportTXT = nullptr;
    QToolButton* SBHtmlExport = nullptr;
    QToolButton* SBExcelExport = nullptr;
    QToolButton* SBImage = nullptr;
    QToolButton* SBImages = nullptr;
    QToolButton* SBPdf = nullptr;
    QToolButton* SBMailuj = nullptr;
    QToolButton* SBClose = nullptr;

    QFrame* PanOdesliEmail = nullptr;
    QLineEdit* edPrijemcelEmailu_Email = nullptr;
    QLineEdit* edPredmetEmailu = nullptr;
    QPlainTextEdit* edTextZpravy = nullptr;
    // Checked: the mail carries the report as one PNG picture instead of a PDF.
    QCheckBox* chPrilozitPNG = nullptr;
    QToolButton* SBZrusSendMail = nullptr;
    QToolButton* SBPosliZpravu = nullptr;

    QFrame* StatBarPanel = nullptr;
    QFrame* MoveButPanel = nullptr;
    QToolButton* sbPrvniStrana = nullptr;
    QToolButton* sbMinulaStrana = nullptr;
    QToolButton* sbDalsiStrana = nullptr;
    QToolButton* sbPosledniStrana = nullptr;
    QToolButton* SPJdiNaStranu = nullptr;
    QLabel* CurPageLabel = nullptr;
    QLabel* ZoomLabel = nullptr;
    QFrame* PosPanel = nullptr;
    QProgressBar* Ukazatel = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* HintLabel = nullptr;

    // The save dialog of the exports, shown through the dialog seam. The first image export of
    // all pages in one picture puts a picture save dialog in its place for the rest of the run.
    QFileDialog* SD = nullptr;

    // Handlers, public so that tests drive them as the buttons do.
    void FormShow();
    void FormClose();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SBNastaveniTiskuClick();
    void SBTiskClick();
    void sbPrvniStranaClick();
    void sbMinulaStranaClick();
    void sbDalsiStranaClick();
    void sbPosledniStranaClick();
    void SPJdiNaStranuClick();
    void NahledReportuPageChange(int newPage);
    void NahledReportuZoomChange(int zoom);
    void SBCloseClick();
    void SBExportTXTClick();
    void SBHtmlExportClick();
    void SBExcelExportClick();
    void SBImageClick();
    void SBImagesClick();
    void SBPdfClick();
    void SBMailujClick();
    void SBPosliZpravuClick();
    void SBZrusSendMailClick();
    void PanOdesliEmailClick();
    void edPrijemcelEmailu_EmailKeyPress();
    void edPredmetEmailuKeyPress();

    // Where mails' attachments are kept (the user's cache folder unless a test sets another).
    QString MailFolder;
    // What the caller told of the document shown: an order form's number and supplier address, and
    // the firm; it names the PDF and the mail and fills the mail panel.
    ReportDocument Document;

    bool followsHints() const { return hints_->installed(); }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildMailPanel();
    void buildStatusBar();
    void connectExports();
    // Shows SD with `filter`; the chosen file with the chosen filter's extension, or empty.
    QString askSaveFile(const QString& filter);
    // Shows SD with `filter`, offering the document's title as the name with `extension` ("pdf")
    // in the report's folder; the chosen file with the chosen filter's extension, or empty.
    QString askSaveFileAs(const QString& filter, const QString& extension);
    // Asks with SD; the chosen file's folder and name (with its extension) become the report's
    // directory and name. False when cancelled.
    bool chooseExportTarget(const QString& filter);
    // The spreadsheet and HTML buttons enabled, each with its own hint, for the reports their
    // outputs suit; disabled with the design's hint for the others.
    void showExportButtons();
    // The document information of a PDF of the report shown.
    kv::report::PdfInformation pdfInformation() const;
    // The report written for a mail, as a PDF or (with chPrilozitPNG) a picture; empty when the
    // export failed, which has said so itself.
    QString mailAttachment();

    HintFollower* hints_ = nullptr;
    QString excelDisabledHint_;
    QString htmlDisabledHint_;
};

// The window made last, set while it exists.
extern TFormNahledTisku* FormNahledTisku;

} // namespace kv::print
