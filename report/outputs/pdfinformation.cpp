// The information dictionary of a PDF appended as an incremental update.
#include "pdfinformation.h"

#include "report/model/reporterror.h"

#include <QRegularExpression>

namespace kv::report {

QByteArray pdfTextString(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray pdfDate(const QDateTime& when) {
    const int offset = when.offsetFromUtc() / 60;
    const QByteArray zone = offset == 0 ? QByteArray("Z")
                                        : QByteArray(offset < 0 ? "-" : "+") +
                                              QByteArray::number(std::abs(offset) / 60).rightJustified(2, '0') +
                                              '\'' + QByteArray::number(std::abs(offset) % 60).rightJustified(2, '0') +
                                              '\'';
    return "D:" + when.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + zone;
}

QByteArray pdfInformationUpdate(const QByteArray& tail, qint64 length, const PdfInformation& info) {
    const qsizetype trailerAt = tail.lastIndexOf("trailer");
    if (trailerAt < 0)
        throw ReportError(QStringLiteral("PDF nemá závěr (trailer), do kterého by šly zapsat údaje o dokumentu."));
    const QString trailer = QString::fromLatin1(tail.mid(trailerAt));
    const auto find = [&trailer](const char* pattern) {
        return QRegularExpression(QLatin1String(pattern)).match(trailer);
    };
    const QRegularExpressionMatch size = find("/Size\\s+(\\d+)");
    const QRegularExpressionMatch root = find("/Root\\s+(\\d+\\s+\\d+\\s+R)");
    const QRegularExpressionMatch start = find("startxref\\s+(\\d+)");
    if (!size.hasMatch() || !root.hasMatch() || !start.hasMatch())
        throw ReportError(QStringLiteral("Závěr PDF neobsahuje /Size, /Root a startxref."));
    const QRegularExpressionMatch id = find("(/ID\\s*\\[[^\\]]*\\])");

    // The new dictionary is the file's next object; the old one stays, unreferenced.
    const qint64 number = size.captured(1).toLongLong();
    QByteArray update = "\n";
    const qint64 objectAt = length + update.size();
    update += QByteArray::number(number) + " 0 obj\n<<\n/Title " + pdfTextString(info.title) +
              "\n/Author " + pdfTextString(info.author) + "\n/Creator " + pdfTextString(info.creator) +
              "\n/Producer " + pdfTextString(QStringLiteral("Qt ") + QLatin1String(qVersion())) + "\n/CreationDate (" + pdfDate(info.created) +
              ")\n>>\nendobj\n";
    const qint64 xrefAt = length + update.size();
    update += "xref\n" + QByteArray::number(number) + " 1\n" +
              QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(number + 1) + "\n/Root " + root.captured(1).toLatin1() +
              "\n/Info " + QByteArray::number(number) + " 0 R\n";
    if (id.hasMatch())
        update += id.captured(1).toLatin1() + '\n';
    update += "/Prev " + start.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) +
              "\n%%EOF\n";
    return update;
}

} // namespace kv::report
