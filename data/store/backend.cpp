// What both engines share: statement results and the common parts of a connection.
#include "backend.h"

#include "pgbackend.h"
#include "sqlitebackend.h"
#include "storeerror.h"

namespace kv::store {

std::unique_ptr<Backend> openBackend(const ConnectParams& params) {
    switch (params.protocol) {
    case ConnectParams::Protocol::SingleUser: return std::make_unique<SqliteBackend>(params);
    case ConnectParams::Protocol::TcpIp: return std::make_unique<PgBackend>(params);
    case ConnectParams::Protocol::IpxSpx: break;
    }
    throw StoreError(StoreError::Kind::Connection,
                     QStringLiteral("Protokol IPX/SPX není v tomto systému k dispozici."), {}, 0, false);
}

} // namespace kv::store
