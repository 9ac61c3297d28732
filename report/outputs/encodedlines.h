// Lines of an output kept the way they are saved: Windows-1250, each ended by CR LF, in one block.
// A report of thousands of pages gives hundreds of thousands of lines; one string each would cost
// several times the document's size in memory and an allocation a line. Streamed to a device, only
// one block is held at a time.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

class QIODevice;

namespace kv::report {

class EncodedLines {
public:
    EncodedLines& operator<<(const QString& line);
    void clear();

    // From now on the lines go to `device` a block at a time and are not kept.
    void streamTo(QIODevice* device);
    // Writes what is held to the device; false when any write so far fell short.
    bool flush();

    // The document as saved (what is not yet flushed, when streaming).
    const QByteArray& bytes() const { return bytes_; }
    // The lines kept, read back (a line may hold line breaks of its own).
    QStringList lines() const;

private:
    QByteArray bytes_;
    std::vector<qsizetype> ends_; // where each kept line's CR LF begins
    QIODevice* device_ = nullptr;
    bool written_ = true;
};

} // namespace kv::report
