#include "encodedlines.h"

#include "base/codec1250.h"

#include <QIODevice>

namespace kv::report {

namespace {
constexpr qsizetype kBlockBytes = 64 * 1024;
}

EncodedLines& EncodedLines::operator<<(const QString& line) {
    bytes_ += kv::toCp1250(line);
    if (!device_)
        ends_.push_back(bytes_.size());
    bytes_ += "\r\n";
    if (device_ && bytes_.size() >= kBlockBytes)
        flush();
    return *this;
}

void EncodedLines::clear() {
    bytes_.clear();
    ends_.clear();
    written_ = true;
}

void EncodedLines::streamTo(QIODevice* device) {
    device_ = device;
    flush();
    ends_.clear();
}

bool EncodedLines::flush() {
    if (device_ && !bytes_.isEmpty()) {
        written_ = device_->write(bytes_) == bytes_.size() && written_;
        bytes_.truncate(0); // keeps the block's memory for the next one
    }
    return written_;
}

QStringList EncodedLines::lines() const {
    QStringList out;
    out.reserve(qsizetype(ends_.size()));
    qsizetype from = 0;
    for (const qsizetype end : ends_) {
        out << kv::fromCp1250(bytes_.mid(from, end - from));
        from = end + 2;
    }
    return out;
}

} // namespace kv::report
