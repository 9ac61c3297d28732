// The application-wide exception hook: every exception that escapes an event handler is handed to
// one replaceable handler. Until the exception window installs its own, the error text is shown in
// an error message box and the program goes on running.
#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace kv::ui {

using ExceptionHandler = std::function<void(const std::exception_ptr&)>;

// Installs `handler`; an empty function returns to the message-box handler.
void setExceptionHandler(ExceptionHandler handler);

// Hands `error` to the handler in force. Never throws: an exception from the handler itself is
// written to the diagnostic output, so no error ends the program here.
void handleException(const std::exception_ptr& error) noexcept;

// The text an error shows: what() of a standard exception (UTF-8), else a generic Czech text.
QString exceptionMessage(const std::exception_ptr& error);

} // namespace kv::ui
