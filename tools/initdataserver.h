// The set-up program's work, without its window: create what is missing of the database on SQLite
// or PostgreSQL, or upgrade a database of an earlier version when asked to, and write SERVER.INI into
// the program folder. Running it twice changes nothing.
#pragma once

#include "data/serversettings.h"
#include "data/store/backend.h"

#include <QString>
#include <QStringList>

namespace kv::tools {

struct SetupRequest {
    int protocol = 0;                             // 0 embedded SQLite, 1 PostgreSQL
    QString server = QStringLiteral("localhost"); // PostgreSQL host or host:port
    QString login = QStringLiteral("SYSDBA");
    QString password;
    QString database = QStringLiteral("Kalmorvaty");
    QString folder;       // the program folder
    bool upgrade = false; // convert a database of an earlier version in place
};

// The defaults, or what SERVER.INI in `folder` says when it is there (the password decoded).
SetupRequest requestFromFolder(const QString& folder);
// The request for the database `params` names, with the program folder `folder`.
SetupRequest requestFor(const store::ConnectParams& params, const QString& folder);

struct SetupResult {
    bool ok = false;
    QString message; // what was done, or what went wrong (Czech)
    QStringList createdTables;
    int upgradedFrom = 0; // the version the database was upgraded from, 0 when it was not
};

// What the set-up program adds when it writes a password into SERVER.INI: the file is kept to the
// program's users, and a password file (~/.pgpass, used when HESLO is empty) keeps it out altogether.
QString passwordKeptText();
// What the set-up program adds when orders share a number: which, and that the database cannot keep
// numbers unique until they are mended.
QString duplicateNumbersText(const QStringList& numbers);

SetupResult prepareDatabase(const SetupRequest& request);

// Parses "--batch [--upgrade] [--protocol 0|1] [--server HOST[:PORT]] [--login USER] [--password PW]
// [--database NAME]" over what `request` already holds.
// Returns false with `error` set for an unknown option or a missing value.
bool parseBatchArguments(const QStringList& args, SetupRequest* request, QString* error);

} // namespace kv::tools
