// Output paths and saving lines of the text and HTML outputs.
#include "reportoutput.h"

#include "encodedlines.h"
#include "report/model/reporterror.h"

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
    EncodedLines encoded;
    for (const QString& line : lines)
        encoded << line;
    const QByteArray& bytes = encoded.bytes();
    saveStreamed(path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

void saveStreamed(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw ReportError(QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(path, file.errorString()));
}

} // namespace kv::report
