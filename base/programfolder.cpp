// Where the program folder is (the executable's, or the data folder an installation names beside
// it), and getting it ready to be written: created, shared with the group, probed once.
#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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

QString installedExecutableFolder() {
    return withSlash(QCoreApplication::applicationDirPath());
}

// Read once: the installation does not move while the program runs.
const QString& installedProgramFolder() {
    static const QString folder = programFolderFor(installedExecutableFolder());
    return folder;
}

bool canWrite(const QString& folder) {
    QTemporaryFile probe(folder + QLatin1String(".kalmorvaty-XXXXXX"));
    return probe.open();
}

} // namespace

QString programFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return installedProgramFolder();
}

QString executableFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return installedExecutableFolder();
}

void setProgramFolder(const QString& folder) {
    overrideFolder() = folder.isEmpty() ? QString() : withSlash(folder);
}

QString programFolderFor(const QString& executableFolder) {
    const QString exe = withSlash(executableFolder);
    QFile named(exe + QLatin1String("datafolder.txt"));
    if (!named.open(QIODevice::ReadOnly))
        return exe;
    const QString line = QString::fromUtf8(named.readLine()).trimmed();
    if (line.isEmpty())
        return exe;
    return withSlash(QDir::cleanPath(QDir(exe).absoluteFilePath(line)));
}

bool prepareProgramFolder() {
    const QString folder = programFolder();
    if (!QDir().mkpath(folder))
        return false;
    keepToUsers(folder, folder != executableFolder());
    return canWrite(folder);
}

void keepToUsers(const QString& folder, bool shared) {
#ifdef Q_OS_UNIX
    // Files the database engine, the settings and the logs make from now on.
    ::umask(shared ? mode_t(S_IRWXO) : mode_t(S_IRWXG | S_IRWXO));
    const uid_t me = ::geteuid();
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        struct stat st;
        const QByteArray path = QFile::encodeName(f.absoluteFilePath());
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != me)
            continue;
        const mode_t own = st.st_mode & S_IRWXU;
        const mode_t group = shared ? (st.st_mode & S_IXGRP) | S_IRGRP | S_IWGRP : 0;
        ::chmod(path.constData(), (st.st_mode & ~mode_t(0777)) | own | group);
    }
#else
    Q_UNUSED(folder);
    Q_UNUSED(shared);
#endif
}

} // namespace kv
