// The frames both sides of a conversation exchange over the local socket.
//
//   offset  size  field
//   0       4     length of the text that follows, bytes, big-endian
//   4       n     UTF-8 text: a word, a line feed, and the argument (may be empty)
//
// Client words: CONNECT <topic>, EXECUTE <command>, EXECUTEWAIT <command>, REQUEST <item>.
// Answers: ACK, NACK, DATA <text>, NODATA.
#pragma once

#include <QByteArray>
#include <QLocalSocket>
#include <QString>
#include <QtEndian>
#include <optional>

namespace kv::report::conversation {

struct Frame {
    QString word;
    QString argument;
};

inline QByteArray encode(const QString& word, const QString& argument = {}) {
    const QByteArray text = (word + QLatin1Char('\n') + argument).toUtf8();
    QByteArray frame(4, '\0');
    qToBigEndian(quint32(text.size()), frame.data());
    return frame + text;
}

// Takes one whole frame from the front of `buffer`; none while it is incomplete.
inline std::optional<Frame> takeFrame(QByteArray& buffer) {
    if (buffer.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (quint32(buffer.size() - 4) < length)
        return std::nullopt;
    const QString text = QString::fromUtf8(buffer.constData() + 4, qsizetype(length));
    buffer.remove(0, qsizetype(length) + 4);
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return Frame{text, {}};
    return Frame{text.left(cut), text.mid(cut + 1)};
}

} // namespace kv::report::conversation
