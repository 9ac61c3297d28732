// The set-up program's work, without its window: create what is missing of the database on SQLite
// or PostgreSQL and write SERVER.INI into the program folder. Running it twice changes nothing.
#pragma once

#include "data/serversettings.h"

#include <QString>
#include <QStringList>

namespace kv::tools {

struct SetupRequest {
    int protocol = 0;                                 // 0 embedded SQLite, 1 PostgreSQL
    QString server = QStringLiteral("localhost");     // PostgreSQL host or host:port
    QString login = QStringLiteral("SYSDBA");
    QString password;
    QString database = QStringLiteral("Kalmorvaty");
    QString folder;                                   // the program folder
};

struct SetupResult {
    bool ok = false;
    QString message;          // what was done, or what went wrong (Czech)
    QStringList createdTables;
};

SetupResult prepareDatabase(const SetupRequest& request);

// Parses "--batch [--protocol 0|1] [--server HOST[:PORT]] [--login USER] [--password PW] [--database NAME]".
// Returns false with `error` set for an unknown option or a missing value.
bool parseBatchArguments(const QStringList& args, SetupRequest* request, QString* error);

} // namespace kv::tools
