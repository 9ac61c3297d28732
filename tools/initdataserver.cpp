// The set-up program's work: the database's tables and SERVER.INI, in batch or from its window.
#include "initdataserver.h"

#include "base/iniprofile.h"
#include "data/schemaddl.h"
#include "data/store/storeerror.h"

namespace kv::tools {

SetupResult prepareDatabase(const SetupRequest& request) {
    SetupResult result;
    if (request.protocol != 0 && request.protocol != 1) {
        result.message =
            QStringLiteral("Protokol %1 není podporován; použijte 0 (jeden uživatel) nebo 1 (TCP/IP).")
                .arg(request.protocol);
        return result;
    }
    store::ConnectParams params;
    params.protocol = store::ConnectParams::Protocol(request.protocol);
    params.server = request.server;
    params.user = request.login;
    params.password = request.password;
    params.database = request.database;
    params.folder = request.folder;
    params.createMissing = true;
    try {
        auto backend = store::openBackend(params);
        const data::DdlReport report = data::createMissing(*backend);
        result.createdTables = report.createdTables;
    } catch (const store::StoreError& e) {
        result.message =
            e.message() + (e.engineText().isEmpty() ? QString() : QLatin1String("\n") + e.engineText());
        return result;
    }
    try {
        IniProfile ini(request.folder + QLatin1String("SERVER.INI"));
        const QString s = QStringLiteral("SERVER");
        ini.writeString(s, QStringLiteral("SERVER"), request.server);
        ini.writeString(s, QStringLiteral("LOGIN"), request.login);
        ini.writeInteger(s, QStringLiteral("PROTOKOL"), request.protocol);
        ini.writeString(s, QStringLiteral("DATABÁZE"), request.database);
        ini.writeString(s, QStringLiteral("HESLO"), data::encodeHeslo(request.password));
    } catch (const IniWriteError& e) {
        result.message = QStringLiteral("Soubor %1 nelze zapsat.").arg(e.path());
        return result;
    }
    result.ok = true;
    result.message =
        result.createdTables.isEmpty()
            ? QStringLiteral("Databáze '%1' je připravena; nic nebylo třeba zakládat.").arg(request.database)
            : QStringLiteral("Databáze '%1' je připravena; založeny tabulky: %2.")
                  .arg(request.database, result.createdTables.join(QLatin1String(", ")));
    return result;
}

bool parseBatchArguments(const QStringList& args, SetupRequest* request, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--batch"))
            continue;
        const bool known = a == QLatin1String("--protocol") || a == QLatin1String("--server") ||
                           a == QLatin1String("--login") || a == QLatin1String("--password") ||
                           a == QLatin1String("--database");
        if (!known) {
            *error = QStringLiteral("Neznámý parametr: %1").arg(a);
            return false;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("Parametr %1 nemá hodnotu.").arg(a);
            return false;
        }
        const QString v = args[++i];
        if (a == QLatin1String("--protocol")) {
            bool ok = false;
            request->protocol = v.toInt(&ok);
            if (!ok || (request->protocol != 0 && request->protocol != 1)) {
                *error = QStringLiteral("--protocol má hodnotu 0 nebo 1.");
                return false;
            }
        } else if (a == QLatin1String("--server")) {
            request->server = v;
        } else if (a == QLatin1String("--login")) {
            request->login = v;
        } else if (a == QLatin1String("--password")) {
            request->password = v;
        } else {
            request->database = v;
        }
    }
    return true;
}

} // namespace kv::tools
