// The file system type from statfs(2), compared with the magic numbers of the network file systems.
#include "networkdrive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/vfs.h>

namespace kv::store {

namespace {

std::function<QString(const QString&)>& probe() {
    static std::function<QString(const QString&)> p;
    return p;
}

// f_type values of linux/magic.h and the file systems' own headers.
struct NetworkKind {
    unsigned long magic;
    const char* name;
};
constexpr NetworkKind kNetworkKinds[] = {
    {0x6969, "NFS"},          {0x517B, "SMB"},      {0xFF534D42, "SMB/CIFS"}, {0xFE534D42, "SMB2/CIFS"},
    {0x564C, "NCP"},          {0x5346414F, "AFS"},  {0x6B414653, "AFS"},      {0x73757245, "Coda"},
    {0x01021997, "9P"},       {0x00C36400, "Ceph"}, {0x47504653, "GPFS"},     {0x0BD00BD0, "Lustre"},
    {0x013111A8, "IBRIX"},    {0x19830326, "FhGFS"},
};
// FUSE (0x65735546) is left out: it carries sshfs, but also local disks (ntfs-3g), and cannot tell
// which.

} // namespace

QString networkFileSystem(const QString& folder) {
    if (probe())
        return probe()(folder);
    // The nearest folder that exists: a database about to be made has no file yet.
    QString path = QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).absoluteFilePath();
    while (!QFileInfo::exists(path) && path != QDir::rootPath())
        path = QFileInfo(path).absolutePath();
    struct statfs info {};
    if (statfs(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    for (const NetworkKind& k : kNetworkKinds) {
        if ((unsigned long)(info.f_type) == k.magic)
            return QString::fromLatin1(k.name);
    }
    return {};
}

void setFileSystemProbe(std::function<QString(const QString&)> p) {
    probe() = std::move(p);
}

QString networkDriveMessage(const QString& database, const QString& folder, const QString& kind) {
    return QStringLiteral("Databáze '%1' leží ve složce %2 na síťovém disku (%3). Vestavěná databáze na síťovém "
                          "disku nepracuje spolehlivě: mohla by se poškodit nebo vydat jedno číslo objednávky "
                          "dvakrát.\nPro více pracovišť použijte server PostgreSQL, pro jedno pracoviště místní "
                          "složku.")
        .arg(database, QDir::toNativeSeparators(folder), kind);
}

} // namespace kv::store
