// The database client and the transport check made when it is activated.
#include "client.h"

#include "storeerror.h"

namespace kv::store {

void Client::setActive(bool on) {
    if (on && transport_.protocol() == Transport::Protocol::IpxSpx)
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Protokol IPX/SPX není v tomto systému k dispozici. "
                                        "Nastavte v SERVER.INI PROTOKOL=0 (jeden uživatel) nebo 1 (TCP/IP)."),
                         {}, 0, false);
    active_ = on;
}

} // namespace kv::store
