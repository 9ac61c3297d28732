// Finding a database's schema version and the message that refuses another one.
#include "schemaversion.h"

#include "schema.h"

namespace kv::data {

int databaseVersion(store::Backend& backend) {
    const QString table = QString::fromUtf16(kVersionTable);
    if (backend.tableExists(table)) {
        const QList<store::Row> rows = backend.query(
            QLatin1String("SELECT MAX(") + store::Backend::quote(QString::fromUtf16(kVersionColumn)) +
                QLatin1String(") FROM ") + store::Backend::quote(table),
            {}, 1);
        return rows.isEmpty() || rows[0][0].isNull() ? kUnknownVersion : int(rows[0][0].toLongLong());
    }
    for (const store::TableDef& def : schema())
        if (backend.tableExists(def.name))
            return 1;
    return kNoSchema;
}

void writeSchemaVersion(store::Backend& backend) {
    const QString table = store::Backend::quote(QString::fromUtf16(kVersionTable));
    const QString column = store::Backend::quote(QString::fromUtf16(kVersionColumn));
    backend.execute(QLatin1String("CREATE TABLE ") + table + QLatin1String(" (") + column +
                    QLatin1String(" INTEGER NOT NULL)"));
    backend.execute(QLatin1String("INSERT INTO ") + table + QLatin1String(" (") + column +
                        QLatin1String(") VALUES (?)"),
                    {qint64(kSchemaVersion)});
}

QString versionMismatchMessage(const QString& database, int found) {
    const QString versions =
        found == kUnknownVersion
            ? QStringLiteral("Databáze '%1' nemá zapsanou verzi, tento program pracuje s verzí %2.")
                  .arg(database)
                  .arg(kSchemaVersion)
            : QStringLiteral("Databáze '%1' má verzi %2, tento program pracuje s verzí %3.")
                  .arg(database)
                  .arg(found)
                  .arg(kSchemaVersion);
    if (found > kSchemaVersion)
        return versions + QStringLiteral("\n\nDatabázi už převedla novější verze programu Kalmorvaty; "
                                         "nainstalujte ji i na tuto stanici.");
    if (found == kUnknownVersion)
        return versions + QStringLiteral("\n\nDatabázi nelze bezpečně použít; obraťte se na správce.");
    return versions +
           QStringLiteral("\n\nNejprve aktualizujte program na všech stanicích, potom databázi převeďte "
                          "programem InitDataServer.exe s volbou --upgrade (v jeho okně zaškrtněte "
                          "„Převést databázi na novou verzi“). Převod zachová všechny záznamy.");
}

SchemaVersionError::SchemaVersionError(const QString& database, int found)
    : found_(found)
    , message_(versionMismatchMessage(database, found))
    , what_(message_.toUtf8()) {}

} // namespace kv::data
