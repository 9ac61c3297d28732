// The print preview window: its controls, showing, navigation, zoom, jump to a page, printing
// and closing.
#include "formnahledtisku.h"

#include "previewglyphs.h"
#include "previewstatus.h"

#include "base/programfolder.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kv::print {

TFormNahledTisku* FormNahledTisku = nullptr;

using ui::arial;

namespace {

// A glyph-only button; a screen reader names it by its hint, or by `accessibleName` where it has none.
QToolButton* speedButton(QWidget* parent, const char* name, PreviewGlyph glyph, int size, const QString& hint,
                         const QString& accessibleName = {}) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessibleName.isEmpty() ? hint : accessibleName);
    b->setAutoRaise(true);
    b->setFixedSize(size, size);
    const int icon = size >= 35 ? 26 : 18;
    b->setIcon(previewGlyph(glyph, icon));
    b->setIconSize(QSize(icon, icon));
    b->setStatusTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QFrame* panel(QWidget* parent, const char* name, const QString& hint = {}) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setStatusTip(hint);
    f->setAccessibleName(hint);
    return f;
}

QLabel* panelLabel(QWidget* parent, const char* name, const QString& hint, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    l->setAlignment(Qt::AlignCenter);
    l->setStatusTip(hint);
    // A screen reader reads the shown text as the name and the hint as what it means.
    l->setAccessibleDescription(hint);
    l->setFixedWidth(width);
    return l;
}

// An edit of the mail panel under its caption: the label 16 pixels high at `top`, the edit
// `editHeight` high right below it, both 320 wide. The edit is named by the caption, which also
// gives it its keyboard focus.
template <typename Edit>
Edit* labelledEdit(QWidget* parent, const QString& caption, const char* name, int top, int editHeight) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(10, top, 320, 16);
    auto* edit = new Edit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(10, top + 17, 320, editHeight);
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    return edit;
}

} // namespace

TFormNahledTisku::TFormNahledTisku(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormNahledTisku"));
    FormNahledTisku = this;
    setWindowTitle(QStringLiteral("Tvorba reportu...."));
    setFont(arial(12));
    setWindowState(Qt::WindowMaximized);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolBar();
    column->addWidget(ToolBarPanel);

    NahledReportu = new kv::report::ReportPreview(this);
    NahledReportu->setObjectName(QStringLiteral("NahledReportu"));
    NahledReportu->setAccessibleName(QStringLiteral("Náhled reportu"));
    NahledReportu->setReportName(QStringLiteral("Objednávka..."));
    // The user's home folder stands where a fixed drive letter would.
    NahledReportu->setReportDirectory(QDir::homePath() + QLatin1Char('/'));
    column->addWidget(NahledReportu, 1);
    buildMailPanel();

    buildStatusBar();
    column->addWidget(StatBarPanel);
    NahledReportu->setProgressBar(Ukazatel);
    hints_ = new HintFollower(HintLabel, this);

    connect(SpeedButton1, &QToolButton::clicked, this, &TFormNahledTisku::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFormNahledTisku::SpeedButton2Click);
    connect(SBNastaveniTisku, &QToolButton::clicked, this, &TFormNahledTisku::SBNastaveniTiskuClick);
    connect(SBTisk, &QToolButton::clicked, this, &TFormNahledTisku::SBTiskClick);
    connect(SBClose, &QToolButton::clicked, this, &TFormNahledTisku::SBCloseClick);
    connect(sbPrvniStrana, &QToolButton::clicked, this, &TFormNahledTisku::sbPrvniStranaClick);
    connect(sbMinulaStrana, &QToolButton::clicked, this, &TFormNahledTisku::sbMinulaStranaClick);
    connect(sbDalsiStrana, &QToolButton::clicked, this, &TFormNahledTisku::sbDalsiStranaClick);
    connect(sbPosledniStrana, &QToolButton::clicked, this, &TFormNahledTisku::sbPosledniStranaClick);
    connect(SPJdiNaStranu, &QToolButton::clicked, this, &TFormNahledTisku::SPJdiNaStranuClick);
    connect(NahledReportu, &kv::report::ReportPreview::onPageChange, this,
            &TFormNahledTisku::NahledReportuPageChange);
    connect(NahledReportu, &kv::report::ReportPreview::onZoomChange, this,
            &TFormNahledTisku::NahledReportuZoomChange);

    SD = new QFileDialog(this, QStringLiteral("Výběr umístění a názvu exportu...."));
    SD->setObjectName(QStringLiteral("SD"));
    SD->setAcceptMode(QFileDialog::AcceptSave);
    connectExports();
}

TFormNahledTisku::~TFormNahledTisku() {
    if (FormNahledTisku == this)
        FormNahledTisku = nullptr;
}

