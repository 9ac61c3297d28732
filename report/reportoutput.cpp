// Output paths and saving lines of the text and HTML outputs.
#include "reportoutput.h"

#include "reporterror.h"

#include "base/codec1250.h"

#include <QDir>
#include <QSaveFile>

namespace kv::report {

QString outputBasePath(const QString& directory, const QString& name) {
    QString dir = directory.isEmpty() ? QDir::homePath() : directory;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        dir.chop(1);
    return dir + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("Turbo Report") : name);
}

void saveLines(const QStringList& lines, const QString& path) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += kv::toCp1250(line);
        bytes += "\r\n";
    }
    // Written whole or not at all: a failed export leaves an earlier file of that name as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw ReportError(QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(path, file.errorString()));
}

} // namespace kv::report
