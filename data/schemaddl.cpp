// Each engine's DDL generated from the schema, and the creation of what is missing.
#include "schemaddl.h"

#include "schema.h"

#include "data/store/table.h"

namespace kv::data {
namespace {
QString q(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }
} // namespace

bool createTableIfMissing(store::Backend& backend, const store::TableDef& def) {
    if (backend.tableExists(def.name))
        return false;
    store::Transaction tx(backend);
    QStringList cols{q(QStringLiteral("_id")) + QLatin1Char(' ') + backend.keyColumnType()};
    for (const QString& name : def.storedFieldOrder()) {
        const store::FieldDef& f = def.fields[def.fieldIndex(name)];
        cols << q(f.name) + QLatin1Char(' ') + backend.columnType(f.type);
    }
    for (const store::IndexDef& ix : def.indexes)
        cols << q(store::sortKeyColumn(ix.name)) + QLatin1Char(' ') + backend.sortKeyColumnType();
    backend.execute(QLatin1String("CREATE TABLE ") + q(def.name) + QLatin1String(" (") + cols.join(QLatin1String(", ")) +
                    QLatin1Char(')'));
    for (const store::IndexDef& ix : def.indexes) {
        const QString key = store::sortKeyColumn(ix.name);
        backend.execute(QLatin1String("CREATE INDEX ") + q(QLatin1String("ix_") + def.name + QLatin1Char('_') + ix.name) +
                        QLatin1String(" ON ") + q(def.name) + QLatin1String(" (") + q(key) + QLatin1String(", ") +
                        q(QStringLiteral("_id")) + QLatin1Char(')'));
    }
    tx.commit();
    return true;
}

// Plain indexes that let the orders filters (state, date ranges) find their rows without reading the
// whole table. The program never names them; they only serve the engine's planner.
void createFilterIndexes(store::Backend& backend) {
    const QString orders = QString::fromUtf16(tables::kOrders);
    for (const char* field : {"Vyrizena", "Datum", "Termin_dod", "Vyrizena_dne"})
        backend.execute(QLatin1String("CREATE INDEX IF NOT EXISTS ") +
                            q(QLatin1String("ix_") + orders + QLatin1Char('_') + QLatin1String(field)) +
                            QLatin1String(" ON ") + q(orders) + QLatin1String(" (") + q(QLatin1String(field)) +
                            QLatin1Char(')'),
                        {});
}

DdlReport createMissing(store::Backend& backend) {
    DdlReport report;
    for (const store::TableDef& def : schema())
        if (createTableIfMissing(backend, def))
            report.createdTables << def.name;
    createFilterIndexes(backend);
    const QString system = q(QString::fromUtf16(tables::kSystem));
    const auto rows = backend.query(QLatin1String("SELECT COUNT(*) FROM ") + system, {}, 1);
    if (rows.isEmpty() || rows[0][0].toLongLong() == 0) {
        backend.execute(QLatin1String("INSERT INTO ") + system + QLatin1String(" (\"Std_dod_lhuta\") VALUES (?)"),
                        {qint64(kDefaultLeadTimeDays)});
        report.createdSettingsRow = true;
    }
    return report;
}

} // namespace kv::data