void TFormNahledTisku::buildToolBar() {
    ToolBarPanel = panel(this, "ToolBarPanel");
    ToolBarPanel->setFixedHeight(45);
    auto* row = new QHBoxLayout(ToolBarPanel);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(2);
    const QString disabledExport =
        QStringLiteral("Export do %1 je v tomto programu zakázán z důvodu \"proložených\" reportů... - %2");
    SpeedButton2 = speedButton(ToolBarPanel, "SpeedButton2", PreviewGlyph::ZoomOut, 35, {},
                               QStringLiteral("Zmenšit náhled"));
    SpeedButton1 = speedButton(ToolBarPanel, "SpeedButton1", PreviewGlyph::ZoomIn, 35, {},
                               QStringLiteral("Zvětšit náhled"));
    SBNastaveniTisku = speedButton(ToolBarPanel, "SBNastaveniTisku", PreviewGlyph::PrinterSetup, 35,
                                   QStringLiteral("Nastavení tiskárny..."));
    SBTisk = speedButton(ToolBarPanel, "SBTisk", PreviewGlyph::Print, 35,
                         QStringLiteral("Tisk aktuálního reportu..."));
    SBExportTXT =
        speedButton(ToolBarPanel, "SBExportTXT", PreviewGlyph::Text, 35,
                    disabledExport.arg(QStringLiteral("TXT"),
                                       QStringLiteral("Exportovat do jednoduchého textového souboru")));
    SBHtmlExport =
        speedButton(ToolBarPanel, "SBHtmlExport", PreviewGlyph::Html, 35,
                    disabledExport.arg(QStringLiteral("HTML"), QStringLiteral("Exportovat do HTML souboru")));
    SBExcelExport =
        speedButton(ToolBarPanel, "SBExcelExport", PreviewGlyph::Spreadsheet, 35,
                    disabledExport.arg(QStringLiteral("XLS"), QStringLiteral("Exportovat report do Excelu")));
    for (QToolButton* b : {SBHtmlExport, SBExcelExport})
        b->setFocusPolicy(Qt::StrongFocus);
    excelDisabledHint_ = SBExcelExport->statusTip();
    htmlDisabledHint_ = SBHtmlExport->statusTip();
    SBImage = speedButton(ToolBarPanel, "SBImage", PreviewGlyph::Picture, 35,
                          QStringLiteral("Exportovat report do bitmapového obrázku (PNG, JPG, BMP)"));
    SBImages = speedButton(ToolBarPanel, "SBImages", PreviewGlyph::Pictures, 35,
                           QStringLiteral("Exportovat report do bitmapových obrázků  (PNG, JPG, BMP)"));
    SBPdf = speedButton(ToolBarPanel, "SBPdf", PreviewGlyph::Pdf, 35, QStringLiteral("Exportovat report do PDF"));
    SBMailuj = speedButton(ToolBarPanel, "SBMailuj", PreviewGlyph::Mail, 35,
                           QStringLiteral("Odeslat report e-mailem pomocí MAPI.."));
    // The document's way out: reachable by the keyboard as well.
    for (QToolButton* b : {SBPdf, SBMailuj})
        b->setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* b : {SBExportTXT, SBHtmlExport, SBExcelExport})
        b->setEnabled(false);
    for (QToolButton* b : {SpeedButton2, SpeedButton1, SBNastaveniTisku, SBTisk, SBExportTXT, SBHtmlExport,
                           SBExcelExport, SBImage, SBImages, SBPdf, SBMailuj})
        row->addWidget(b);
    row->addStretch(1);

    auto* closePanel = new QFrame(ToolBarPanel);
    closePanel->setObjectName(QStringLiteral("ClosePanel"));
    auto* closeRow = new QHBoxLayout(closePanel);
    closeRow->setContentsMargins(0, 0, 0, 0);
    SBClose = speedButton(closePanel, "SBClose", PreviewGlyph::Close, 35,
                          QStringLiteral("Uzavření tiskového náhledu"));
    closeRow->addWidget(SBClose);
    row->addWidget(closePanel);
}

