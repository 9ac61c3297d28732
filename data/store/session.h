// The database session: owns one backend connection per database alias. Activating it connects
// to the default database (the alias of SERVER.INI); tables of another alias connect on first open.
#pragma once

#include "client.h"

#include <QHash>
#include <QString>
#include <memory>

namespace kv::store {

class Session {
public:
    Session(QString name, Client& client);
    ~Session();

    const QString& name() const { return name_; }
    // The alias the session connects to when activated; also where a database file is looked for.
    void setDefaultDatabase(const QString& alias) { defaultDatabase_ = alias; }
    const QString& defaultDatabase() const { return defaultDatabase_; }
    void setFolder(const QString& folder) { folder_ = folder; }

    bool active() const { return active_; }
    // Connects (throws StoreError(Connection)) or drops every connection.
    void setActive(bool on);

    // The connection for an alias, made on first use. Throws StoreError when the session is inactive.
    Backend& backend(const QString& alias);

private:
    ConnectParams paramsFor(const QString& alias) const;

    QString name_;
    Client& client_;
    QString defaultDatabase_;
    QString folder_;
    bool active_ = false;
    QHash<QString, std::shared_ptr<Backend>> backends_; // key: alias in lower case
};

} // namespace kv::store
