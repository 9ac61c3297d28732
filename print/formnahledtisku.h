// The print preview window: generates the pages of the report it was given, shows them with
// navigation and zoom, and prints them. Its image, e-mail and disabled export buttons are here
// with their hints and states.
#pragma once

#include "hintfollower.h"

#include "report/view/zireziduzozview.h"

#include <QDialog>
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
    kv::report::TZirezIduzozView* NahledReportu = nullptr;

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
    QToolButton* SBMailuj = nullptr;
    QToolButton* SBClose = nullptr;

    QFrame* PanOdesliEmail = nullptr;
    QLineEdit* edPrijemcelEmailu_Email = nullptr;
    QLineEdit* edPredmetEmailu = nullptr;
    QPlainTextEdit* edTextZpravy = nullptr;
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

    // The save dialog of the exports: its title and whether it asks for an existing folder.
    struct SaveDialogSettings {
        QString title = QStringLiteral("Výběr umístění a názvu exportu....");
        bool hideReadOnly = true;
        bool pathMustExist = true;
        bool resizable = true;
    } SD;

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

    bool followsHints() const { return hints_->installed(); }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildToolBar();
    void buildMailPanel();
    void buildStatusBar();

    HintFollower* hints_ = nullptr;
};

// The window made last, set while it exists.
extern TFormNahledTisku* FormNahledTisku;

} // namespace kv::print