void TFormNahledTisku::buildMailPanel() {
    // Over the pages, in the preview's viewport: a screen reader finds a scroll area's viewport and
    // scroll bars only, so a panel on the scroll area itself, and every box in it, would be unseen.
    PanOdesliEmail = new QFrame(NahledReportu->viewport());
    PanOdesliEmail->setObjectName(QStringLiteral("PanOdesliEmail"));
    PanOdesliEmail->setFrameShape(QFrame::Panel);
    PanOdesliEmail->setFrameShadow(QFrame::Sunken);
    PanOdesliEmail->setAutoFillBackground(true);
    PanOdesliEmail->setFont(arial(13));
    PanOdesliEmail->setGeometry(199, 0, 340, 385);
    PanOdesliEmail->setAccessibleName(QStringLiteral("Odeslání reportu e-mailem"));

    auto* title = new QLabel(QStringLiteral("Odeslání reportu e-mailem:"), PanOdesliEmail);
    title->setFont(arial(13, true, true));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(10, 6, 320, 18);

    edPrijemcelEmailu_Email = labelledEdit<QLineEdit>(PanOdesliEmail, QStringLiteral("E-mail příjemce:"),
                                                      "edPrijemcelEmailu_Email", 30, 22);
    edPredmetEmailu = labelledEdit<QLineEdit>(PanOdesliEmail, QStringLiteral("Předmět (nadpis zprávy):"),
                                              "edPredmetEmailu", 74, 22);
    edTextZpravy = labelledEdit<QPlainTextEdit>(PanOdesliEmail, QStringLiteral("Text zprávy:"),
                                                "edTextZpravy", 118, 150);
    edTextZpravy->setTabChangesFocus(true);

    chPrilozitPNG = new QCheckBox(QStringLiteral("Přiložit jako obrázek PNG"), PanOdesliEmail);
    chPrilozitPNG->setObjectName(QStringLiteral("chPrilozitPNG"));
    chPrilozitPNG->setAccessibleName(chPrilozitPNG->text());
    chPrilozitPNG->setGeometry(10, 290, 320, 20);

    auto* note =
        new QLabel(QStringLiteral("Údaje je možno zadat později v poštovním programu...."), PanOdesliEmail);
    note->setGeometry(10, 315, 320, 16);

    SBZrusSendMail = speedButton(PanOdesliEmail, "SBZrusSendMail", PreviewGlyph::Cancel, 35,
                                 QStringLiteral("Zrušit odeslání reportu e-mailem..."));
    SBZrusSendMail->move(10, 340);
    SBPosliZpravu = speedButton(PanOdesliEmail, "SBPosliZpravu", PreviewGlyph::Send, 35,
                                QStringLiteral("Odeslat report..."));
    SBPosliZpravu->move(295, 340);
    for (QToolButton* b : {SBZrusSendMail, SBPosliZpravu})
        b->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(edTextZpravy, chPrilozitPNG);
    QWidget::setTabOrder(chPrilozitPNG, SBPosliZpravu);
    QWidget::setTabOrder(SBPosliZpravu, SBZrusSendMail);
    PanOdesliEmail->hide();
}

void TFormNahledTisku::buildStatusBar() {
    StatBarPanel = panel(this, "StatBarPanel");
    StatBarPanel->setFixedHeight(28);
    auto* row = new QHBoxLayout(StatBarPanel);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(1);

    MoveButPanel = panel(StatBarPanel, "MoveButPanel");
    auto* moves = new QHBoxLayout(MoveButPanel);
    moves->setContentsMargins(0, 0, 0, 0);
    moves->setSpacing(0);
    sbPrvniStrana = speedButton(MoveButPanel, "sbPrvniStrana", PreviewGlyph::First, 25,
                                QStringLiteral("Jdi ma 1. stránku"));
    sbMinulaStrana = speedButton(MoveButPanel, "sbMinulaStrana", PreviewGlyph::Prior, 25,
                                 QStringLiteral("Jdi na minulou stránku"));
    sbDalsiStrana = speedButton(MoveButPanel, "sbDalsiStrana", PreviewGlyph::Next, 25,
                                QStringLiteral("Jdi na další stránku"));
    sbPosledniStrana = speedButton(MoveButPanel, "sbPosledniStrana", PreviewGlyph::Last, 25,
                                   QStringLiteral("Jdi na poslední stránku"));
    SPJdiNaStranu = speedButton(MoveButPanel, "SPJdiNaStranu", PreviewGlyph::GoToPage, 25,
                                QStringLiteral("Jdi na stránku číslo..."));
    for (QToolButton* b : {sbPrvniStrana, sbMinulaStrana, sbDalsiStrana, sbPosledniStrana, SPJdiNaStranu}) {
        b->setToolTip(b->statusTip());
        moves->addWidget(b);
    }
    row->addWidget(MoveButPanel);

    CurPageLabel =
        panelLabel(StatBarPanel, "CurPageLabel", QStringLiteral("Aktuálně zobrazená stránka dokumentu"), 90);
    row->addWidget(CurPageLabel);
    ZoomLabel = panelLabel(StatBarPanel, "ZoomLabel", QStringLiteral("Aktuální zvětšení dokumentu"), 130);
    row->addWidget(ZoomLabel);

    PosPanel = panel(StatBarPanel, "PosPanel", QStringLiteral("Ukazatel průběhu (je-li třeba),,,,"));
    PosPanel->setFixedWidth(160);
    auto* pos = new QHBoxLayout(PosPanel);
    pos->setContentsMargins(3, 3, 3, 3);
    Ukazatel = new QProgressBar(PosPanel);
    Ukazatel->setObjectName(QStringLiteral("Ukazatel"));
    Ukazatel->setStatusTip(QStringLiteral("Ukazatel průběhu..."));
    Ukazatel->setAccessibleName(Ukazatel->statusTip());
    Ukazatel->setRange(0, 100);
    Ukazatel->setTextVisible(false);
    pos->addWidget(Ukazatel);
    row->addWidget(PosPanel);

    Panel3 = panel(StatBarPanel, "Panel3", QStringLiteral("Panel s nápovědnými texty (hinty)"));
    auto* hint = new QHBoxLayout(Panel3);
    hint->setContentsMargins(4, 0, 4, 0);
    HintLabel = new QLabel(QStringLiteral("...................."), Panel3);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));
    HintLabel->setAccessibleDescription(Panel3->statusTip());
    HintLabel->setFont(arial(11));
    HintLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hint->addWidget(HintLabel);
    row->addWidget(Panel3, 1);
}

