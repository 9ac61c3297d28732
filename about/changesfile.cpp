// Reading the changes file.
#include "changesfile.h"

#include "base/codec1250.h"

#include <QFile>
#include <QFileInfo>

namespace kv::about {

QString changesFilePath(const QString& folder, const QString& executable) {
    return folder + QFileInfo(executable).completeBaseName() + QStringLiteral(".zme");
}

QStringList changesFileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("Soubor \"%1\" nenalezen!").arg(QFileInfo(path).fileName())};
    QString text = fromCp1250(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace kv::about
