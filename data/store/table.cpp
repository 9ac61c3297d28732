// A table component: its definition and fields, opening and closing, the record's values and
// the filter. The cursor over the view is in tablecursor.cpp, editing and record locks in
// tableediting.cpp.
#include "table.h"

#include "backend.h"
#include "collationkey.h"
#include "filter.h"
#include "session.h"
#include "storeerror.h"
#include "tablesql.h"
#include "valueconv.h"

namespace kv::store {

Table::Table(Session& session, const QString& tableName, QObject* parent)
    : QObject(parent)
    , session_(session)
    , tableName_(tableName) {
    setObjectName(tableName);
}

Table::~Table() {
    try {
        if (isOpen())
            close();
    } catch (...) {
    }
}

void Table::setDefinition(const TableDef& def) {
    if (isOpen())
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Definici otevřené tabulky '%1' nelze měnit.").arg(tableName_));
    def_ = def;
    if (def_.name.isEmpty())
        def_.name = tableName_;
    sql_ = std::make_unique<Sql>(def_);
    forgetSqlTexts();
    fields_.clear();
    for (int i = 0; i < def_.fields.size(); ++i)
        fields_.push_back(std::make_unique<Field>(*this, i));
    current_ = emptyRecord();
}

void Table::setDatabaseName(const QString& alias) {
    if (isOpen() && alias != alias_)
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Databázi otevřené tabulky '%1' nelze měnit.").arg(tableName_));
    alias_ = alias;
}

Field* Table::findField(const QString& name) {
    const int i = def_.fieldIndex(name);
    return i < 0 ? nullptr : fields_[std::size_t(i)].get();
}

Field& Table::fieldByName(const QString& name) {
    if (Field* f = findField(name))
        return *f;
    throw StoreError(StoreError::Kind::Value,
                     QStringLiteral("Pole '%1' v tabulce '%2' neexistuje.").arg(name, tableName_));
}

void Table::requireOpen() const {
    if (!isOpen())
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Tabulka '%1' není otevřena.").arg(tableName_));
}

void Table::setState(State s) {
    if (state_ == s)
        return;
    state_ = s;
    Q_EMIT stateChanged();
}

// ---- opening and closing ----

void Table::open() {
    if (isOpen())
        return;
    if (!sql_)
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Tabulka '%1' nemá definici polí.").arg(tableName_));
    Backend& backend = session_.backend(alias_.isEmpty() ? session_.defaultDatabase() : alias_);
    if (!backend.tableVerified(def_.name)) {
        if (!backend.tableExists(def_.name))
            throw StoreError(
                StoreError::Kind::TableMissing,
                QStringLiteral("Tabulka '%1' v databázi '%2' neexistuje.").arg(def_.name, alias_));
        const QStringList present = backend.columnNames(def_.name);
        QStringList needed{QStringLiteral("_id")};
        for (const FieldDef& f : def_.fields)
            needed << f.name;
        for (const IndexDef& ix : def_.indexes)
            needed << sortKeyColumn(ix.name);
        for (const QString& c : needed)
            if (!present.contains(c, Qt::CaseInsensitive))
                throw StoreError(StoreError::Kind::TableMissing,
                                 QStringLiteral("V tabulce '%1' chybí pole '%2'.").arg(def_.name, c));
        backend.setTableVerified(def_.name);
    }
    std::unique_ptr<Filter> filter;
    if (filtered_)
        filter = Filter::parse(filterText_, def_);
    sql_->useEngine(backend);
    backend_ = &backend;
    filter_ = std::move(filter);
    dropWindows();
    setState(State::Browse);
    first();
}

void Table::close() {
    if (!isOpen())
        return;
    std::exception_ptr failure;
    if (state_ == State::Edit || state_ == State::Insert) {
        try {
            post();
        } catch (...) {
            failure = std::current_exception();
            cancel();
        }
    }
    dropWindows();
    hasRecord_ = false;
    eof_ = bof_ = true;
    current_ = emptyRecord();
    backend_ = nullptr;
    setState(State::Inactive);
    Q_EMIT recordChanged();
    if (failure)
        std::rethrow_exception(failure);
}

QList<QVariant> Table::emptyRecord() const {
    QList<QVariant> out;
    out.reserve(def_.fields.size());
    for (const FieldDef& f : def_.fields)
        out << toStored(f.type, QVariant());
    return out;
}

QVariant Table::value(int i) const {
    return fromStored(def_.fields[i].type, current_.value(i));
}
// ---- filter ----

void Table::applyView(const QString& filterText, bool filtered) {
    std::unique_ptr<Filter> parsed;
    if (isOpen() && filtered)
        parsed = Filter::parse(filterText, def_);
    if (isOpen())
        checkBrowseMode();
    filterText_ = filterText;
    filtered_ = filtered;
    forgetSqlTexts();
    if (!isOpen())
        return;
    filter_ = std::move(parsed);
    dropWindows();
    first();
}

// Setting the same text or switch again still re-applies the view: the cursor moves into it and the
// view shows what other stations changed meanwhile.
void Table::setFilter(const QString& text) {
    applyView(text, filtered_);
}

void Table::setFiltered(bool on) {
    applyView(filterText_, on);
}

void Table::setFilterView(const QString& text, bool on) {
    applyView(text, on);
}

} // namespace kv::store
