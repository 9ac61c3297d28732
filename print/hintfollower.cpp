// Following the application's hint with an event filter on the application object.
#include "hintfollower.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

namespace kv::print {

HintFollower::HintFollower(QLabel* label, QObject* parent)
    : QObject(parent)
    , label_(label) {}

HintFollower::~HintFollower() {
    remove();
}

void HintFollower::install() {
    if (installed_ || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    installed_ = true;
}

void HintFollower::remove() {
    if (!installed_)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    installed_ = false;
}

bool HintFollower::eventFilter(QObject* watched, QEvent* event) {
    // The event travels up the control's parents with the same tip, so the label is set once.
    if (event->type() == QEvent::StatusTip && label_ && watched->isWidgetType()) {
        const QString& tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (label_->text() != tip)
            label_->setText(tip);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kv::print
