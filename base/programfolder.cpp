// The program folder: the executable's folder unless a test pointed it elsewhere.
#include "programfolder.h"

#include <QCoreApplication>

namespace kv {
namespace {
QString& overrideFolder() {
    static QString f;
    return f;
}
QString withSlash(QString f) {
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}
} // namespace

QString programFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return withSlash(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder) {
    overrideFolder() = folder.isEmpty() ? QString() : withSlash(folder);
}

} // namespace kv
