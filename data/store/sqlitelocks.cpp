// Byte-range record locks on the SQLite database's side file.
#include "sqlitelocks.h"

#include "backend.h"
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

bool SqliteLocks::setLock(short type, quint32 tableTag, qint64 rowId) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = rowLockKey(tableTag, rowId);
    fl.l_len = 1;
    return ::fcntl(fd_, F_OFD_SETLK, &fl) == 0;
}

bool SqliteLocks::tryLock(quint32 tableTag, qint64 rowId) {
    if (setLock(F_WRLCK, tableTag, rowId))
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    throw StoreError(StoreError::Kind::Engine, QStringLiteral("Záznam nelze zamknout."),
                     QString::fromLocal8Bit(std::strerror(errno)), errno);
}

void SqliteLocks::unlock(quint32 tableTag, qint64 rowId) { setLock(F_UNLCK, tableTag, rowId); }

} // namespace kv::store
