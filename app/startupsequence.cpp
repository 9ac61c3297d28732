// The start-up steps in their order. The pauses block the user interface on purpose: messages are
// processed only where the splash must animate or show its new text.
#include "startupsequence.h"

#include "appconnectionui.h"
#include "artwork.h"
#include "formdar.h"
#include "formobj.h"
#include "setupini.h"
#include "splashform.h"
#include "ui/czechtoolkit.h"
#include "ui/dialogs.h"
#include "ui/exceptionhook.h"

#include "base/clock.h"
#include "base/programfolder.h"
#include "data/datmod.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QThread>

namespace kv::app {

namespace {
const QString kUnwritableFolder =
    QStringLiteral("Do složky programu nelze zapisovat:\n%1\n\nNastavení, databáze, rozložení tabulek "
                   "ani chybový protokol se do ní neuloží. Požádejte správce počítače o právo zápisu "
                   "do této složky.");
} // namespace

StartupSequence::StartupSequence(StartupTiming timing, std::vector<StartupWindow> windowOrder)
    : timing_(timing)
    , windowOrder_(std::move(windowOrder)) {}

StartupSequence::~StartupSequence() {
    splash_.reset();
    ui::appWindows().clear();
    ui::appWindows().setOwner(nullptr);
    dm_.reset();
    main_.reset();
}

bool StartupSequence::run() {
    ui::useCzechToolkit();
    // Every later write to the program folder fails without a word (SETUP.INI's by design), so a
    // folder that cannot be written is said once, here.
    if (!prepareProgramFolder())
        ui::dialogs().message(kUnwritableFolder.arg(QDir::toNativeSeparators(programFolder())),
                              ui::MsgStyle::Warning, ui::MsgButton::Ok);

    // The program's title is the main window's: the desktop lists that window alone, under
    // "Kalmorvaty...". No application display name is set, since the toolkit would append it to
    // every other window's title.
    QApplication::setWindowIcon(applicationIcon());

    main_ = std::make_unique<TFormObj>(ui::appWindows());
    QObject::connect(main_.get(), &TFormObj::closed, qApp, &QCoreApplication::quit);
    ui::appWindows().setOwner(main_.get());
    // Made native now, though hidden until the message loop, so that the splash and the notice
    // are owned by it on the desktop as every later window is.
    main_->winId();

    splash_ = std::make_unique<TSplashForm>(timing_.splashTickMs, main_.get());
    splash_->show();
    waitForSplash();

    splash_->InfoLabel->setText(QStringLiteral("Připojení k databázi..."));
    QApplication::processEvents();
    createDataModule();
    pause();

    splash_->InfoLabel->setText(QStringLiteral("Vytvoření formulářů..."));
    QApplication::processEvents();
    createWindows();
    pause();

    splash_->InfoLabel->setText(QStringLiteral("Spuštění programu..."));
    QApplication::processEvents();
    pause();

    splash_->clearFinished();
    splash_->startClosing();
    waitForSplash();
    splash_->close();
    splash_.reset();

    showSupportNotice();
    return !terminating_;
}

int StartupSequence::exec() {
    main_->show();
    return QApplication::exec();
}

void StartupSequence::createDataModule() {
    dm_ = std::make_unique<data::TDM>();
    if (prepareDataModule)
        prepareDataModule(*dm_);
    AppConnectionUi ui([this] { terminating_ = true; });
    try {
        dm_->DMCreate(ui);
    } catch (...) {
        // No exception window exists yet: the error goes to the hook's message box, and without a
        // data module the program cannot work, so it ends after start-up as if given up.
        ui::handleException(std::current_exception());
        terminating_ = true;
    }
}

void StartupSequence::createWindows() {
    for (const StartupWindow& w : windowOrder_) {
        if (!w.create)
            continue;
        try {
            ui::appWindows().add(QLatin1String(w.className), w.create());
        } catch (...) {
            ui::handleException(std::current_exception());
        }
    }
}

void StartupSequence::showSupportNotice() {
    const bool due = SetupIni().takeNoticeDue(clock::today());
    // An application that is ending closes modal windows at once; the notice is not shown then.
    if (!due || terminating_)
        return;
    TFormDar notice(timing_.noticeTickMs, main_.get());
    ui::dialogs().showModal(notice);
}

void StartupSequence::pause() const {
    if (timing_.pauseMs > 0)
        QThread::msleep(timing_.pauseMs);
}

void StartupSequence::waitForSplash() {
    while (!splash_->finished())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace kv::app
