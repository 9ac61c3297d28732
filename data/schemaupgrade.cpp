// The upgrade from version 1 (date-times as milliseconds, Booleans as 0/1, texts without lengths):
// rename the old table, create the new one, copy the rows through the engine's own conversions,
// drop the old table, then create the indexes (their names move with a renamed table).
#include "schemaupgrade.h"

#include "schema.h"
#include "schemaddl.h"
#include "schemaversion.h"

namespace kv::data {
namespace {

using store::Backend;

QString converted(const Backend& backend, const store::FieldDef& f) {
    const QString column = Backend::quote(f.name);
    switch (f.type) {
    case store::FieldType::DateTime:
        return backend.timestampFromMillisSql(column);
    case store::FieldType::Boolean:
        return backend.booleanFromFlagSql(column);
    default:
        return column;
    }
}

void rebuildFromVersion1(Backend& backend, const store::TableDef& def) {
    const QString table = Backend::quote(def.name);
    const QString old = Backend::quote(QLatin1String("_v1_") + def.name);
    backend.execute(QLatin1String("ALTER TABLE ") + table + QLatin1String(" RENAME TO ") + old);
    QStringList ddl = backend.createTableSql(def);
    backend.execute(ddl.takeFirst());
    QStringList columns{Backend::quote(QStringLiteral("_id"))};
    QStringList values = columns;
    for (const QString& name : def.storedFieldOrder()) {
        const store::FieldDef& f = def.fields[def.fieldIndex(name)];
        columns << Backend::quote(f.name);
        values << converted(backend, f);
    }
    for (const store::IndexDef& ix : def.indexes) {
        columns << Backend::quote(store::sortKeyColumn(ix.name));
        values << columns.last();
    }
    backend.execute(QLatin1String("INSERT INTO ") + table + QLatin1String(" (") +
                    columns.join(QLatin1String(", ")) + QLatin1String(") SELECT ") +
                    values.join(QLatin1String(", ")) + QLatin1String(" FROM ") + old);
    backend.execute(QLatin1String("DROP TABLE ") + old);
    for (const QString& statement : ddl)
        backend.execute(statement);
    backend.keysWritten(def.name);
}

} // namespace

UpgradeReport upgradeDatabase(Backend& backend) {
    store::Transaction tx(backend);
    UpgradeReport report;
    report.from = report.to = databaseVersion(backend);
    if (report.from == kNoSchema || report.from == kSchemaVersion)
        return report;
    if (report.from != 1)
        throw SchemaVersionError(backend.databaseName(), report.from);
    for (const store::TableDef& def : schema()) {
        if (!backend.tableExists(def.name))
            continue;
        rebuildFromVersion1(backend, def);
        report.tables << def.name;
    }
    writeSchemaVersion(backend);
    createMissing(backend);
    tx.commit();
    report.to = kSchemaVersion;
    return report;
}

} // namespace kv::data
