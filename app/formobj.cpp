// The main window's buttons, the manual menu and the remembered position.
#include "formobj.h"

#include "setupini.h"
#include "ui/appwindows.h"
#include "ui/shellopen.h"
#include "ui/windowplacement.h"

#include "base/programfolder.h"
#include "data/datmod.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFrame>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace kv::app {
namespace {

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A tool window's small frame (title and close button only) on a normal window: a tool window
// has no place in the desktop's task bar and window switcher, and the main window must have one.
constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

} // namespace

TFormObj::TFormObj(ui::AppWindows& windows, QWidget* parent)
    : QWidget(parent, kFrame)
    , windows_(windows) {
    setObjectName(QStringLiteral("FormObj"));
    setWindowTitle(QStringLiteral("Kalmorvaty..."));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(25);
        return b;
    };
    tlNova = button("tlNova", QStringLiteral("Nová objednávka"));
    tlVyrizene = button("tlVyrizene", QStringLiteral("Seznam objednávek"));
    tlDodavatele = button("tlDodavatele", QStringLiteral("Seznam dodavatelů"));
    tlUzivatele = button("tlUzivatele", QStringLiteral("Seznam uživatelů"));
    tlZpPlatby = button("tlZpPlatby", QStringLiteral("Způsoby platby"));
    tlTypDopravy = button("tlTypDopravy", QStringLiteral("Typy dopravy"));
    tlNastaveni = button("tlNastaveni", QStringLiteral("Nastavení systému"));
    tlManual = button("tlManual", QStringLiteral("Manuál"));
    tlOprogramu = button("tlOprogramu", QStringLiteral("O programu"));
    tlKonec = button("tlKonec", QStringLiteral("Ukončení programu"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    for (QWidget* w : std::initializer_list<QWidget*>{
             tlNova, tlVyrizene, separator(this), tlDodavatele, tlUzivatele, tlZpPlatby, tlTypDopravy,
             separator(this), tlNastaveni, tlManual, tlOprogramu, separator(this), tlKonec})
        layout->addWidget(w);
    const QList<QWidget*> tabOrder{tlNova,       tlVyrizene,  tlDodavatele, tlUzivatele, tlZpPlatby,
                                   tlTypDopravy, tlNastaveni, tlManual,     tlOprogramu, tlKonec};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    mnuManual = new QMenu(this);
    mnuManual->setObjectName(QStringLiteral("mnuManual"));
    connect(mnuManual->addAction(QStringLiteral("Html")), &QAction::triggered, this,
            [this] { openManual(QStringLiteral("Návod.html")); });
    connect(mnuManual->addAction(QStringLiteral("Pdf")), &QAction::triggered, this,
            [this] { openManual(QStringLiteral("Návod.pdf")); });
    connect(mnuManual->addAction(QStringLiteral("Doc")), &QAction::triggered, this,
            [this] { openManual(QStringLiteral("Návod.Doc")); });
    mnuManual->addSeparator();
    mnuManual->addAction(QStringLiteral("Nic"));
    // Any mouse button on "Manuál" pops the menu up where the mouse is; it is the context menu too.
    tlManual->installEventFilter(this);
    connect(tlManual, &QPushButton::clicked, this,
            [this] { mnuManual->popup(tlManual->mapToGlobal(tlManual->rect().center())); });

    connect(tlNova, &QPushButton::clicked, this, &TFormObj::tlNovaClick);
    connect(tlVyrizene, &QPushButton::clicked, this, &TFormObj::tlVyrizeneClick);
    connect(tlDodavatele, &QPushButton::clicked, this, [this] { openModal("TFormDodavatele"); });
    connect(tlUzivatele, &QPushButton::clicked, this, [this] { openModal("TFormUzivatele"); });
    connect(tlZpPlatby, &QPushButton::clicked, this, [this] { openModal("TFormPlatba"); });
    connect(tlTypDopravy, &QPushButton::clicked, this, [this] { openModal("TFormDoprava"); });
    connect(tlNastaveni, &QPushButton::clicked, this, &TFormObj::tlNastaveniClick);
    connect(tlOprogramu, &QPushButton::clicked, this, &TFormObj::tlOprogramuClick);
    connect(tlKonec, &QPushButton::clicked, this, &QWidget::close);

    setFixedSize(QSize(std::max(190, sizeHint().width()), sizeHint().height()));
    // A position remembered from another screen layout is brought back where it can be reached.
    move(ui::bringOnScreen(SetupIni().mainWindowPosition(), frameGeometry().size()));
}

TFormObj::~TFormObj() {
    SetupIni().writeMainWindowPosition(pos());
}

QString TFormObj::manualPath(const QString& fileName) {
    return executableFolder() + QLatin1String("MAN/") + fileName;
}

void TFormObj::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

bool TFormObj::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tlManual && event->type() == QEvent::MouseButtonPress) {
        mnuManual->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    // The right button's press has popped the menu up already; the menu key has not.
    if (watched == tlManual && event->type() == QEvent::ContextMenu) {
        if (!mnuManual->isVisible())
            mnuManual->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormObj::openModal(const char* className) {
    if (auto* dialog = windows_.find<QDialog>(QLatin1String(className)))
        ui::showModalAtOpener(*dialog, *this);
}

void TFormObj::tlNovaClick() {
    openModal("TFormNovaObj");
}

void TFormObj::tlVyrizeneClick() {
    auto* list = windows_.find<QDialog>(QStringLiteral("TFormSeznamObj"));
    if (!list || !data::DM)
        return;
    // The list opens on the open orders; the filter is the orders table's, shared with the list.
    auto& orders = data::DM->tabKalmorvaty;
    orders.setFilterView(QStringLiteral("Vyrizena='False'"), true);
    ui::showModalAtOpener(*list, *this);
    orders.setFiltered(false);
}

void TFormObj::tlNastaveniClick() {
    auto* settings = windows_.find<QDialog>(QStringLiteral("TFormSetup"));
    if (!settings)
        return;
    if (auto* firstPage = settings->findChild<QWidget*>(QStringLiteral("tabFirma")))
        for (auto* pages : settings->findChildren<QTabWidget*>())
            if (pages->indexOf(firstPage) >= 0)
                pages->setCurrentWidget(firstPage);
    ui::showModalAtOpener(*settings, *this);
}

void TFormObj::tlOprogramuClick() {
    if (auto* about = windows_.find<QWidget>(QStringLiteral("TFormAbout"))) {
        about->show();
        about->raise();
        about->activateWindow();
    }
}

void TFormObj::openManual(const QString& fileName) {
    ui::openInShell(QUrl::fromLocalFile(manualPath(fileName)));
}

} // namespace kv::app
