// The set-up program's work: the database's tables and SERVER.INI, in batch or from its window.
#include "initdataserver.h"

#include "base/iniprofile.h"
#include "data/schemaddl.h"
#include "data/schemaupgrade.h"
#include "data/schemaversion.h"
#include "data/store/storeerror.h"

#include <QFileInfo>

namespace kv::tools {

SetupRequest requestFromFolder(const QString& folder) {
    SetupRequest r;
    r.folder = folder;
    const QString ini = folder + QLatin1String("SERVER.INI");
    if (!QFileInfo::exists(ini))
        return r;
    const data::ServerSettings s = data::ServerSettings::read(ini);
    r.protocol = s.protocol;
    r.server = s.server;
    r.login = s.login;
    r.database = s.database;
    r.password = data::decodeHeslo(s.heslo).value_or(QString());
    return r;
}

SetupRequest requestFor(const store::ConnectParams& params, const QString& folder) {
    SetupRequest r;
    r.protocol = params.protocol == store::ConnectParams::Protocol::SingleUser ? 0 : 1;
    r.server = params.server;
    r.login = params.user;
    r.password = params.password;
    r.database = params.database;
    r.folder = folder;
    return r;
}

QString duplicateNumbersText(const QStringList& numbers) {
    return QStringLiteral("Pozor: objednávky s čísly %1 jsou uloženy vícekrát. Dokud se čísla neopraví, databáze "
                          "nezaručí, že se žádné číslo nevydá dvakrát; po opravě spusťte přípravu znovu.")
        .arg(numbers.join(QLatin1String(", ")));
}

QString passwordKeptText() {
    return QStringLiteral("Heslo je uloženo v souboru SERVER.INI, který čtou jen uživatelé programu. Mimo složku "
                          "programu je udrží soubor hesel ~/.pgpass každého uživatele: ponechte heslo prázdné a "
                          "zapište je tam.");
}

SetupResult prepareDatabase(const SetupRequest& request) {
    SetupResult result;
    if (request.protocol != 0 && request.protocol != 1) {
        result.message =
            QStringLiteral("Protokol %1 není podporován; použijte 0 (jeden uživatel) nebo 1 (TCP/IP).")
                .arg(request.protocol);
        return result;
    }
    // SERVER.INI keeps the password as Windows-1250 codes; a character without one could never be read back.
    if (const auto bad = data::firstCharNotInCp1250(request.password)) {
        result.message =
            QStringLiteral("Heslo obsahuje znak „%1“, který nelze uložit v kódování Windows-1250 "
                           "souboru SERVER.INI. Zvolte heslo bez tohoto znaku.")
                .arg(*bad);
        return result;
    }
    store::ConnectParams params;
    params.protocol = store::ConnectParams::Protocol(request.protocol);
    params.server = request.server;
    params.user = request.login;
    params.password = request.password;
    params.database = request.database;
    params.folder = request.folder;
    // An upgrade works on a database that exists; a mistyped name must not make a new empty one.
    params.createMissing = !request.upgrade;
    data::UpgradeReport upgraded;
    QStringList duplicates;
    try {
        auto backend = store::openBackend(params);
        if (request.upgrade)
            upgraded = data::upgradeDatabase(*backend);
        const data::DdlReport report = data::createMissing(*backend);
        result.createdTables = report.createdTables;
        duplicates = report.duplicateNumbers;
    } catch (const store::StoreError& e) {
        result.message =
            e.message() + (e.engineText().isEmpty() ? QString() : QLatin1String("\n") + e.engineText());
        return result;
    } catch (const data::SchemaVersionError& e) {
        result.message = e.message();
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
    result.upgradedFrom = upgraded.from != upgraded.to ? upgraded.from : 0;
    if (result.upgradedFrom)
        result.message =
            QStringLiteral("Databáze '%1' byla převedena z verze %2 na verzi %3; všechny záznamy zůstaly "
                           "zachovány (tabulky: %4).")
                .arg(request.database)
                .arg(upgraded.from)
                .arg(upgraded.to)
                .arg(upgraded.tables.join(QLatin1String(", ")));
    else
        result.message =
            result.createdTables.isEmpty()
                ? QStringLiteral("Databáze '%1' je připravena; nic nebylo třeba zakládat.").arg(request.database)
                : QStringLiteral("Databáze '%1' je připravena; založeny tabulky: %2.")
                      .arg(request.database, result.createdTables.join(QLatin1String(", ")));
    if (!duplicates.isEmpty())
        result.message += QLatin1Char('\n') + duplicateNumbersText(duplicates);
    if (!request.password.isEmpty())
        result.message += QLatin1Char('\n') + passwordKeptText();
    return result;
}

bool parseBatchArguments(const QStringList& args, SetupRequest* request, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--batch"))
            continue;
        if (a == QLatin1String("--upgrade")) {
            request->upgrade = true;
            continue;
        }
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
