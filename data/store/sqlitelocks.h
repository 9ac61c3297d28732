// Record locks between processes on one SQLite database: open-file-description byte-range locks on
// a side file next to the database, one byte per (table, record). They conflict between any two
// connections, also within one process, and vanish when the holder closes the file or dies.
#pragma once

#include <QString>

namespace kv::store {

class SqliteLocks {
public:
    explicit SqliteLocks(const QString& databasePath); // throws StoreError(Connection)
    ~SqliteLocks();
    SqliteLocks(const SqliteLocks&) = delete;
    SqliteLocks& operator=(const SqliteLocks&) = delete;

    bool tryLock(quint32 tableTag, qint64 rowId);
    void unlock(quint32 tableTag, qint64 rowId);

private:
    bool setLock(short type, quint32 tableTag, qint64 rowId);

    int fd_ = -1;
};

} // namespace kv::store
