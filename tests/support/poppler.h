// Poppler's command-line tools, the independent reader the PDF tests check files with.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace kv::test {

// What `tool` (pdfinfo, pdftotext, pdffonts, pdfimages) says of `pdf` after `args`; empty, with
// a warning, when it cannot be run or refuses the file.
inline QString poppler(const QString& tool, const QString& pdf, QStringList args = {}) {
    QProcess p;
    args << pdf;
    if (tool == QLatin1String("pdftotext"))
        args << QStringLiteral("-");
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The value of "Key:" in pdfinfo's answer.
inline QString pdfInfoField(const QString& info, const QString& key) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace kv::test
