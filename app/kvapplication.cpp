// The exception hook point in event delivery.
#include "kvapplication.h"

#include "ui/exceptionhook.h"

namespace kv::app {

KvApplication::KvApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool KvApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ui::handleException(std::current_exception());
        return false;
    }
}

} // namespace kv::app