void TFormNahledTisku::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormNahledTisku::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TFormNahledTisku::FormShow() {
    hints_->install();
    setWindowTitle(NahledReportu->reportName());
    PanOdesliEmail->hide();
    NahledReportu->prepare();
    showExportButtons();
    NahledReportuPageChange(1);
    // The zoom stays from the last showing, so the status names the zoom really in force.
    NahledReportuZoomChange(NahledReportu->zoom());
}

void TFormNahledTisku::FormClose() {
    hints_->remove();
    QFile::remove(kv::programFolder() + QStringLiteral("temp.png"));
}

void TFormNahledTisku::SpeedButton1Click() {
    NahledReportu->setZoom(NahledReportu->zoom() + 25);
}
void TFormNahledTisku::SpeedButton2Click() {
    NahledReportu->setZoom(NahledReportu->zoom() - 25);
}
void TFormNahledTisku::SBNastaveniTiskuClick() {
    NahledReportu->printerSetup();
}
void TFormNahledTisku::SBTiskClick() {
    NahledReportu->print();
}
void TFormNahledTisku::sbPrvniStranaClick() {
    NahledReportu->firstPage();
}
void TFormNahledTisku::sbMinulaStranaClick() {
    NahledReportu->priorPage();
}
void TFormNahledTisku::sbDalsiStranaClick() {
    NahledReportu->nextPage();
}
void TFormNahledTisku::sbPosledniStranaClick() {
    NahledReportu->lastPage();
}
void TFormNahledTisku::SBCloseClick() {
    close();
}

void TFormNahledTisku::SPJdiNaStranuClick() {
    QString answer = QString::number(NahledReportu->currentPage());
    if (!kv::ui::dialogs().inputQuery(QStringLiteral("Změna zobrazené strany"),
                                      QStringLiteral("Skočit na stranu číslo:"), answer, this))
        return;
    const PageJump jump = checkPageJump(answer, NahledReportu->pageCount());
    if (!jump.ok) {
        kv::ui::showError(jump.error, this);
        return;
    }
    NahledReportu->setPage(jump.page);
    NahledReportuPageChange(jump.page);
}

void TFormNahledTisku::NahledReportuPageChange(int newPage) {
    const PageStatus s = pageStatus(newPage, NahledReportu->pageCount());
    CurPageLabel->setText(s.pageText);
    sbPrvniStrana->setEnabled(s.firstEnabled);
    sbMinulaStrana->setEnabled(s.priorEnabled);
    sbDalsiStrana->setEnabled(s.nextEnabled);
    sbPosledniStrana->setEnabled(s.lastEnabled);
    SPJdiNaStranu->setEnabled(s.jumpEnabled);
}

void TFormNahledTisku::showExportButtons() {
    const kv::report::Report* report = NahledReportu->report();
    const QString layout = report ? report->objectName() : QString();
    const auto show = [](QToolButton* button, bool suits, const QString& hint, const QString& disabledHint) {
        button->setEnabled(suits);
        button->setStatusTip(suits ? hint : disabledHint);
        button->setAccessibleName(button->statusTip());
    };
    show(SBExcelExport, workbookSuits(layout), QStringLiteral("Exportovat report do sešitu Excel (XLSX)"),
         excelDisabledHint_);
    show(SBHtmlExport, htmlSuits(layout), QStringLiteral("Exportovat do HTML souboru"), htmlDisabledHint_);
}

void TFormNahledTisku::NahledReportuZoomChange(int zoom) {
    ZoomLabel->setText(zoomText(zoom));
}

} // namespace kv::print
