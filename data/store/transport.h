// The transport between client and server: server name and protocol. Before the connection
// settings are applied the server name is "Local" and the protocol single-user.
#pragma once

#include "backend.h"

namespace kv::store {

class Transport {
public:
    using Protocol = ConnectParams::Protocol;

    const QString& serverName() const { return serverName_; }
    void setServerName(const QString& name) { serverName_ = name; }
    Protocol protocol() const { return protocol_; }
    void setProtocol(Protocol p) { protocol_ = p; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }

private:
    QString serverName_ = QStringLiteral("Local");
    Protocol protocol_ = Protocol::SingleUser;
    bool enabled_ = true;
};

} // namespace kv::store
