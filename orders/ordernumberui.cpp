// The busy pointer, the message and the pause of order numbering.
#include "ordernumberui.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QThread>

namespace kv::orders {

void WindowOrderNumberUi::setBusy(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowOrderNumberUi::showError(const QString& text) {
    ui::showError(text, parent_);
}

void WindowOrderNumberUi::pause(int milliseconds) {
    QThread::msleep(milliseconds);
}

} // namespace kv::orders
