// Each engine's DDL generated from the schema, and the creation of what is missing.
#include "schemaddl.h"

#include "schema.h"
#include "schemaversion.h"

namespace kv::data {
namespace {

using store::Backend;

// Plain indexes that let the orders filters (state, date ranges) find and count their rows without
// reading the whole table: the states by their flags, the overdue orders by flag and delivery date. The
// program never names them; they only serve the engine's planner.
void createFilterIndexes(Backend& backend) {
    const QString orders = QString::fromUtf16(tables::kOrders);
    const QList<QStringList> indexes{{QStringLiteral("Vyrizena")},
                                     {QStringLiteral("Vyrizena"), QStringLiteral("Stornovana")},
                                     {QStringLiteral("Vyrizena"), QStringLiteral("Termin_dod")},
                                     {QStringLiteral("Datum")},
                                     {QStringLiteral("Termin_dod")},
                                     {QStringLiteral("Vyrizena_dne")}};
    for (const QStringList& fields : indexes) {
        QStringList columns;
        for (const QString& field : fields)
            columns << Backend::quote(field);
        backend.execute(Backend::createIndexSql(
            QLatin1String("ix_") + orders + QLatin1Char('_') + fields.join(QLatin1Char('_')), orders, columns));
    }
}

// The database itself refuses a second order under one number, on every engine. Numbers stored
// twice before are reported instead of failing the whole preparation.
QStringList makeNumbersUnique(Backend& backend) {
    const QString orders = QString::fromUtf16(tables::kOrders);
    const QString number = Backend::quote(QStringLiteral("Cislo"));
    QStringList duplicates;
    for (const store::Row& r : backend.query(QLatin1String("SELECT ") + number + QLatin1String(" FROM ") +
                                                 Backend::quote(orders) + QLatin1String(" GROUP BY ") + number +
                                                 QLatin1String(" HAVING COUNT(*) > 1 ORDER BY ") + number,
                                             {}))
        duplicates << r.value(0).toString();
    if (duplicates.isEmpty())
        backend.execute(QLatin1String("CREATE UNIQUE INDEX IF NOT EXISTS ") +
                        Backend::quote(QLatin1String("ux_") + orders + QLatin1String("_Cislo")) + QLatin1String(" ON ") +
                        Backend::quote(orders) + QLatin1String(" (") + number + QLatin1Char(')'));
    return duplicates;
}

// Texts an earlier layout kept narrower than the values copied into them: the last number in 17
// characters (six-digit sequences need the order number's whole width), the orderer in 45, the
// telephones in 14 and the postcodes in 5. Only PostgreSQL holds a column to its length.
void widenTexts(Backend& backend) {
    static const std::pair<const char16_t*, QStringList> widened[] = {
        {tables::kSystem, {QStringLiteral("PosledniObj"), QStringLiteral("PSC"), QStringLiteral("Dod_PSC")}},
        {tables::kOrders,
         {QStringLiteral("Objednal"), QStringLiteral("Telefon"), QStringLiteral("Dod_PSC"),
          QStringLiteral("Dod_Telefon")}},
    };
    for (const auto& [table, fields] : widened) {
        for (const QString& field : fields) {
            const QString sql = backend.widenTextSql(QString::fromUtf16(table), field, textSize(table, field));
            if (!sql.isEmpty())
                backend.execute(sql);
        }
    }
}

} // namespace

bool createTableIfMissing(Backend& backend, const store::TableDef& def) {
    if (backend.tableExists(def.name))
        return false;
    store::Transaction tx(backend);
    for (const QString& statement : backend.createTableSql(def))
        backend.execute(statement);
    tx.commit();
    return true;
}

DdlReport createMissing(Backend& backend) {
    store::Transaction tx(backend);
    const int found = databaseVersion(backend);
    if (found != kNoSchema && found != kSchemaVersion)
        throw SchemaVersionError(backend.databaseName(), found);
    DdlReport report;
    for (const store::TableDef& def : schema()) {
        if (createTableIfMissing(backend, def)) {
            report.createdTables << def.name;
        } else {
            // A table made by an earlier build of the set-up program gets its sort-key triggers.
            for (const QString& statement : backend.sortKeyTriggerSql(def))
                backend.execute(statement);
        }
    }
    if (found == kNoSchema)
        writeSchemaVersion(backend);
    createFilterIndexes(backend);
    report.duplicateNumbers = makeNumbersUnique(backend);
    widenTexts(backend);
    const QString system = Backend::quote(QString::fromUtf16(tables::kSystem));
    const auto rows = backend.query(QLatin1String("SELECT COUNT(*) FROM ") + system, {}, 1);
    if (rows.isEmpty() || rows[0][0].toLongLong() == 0) {
        backend.execute(QLatin1String("INSERT INTO ") + system + QLatin1String(" (") +
                            Backend::quote(QStringLiteral("Std_dod_lhuta")) + QLatin1String(") VALUES (?)"),
                        {qint64(kDefaultLeadTimeDays)});
        report.createdSettingsRow = true;
    }
    tx.commit();
    return report;
}

} // namespace kv::data
