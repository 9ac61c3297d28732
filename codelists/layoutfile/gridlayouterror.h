// The failure to write a grid layout file, with the Czech text the error window shows.
#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace kv::codelists {

class GridLayoutError : public std::runtime_error {
public:
    explicit GridLayoutError(const QString& message)
        : std::runtime_error(message.toUtf8().toStdString())
        , message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace kv::codelists
