// The document information of a written PDF (title, author, creator, creation date), set by an
// incremental update: a new information dictionary, a cross-reference section for it and a trailer
// that points back to the file's own, appended after its end as PDF provides for changing a written
// file. Qt's PDF writer takes a title and a creator only; the author and the creation date by the
// program's own clock come this way.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kv::report {

struct PdfInformation {
    QString title;
    QString author;
    QString creator;
    QDateTime created;
};

// The bytes to append to a PDF of `length` bytes whose last bytes are `tail` (at least its last
// trailer and "startxref"). Throws ReportError when the tail holds no trailer to build on.
QByteArray pdfInformationUpdate(const QByteArray& tail, qint64 length, const PdfInformation& info);

// `text` as a PDF text string: UTF-16BE after its byte order mark, in hexadecimal ("<FEFF0041>").
QByteArray pdfTextString(const QString& text);
// `when` as a PDF date with its offset from UTC: "D:20261211101500+01'00'".
QByteArray pdfDate(const QDateTime& when);

} // namespace kv::report
