// The connection loop's questions and messages, and minimising around the set-up program.
#include "appconnectionui.h"

#include "ui/dialogs.h"

#include <QApplication>

namespace kv::app {

AppConnectionUi::AppConnectionUi(std::function<void()> onTerminate)
    : onTerminate_(std::move(onTerminate)) {}

void AppConnectionUi::showError(const QString& text) {
    kv::ui::showError(text);
}

bool AppConnectionUi::confirm(const QString& text) {
    return ui::dialogs().message(text, ui::MsgStyle::Confirmation, ui::MsgButton::Yes | ui::MsgButton::No) ==
           ui::MsgButton::Yes;
}

void AppConnectionUi::showMessage(const QString& text) {
    ui::dialogs().message(text, ui::MsgStyle::Plain, ui::MsgButton::Ok);
}

void AppConnectionUi::beforeSetupProgram() {
    minimised_.clear();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->isMinimized()) {
            minimised_ << w;
            w->showMinimized();
        }
}

void AppConnectionUi::afterSetupProgram() {
    for (const QPointer<QWidget>& w : std::as_const(minimised_))
        if (w)
            w->showNormal();
    minimised_.clear();
    QApplication::processEvents();
}

void AppConnectionUi::requestTerminate() {
    if (onTerminate_)
        onTerminate_();
}

} // namespace kv::app
