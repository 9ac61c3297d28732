// The item table of report tests.
#include "itemtable.h"

#include "data/store/backend.h"

namespace kv::report::test {

kv::store::TableDef ItemTable::definition(const QString& tableName) {
    using kv::store::FieldType;
    kv::store::TableDef def;
    def.name = tableName;
    auto field = [](const char* name, FieldType type, int size = 0, const QString& label = {}) {
        kv::store::FieldDef f;
        f.name = QString::fromLatin1(name);
        f.type = type;
        f.size = size;
        f.displayLabel = label;
        return f;
    };
    def.fields = {field("Nazev", FieldType::String, 40, QStringLiteral("Název")),
                  field("Cislo", FieldType::Integer),
                  field("Poznamka", FieldType::Memo),
                  field("Obrazek", FieldType::Graphic),
                  field("Hotovo", FieldType::Boolean),
                  field("Datum", FieldType::DateTime)};
    return def;
}

ItemTable::ItemTable(int count, const QString& tableName) {
    db_.createTable(definition(tableName));
    station_ = std::make_unique<kv::test::TestStation>(db_);
    table_ = std::make_unique<kv::store::Table>(station_->session, tableName);
    table_->setDefinition(definition(tableName));
    table_->setDatabaseName(db_.params().database);
    table_->open();
    kv::store::Backend& backend = station_->session.backend(db_.params().database);
    kv::store::Transaction tx(backend);
    for (int i = 1; i <= count; ++i)
        table_->insertRecord({QStringLiteral("Položka %1").arg(i), i, QStringLiteral("Poznámka %1").arg(i),
                              QVariant(), i % 2 == 1, QDateTime(QDate(2026, 12, i % 28 + 1), QTime(8, 5))});
    tx.commit();
    table_->first();
    source_.setDataSet(table_.get());
}

ItemTable::~ItemTable() {
    source_.setDataSet(nullptr);
}

} // namespace kv::report::test
