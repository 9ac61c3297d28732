// The error the report engine raises for a definition it cannot read or an output it cannot make.
#pragma once

#include <QString>
#include <stdexcept>

namespace kv::report {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace kv::report
