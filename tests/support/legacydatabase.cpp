// The version-1 DDL exactly as the set-up program generated it for each engine.
#include "legacydatabase.h"

#include "data/schema.h"

namespace kv::test {
namespace {

QString q(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString version1Type(store::FieldType type, Engine engine) {
    const bool pg = engine == Engine::Postgres;
    switch (type) {
    case store::FieldType::String:
    case store::FieldType::Memo:
        return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case store::FieldType::Boolean:
        return pg ? QStringLiteral("SMALLINT NOT NULL DEFAULT 0")
                  : QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case store::FieldType::Integer:
        return QStringLiteral("INTEGER");
    case store::FieldType::DateTime:
        return pg ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    case store::FieldType::Graphic:
        return pg ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    }
    return {};
}

} // namespace

void createVersion1Schema(store::Backend& backend, Engine engine) {
    const bool pg = engine == Engine::Postgres;
    for (const store::TableDef& def : data::schema()) {
        QStringList cols{q(QStringLiteral("_id")) + (pg ? QLatin1String(" BIGSERIAL PRIMARY KEY")
                                                        : QLatin1String(" INTEGER PRIMARY KEY"))};
        for (const QString& name : def.storedFieldOrder())
            cols << q(name) + QLatin1Char(' ') + version1Type(def.fields[def.fieldIndex(name)].type, engine);
        for (const store::IndexDef& ix : def.indexes)
            cols << q(store::sortKeyColumn(ix.name)) +
                        (pg ? QLatin1String(" BYTEA") : QLatin1String(" BLOB"));
        backend.execute(QLatin1String("CREATE TABLE ") + q(def.name) + QLatin1String(" (") +
                        cols.join(QLatin1String(", ")) + QLatin1Char(')'));
        for (const store::IndexDef& ix : def.indexes)
            backend.execute(QLatin1String("CREATE INDEX ") +
                            q(QLatin1String("ix_") + def.name + QLatin1Char('_') + ix.name) +
                            QLatin1String(" ON ") + q(def.name) + QLatin1String(" (") +
                            q(store::sortKeyColumn(ix.name)) + QLatin1String(", \"_id\")"));
    }
    for (const char* field : {"Vyrizena", "Datum", "Termin_dod", "Vyrizena_dne"})
        backend.execute(QLatin1String("CREATE INDEX IF NOT EXISTS ") +
                        q(QLatin1String("ix_Kalmorvaty_") + QLatin1String(field)) +
                        QLatin1String(" ON \"Kalmorvaty\" (") + q(QLatin1String(field)) + QLatin1Char(')'));
    backend.execute(QStringLiteral("INSERT INTO \"System\" (\"Std_dod_lhuta\") VALUES (14)"));
}

} // namespace kv::test
