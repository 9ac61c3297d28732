// The session's connections, one per database alias, made on first use.
#include "session.h"

#include "storeerror.h"

namespace kv::store {

Session::Session(QString name, Client& client) : name_(std::move(name)), client_(client) {}
Session::~Session() = default;

ConnectParams Session::paramsFor(const QString& alias) const {
    ConnectParams p;
    p.protocol = client_.transport().protocol();
    p.server = client_.transport().serverName();
    p.user = client_.userName();
    p.password = client_.password();
    p.database = alias;
    p.folder = folder_;
    return p;
}

void Session::setActive(bool on) {
    if (!on) {
        backends_.clear();
        active_ = false;
        return;
    }
    if (active_)
        return;
    if (!client_.active())
        throw StoreError(StoreError::Kind::Connection, QStringLiteral("Klient databáze není aktivní."), {}, 0, false);
    if (!client_.transport().enabled())
        throw StoreError(StoreError::Kind::Connection, QStringLiteral("Spojení se serverem je vypnuto."), {}, 0, false);
    backends_.insert(defaultDatabase_.toLower(), std::shared_ptr<Backend>(openBackend(paramsFor(defaultDatabase_))));
    active_ = true;
}

Backend& Session::backend(const QString& alias) {
    if (!active_)
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Databázová relace '%1' není připojena.").arg(name_), {}, 0, false);
    const QString key = alias.toLower();
    auto it = backends_.find(key);
    if (it == backends_.end())
        it = backends_.insert(key, std::shared_ptr<Backend>(openBackend(paramsFor(alias))));
    return **it;
}

} // namespace kv::store
