// The replaceable exception handler and its default, the error message box.
#include "exceptionhook.h"

#include "dialogs.h"

namespace kv::ui {
namespace {

void showInMessageBox(const std::exception_ptr& error) {
    showError(exceptionMessage(error));
}

ExceptionHandler& installed() {
    static ExceptionHandler handler;
    return handler;
}

} // namespace

void setExceptionHandler(ExceptionHandler handler) {
    installed() = std::move(handler);
}

void handleException(const std::exception_ptr& error) noexcept {
    try {
        if (installed())
            installed()(error);
        else
            showInMessageBox(error);
    } catch (...) {
        // The handler is the last line; reporting its own failure must not end the program either.
        qWarning("Chyba při zpracování chyby: %s", qPrintable(exceptionMessage(std::current_exception())));
    }
}

QString exceptionMessage(const std::exception_ptr& error) {
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Neznámá chyba aplikace.");
    }
}

} // namespace kv::ui
