// The file name and target of a save dialog's answer.
#include "savechoice.h"

#include "report/outputs/imageexport.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace kv::print {

QString withFilterExtension(const QString& fileName, const QString& nameFilter) {
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[A-Za-z0-9]+)\\)?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(nameFilter);
    if (!m.hasMatch())
        return fileName;
    return kv::report::withExtension(fileName, m.captured(1));
}

ExportTarget exportTarget(const QString& fileName) {
    const QFileInfo info(fileName);
    return {info.absolutePath(), info.fileName()};
}

} // namespace kv::print
