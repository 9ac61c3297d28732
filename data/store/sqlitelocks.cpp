#include "sqlitelocks.h"

#include "storeerror.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kv::store {

SqliteLocks::SqliteLocks(const QString& databasePath) {
    const QByteArray path = (databasePath + QLatin1String("-locks")).toLocal8Bit();
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Nelze otevřít soubor zámků databáze %1.").arg(QString::fromLocal8Bit(path)),
                         QString::fromLocal8Bit(std::strerror(errno)), errno, false);
}

SqliteLocks::~SqliteLocks() {
    if (fd_ >= 0)
        ::close(fd_);
}

qint64 SqliteLocks::lockOffset(quint32 tableTag, qint64 rowId) {
    return (qint64(tableTag & 0x3FFFFF) << 40) | (rowId & ((qint64(1) << 40) - 1));
}

bool SqliteLocks::tryLock(quint32 tableTag, qint64 rowId) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = lockOffset(tableTag, rowId);
    fl.l_len = 1;
    if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    throw StoreError(StoreError::Kind::Engine, QStringLiteral("Záznam nelze zamknout."),
                     QString::fromLocal8Bit(std::strerror(errno)), errno);
}

void SqliteLocks::unlock(quint32 tableTag, qint64 rowId) {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = lockOffset(tableTag, rowId);
    fl.l_len = 1;
    ::fcntl(fd_, F_OFD_SETLK, &fl);
}

} // namespace kv::store
