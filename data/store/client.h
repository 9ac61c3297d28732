// The database client: the user name (and password) the session logs in with. Activating it
// checks that its transport can be used here; the session then makes the real connection.
#pragma once

#include "transport.h"

namespace kv::store {

class Client {
public:
    explicit Client(Transport& transport) : transport_(transport) {}

    const QString& userName() const { return userName_; }
    void setUserName(const QString& name) { userName_ = name; }
    const QString& password() const { return password_; }
    void setPassword(const QString& pw) { password_ = pw; }

    bool active() const { return active_; }
    // Throws StoreError(Connection) for a protocol this platform does not offer.
    void setActive(bool on);

    Transport& transport() { return transport_; }

private:
    Transport& transport_;
    QString userName_;
    QString password_;
    bool active_ = false;
};

} // namespace kv::store
