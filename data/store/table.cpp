// The cursor keeps the current record, a window of the rows that follow it and one of the rows
// before it. Moving inside a window costs nothing; leaving it asks the engine for the next rows
// of the index after (or before) the current record's key, so no step depends on the table's size.
// Any write on the connection makes the windows stale; they are dropped and read again.
#include "table.h"

#include "backend.h"
#include "collationkey.h"
#include "filter.h"
#include "session.h"
#include "storeerror.h"
#include "tablesql.h"
#include "valueconv.h"

namespace kv::store {
namespace {

constexpr int kFirstBatch = 8;
constexpr int kMaxBatch = 512;
constexpr std::size_t kMaxBehind = 1024;

} // namespace

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

// ---- reading rows ----

void Table::dropWindows() {
    ahead_.clear();
    behind_.clear();
    aheadComplete_ = behindComplete_ = false;
    count_ = -1;
    pos_ = -1;
    if (backend_)
        generation_ = backend_->writeGeneration();
}

// The reading statements depend on the definition and the filter, so a new one of either builds them
// anew; reopening keeps them, and the engine finds its prepared statements for them at once.
void Table::forgetSqlTexts() {
    for (QString& text : fetchSql_)
        text.clear();
    for (QString& text : rangeSql_)
        text.clear();
    firstSql_.clear();
}

bool Table::windowsValid() const {
    return backend_ && generation_ == backend_->writeGeneration();
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

Table::CachedRow Table::toCachedRow(Row&& r) const {
    CachedRow c;
    c.id = r[0].toLongLong();
    if (!sql_->sequential)
        c.key = r[1].toByteArray();
    r.remove(0, sql_->fieldOffset);
    c.values = std::move(r);
    return c;
}

QString Table::filterWhere() const {
    return filter_ && !filter_->sql().isEmpty() ? QLatin1Char('(') + filter_->sql() + QLatin1Char(')')
                                                : QString();
}

QVariantList Table::filterParams() const {
    return filter_ ? filter_->params() : QVariantList();
}

QList<Table::CachedRow> Table::fetch(bool forward, bool fromCurrent, int limit) {
    // The four texts stay the same until the filter changes, so the engine's prepared statements are reused.
    QString& text = fetchSql_[(forward ? 2 : 0) + (fromCurrent ? 1 : 0)];
    if (text.isEmpty()) {
        QStringList where;
        if (!filterWhere().isEmpty())
            where << filterWhere();
        if (fromCurrent)
            where << (forward ? sql_->after : sql_->before);
        text = sql_->select(where, forward, Backend::Paging::Limit);
    }
    QVariantList params = filterParams();
    if (fromCurrent) {
        if (!sql_->sequential)
            params << key_;
        params << rowId_;
    }
    params << qint64(limit);
    QList<CachedRow> out;
    QList<Row> rows = backend_->query(text, params, limit);
    out.reserve(rows.size());
    for (Row& r : rows)
        out << toCachedRow(std::move(r));
    return out;
}

// The first record of the view. The same read asks whether any row of the table lacks a sort key;
// when one does, the keys are filled in and the record is read again. An empty view asks nothing: no
// row of it can lack a key.
QList<Table::CachedRow> Table::fetchFirst() {
    const QString where = filterWhere();
    if (firstSql_.isEmpty())
        firstSql_ = sql_->first(where.isEmpty() ? QStringList() : QStringList{where});
    QVariantList params = filterParams();
    if (!where.isEmpty())
        params << qint64(1);
    bool keysMissing = false;
    auto read = [&] {
        QList<Row> rows = backend_->query(firstSql_, params, 1);
        if (!rows.isEmpty() && sql_->probes())
            keysMissing = rows[0].takeLast().toLongLong() != 0;
        return rows;
    };
    QList<Row> rows = read();
    if (keysMissing && fillMissingKeys())
        rows = read();
    QList<CachedRow> out;
    for (Row& r : rows)
        out << toCachedRow(std::move(r));
    return out;
}

// `keysMissing`, when given and the row comes back, tells whether any row of the table lacks a sort key.
std::optional<Table::CachedRow> Table::fetchById(qint64 id, bool inView, bool* keysMissing) {
    QStringList where{Backend::quote(QStringLiteral("_id")) + QLatin1String(" = ?")};
    QVariantList params{id};
    if (inView && !filterWhere().isEmpty()) {
        where << filterWhere();
        params << filterParams();
    }
    const bool probe = keysMissing && sql_->probes();
    const QString columns = probe ? sql_->columns + QLatin1String(", ") + sql_->keysMissing : sql_->columns;
    QList<Row> rows = backend_->query(Backend::selectSql(columns, sql_->table, where), params, 1);
    if (rows.isEmpty())
        return std::nullopt;
    if (probe)
        *keysMissing = rows[0].takeLast().toLongLong() != 0;
    return toCachedRow(std::move(rows[0]));
}

// Rows that other tools wrote have no sort keys (and a key field that one changed has lost its key to
// the table's trigger), so walks along an index pass them by. They are found through the key columns'
// indexes and given the keys the program gives its own rows, all in one transaction. Only the keys are
// written, so no record lock is taken and a record another station edits keeps what it posts; a row
// whose key fields changed meanwhile is left to the next fill. Returns whether any key was written.
bool Table::fillMissingKeys() {
    if (sql_->missingRows.isEmpty())
        return false;
    constexpr int kFillBatch = 1000;
    const QVariantList batch{qint64(kFillBatch)};
    QList<Row> rows = backend_->query(sql_->missingRows, batch, kFillBatch);
    if (rows.isEmpty())
        return false;
    Transaction tx(*backend_);
    QList<QVariant> record = emptyRecord();
    qint64 filled = 0;
    for (;;) {
        qint64 filledNow = 0;
        for (const Row& r : std::as_const(rows)) {
            QVariantList params, unchanged;
            for (qsizetype i = 0; i < sql_->keyFields.size(); ++i) {
                const int p = sql_->keyFields[i];
                record[p] = r[i + 1];
                unchanged << toParam(def_.fields[p].type, record[p]);
            }
            for (int i = 0; i < sql_->indexFields.size(); ++i)
                params << indexKey(i, record);
            params << r[0] << unchanged;
            filledNow += backend_->execute(sql_->keysUpdate, params);
        }
        filled += filledNow;
        if (rows.size() < kFillBatch || filledNow == 0)
            break;
        rows = backend_->query(sql_->missingRows, batch, kFillBatch);
    }
    tx.commit();
    if (filled > 0)
        dropWindows();
    return filled > 0;
}

std::vector<Table::CachedRow> Table::fetchRange(int offset, int count) {
    const int total = recordCount();
    if (offset < 0)
        offset = 0;
    if (offset >= total || count <= 0)
        return {};
    count = std::min(count, total - offset);
    // Rows near the end are read backwards from the end, so that no read skips more than half the view.
    const bool fromEnd = offset > total / 2;
    const int skip = fromEnd ? total - offset - count : offset;
    QString& text = rangeSql_[fromEnd ? 1 : 0];
    if (text.isEmpty()) {
        const QString where = filterWhere();
        text = sql_->select(where.isEmpty() ? QStringList() : QStringList{where}, !fromEnd,
                            Backend::Paging::LimitOffset);
    }
    QVariantList params = filterParams();
    params << qint64(count) << qint64(skip);
    std::vector<CachedRow> out;
    for (Row& r : backend_->query(text, params, count))
        out.push_back(toCachedRow(std::move(r)));
    if (fromEnd)
        std::reverse(out.begin(), out.end());
    return out;
}

void Table::loadRow(CachedRow row, int pos) {
    pos_ = pos;
    rowId_ = row.id;
    key_ = std::move(row.key);
    current_ = std::move(row.values);
    hasRecord_ = true;
}

void Table::showNoRecord() {
    hasRecord_ = false;
    rowId_ = 0;
    key_.clear();
    current_ = emptyRecord();
    eof_ = bof_ = true;
}

void Table::moveAfterScroll() {
    Q_EMIT recordChanged();
    Q_EMIT afterScroll();
}

// ---- cursor ----

void Table::checkBrowseMode() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    if (!windowsValid())
        dropWindows();
}

void Table::first() {
    checkBrowseMode();
    const QList<CachedRow> rows = fetchFirst();
    ahead_.clear();
    behind_.clear();
    behindComplete_ = true;
    aheadComplete_ = false;
    if (rows.isEmpty()) {
        showNoRecord();
    } else {
        loadRow(rows[0], 0);
        bof_ = true;
        eof_ = false;
    }
    moveAfterScroll();
}

void Table::last() {
    checkBrowseMode();
    const QList<CachedRow> rows = fetch(false, false, 1);
    ahead_.clear();
    behind_.clear();
    aheadComplete_ = true;
    behindComplete_ = false;
    if (rows.isEmpty()) {
        showNoRecord();
    } else {
        loadRow(rows[0], count_ > 0 ? count_ - 1 : -1);
        eof_ = true;
        bof_ = false;
    }
    moveAfterScroll();
}

void Table::next() {
    step(true);
}
void Table::prior() {
    step(false);
}

// One record forward or back: taken from the window on that side, which is refilled from the
// engine in batches that grow while the user keeps walking in one direction.
void Table::step(bool forward) {
    checkBrowseMode();
    bool& atEnd = forward ? eof_ : bof_;
    if (!hasRecord_) {
        atEnd = true;
        return;
    }
    std::deque<CachedRow>& toward = forward ? ahead_ : behind_;
    std::deque<CachedRow>& away = forward ? behind_ : ahead_;
    bool& towardComplete = forward ? aheadComplete_ : behindComplete_;
    bool& awayComplete = forward ? behindComplete_ : aheadComplete_;
    if (toward.empty() && !towardComplete) {
        const int batch = std::clamp(int(away.size()) * 2, kFirstBatch, kMaxBatch);
        QList<CachedRow> rows = fetch(forward, true, batch);
        towardComplete = rows.size() < batch;
        for (auto& r : rows)
            toward.push_back(std::move(r));
    }
    if (toward.empty()) {
        atEnd = true;
        return;
    }
    away.push_front(CachedRow{rowId_, key_, current_});
    if (away.size() > kMaxBehind) {
        away.pop_back();
        awayComplete = false;
    }
    loadRow(std::move(toward.front()), pos_ < 0 ? -1 : pos_ + (forward ? 1 : -1));
    toward.pop_front();
    eof_ = bof_ = false;
    moveAfterScroll();
}

void Table::refresh() {
    checkBrowseMode();
    dropWindows();
    if (hasRecord_) {
        // Unknown until the record is read; when it is gone, the fill's own read finds out.
        bool keysMissing = true;
        std::optional<CachedRow> row = fetchById(rowId_, true, &keysMissing);
        if (keysMissing && fillMissingKeys() && row)
            row = fetchById(rowId_, true);
        if (row) {
            loadRow(std::move(*row));
        } else {
            QList<CachedRow> rows = fetch(true, true, 1);
            if (rows.isEmpty())
                rows = fetch(false, true, 1);
            if (rows.isEmpty())
                showNoRecord();
            else
                loadRow(rows[0]);
        }
    } else {
        const QList<CachedRow> rows = fetchFirst();
        if (!rows.isEmpty())
            loadRow(rows[0]);
    }
    if (hasRecord_)
        eof_ = bof_ = false;
    // Re-reading is not a move: the record is shown anew, but no after-scroll handler runs.
    Q_EMIT recordChanged();
}

int Table::recordCount() {
    requireOpen();
    if (!windowsValid())
        dropWindows();
    if (count_ < 0) {
        QStringList where;
        QVariantList params;
        if (!filterWhere().isEmpty()) {
            where << filterWhere();
            params << filterParams();
        }
        const QList<Row> rows =
            backend_->query(Backend::selectSql(QStringLiteral("COUNT(*)"), sql_->table, where), params, 1);
        count_ = rows.isEmpty() ? 0 : int(rows[0][0].toLongLong());
    }
    return count_;
}

int Table::countWhere(const QString& filterText) {
    requireOpen();
    const std::unique_ptr<Filter> filter = Filter::parse(filterText, def_);
    QStringList where;
    if (!filter->sql().isEmpty())
        where << QLatin1Char('(') + filter->sql() + QLatin1Char(')');
    const QList<Row> rows = backend_->query(
        Backend::selectSql(QStringLiteral("COUNT(*)"), sql_->table, where), filter->params(), 1);
    return rows.isEmpty() ? 0 : int(rows[0][0].toLongLong());
}

bool Table::locate(const QString& fieldName, const QVariant& value) {
    checkBrowseMode();
    const Field& f = fieldByName(fieldName);
    const QVariant stored = toStored(f.type(), toFieldValue(f.def(), value));
    QStringList where;
    QVariantList params;
    if (!filterWhere().isEmpty()) {
        where << filterWhere();
        params << filterParams();
    }
    // An index over this field alone narrows the search to equal sort keys first.
    for (const IndexDef& ix : def_.indexes) {
        if (f.type() == FieldType::String && ix.fields.size() == 1 &&
            ix.fields[0].compare(f.name(), Qt::CaseInsensitive) == 0) {
            where << Backend::quote(sortKeyColumn(ix.name)) + QLatin1String(" = ?");
            params << collationKey(stored.toString());
            break;
        }
    }
    if (stored.isNull()) {
        where << Backend::quote(f.name()) + QLatin1String(" IS NULL");
    } else {
        where << Backend::quote(f.name()) + QLatin1String(" = ?");
        params << toParam(f.type(), stored);
    }
    params << qint64(1);
    QList<Row> rows = backend_->query(sql_->select(where, true, Backend::Paging::Limit), params, 1);
    if (rows.isEmpty())
        return false;
    CachedRow c = toCachedRow(std::move(rows[0]));
    ahead_.clear();
    behind_.clear();
    aheadComplete_ = behindComplete_ = false;
    loadRow(std::move(c));
    eof_ = bof_ = false;
    moveAfterScroll();
    return true;
}

int Table::recNo() {
    requireOpen();
    if (!hasRecord_)
        return -1;
    if (!windowsValid())
        dropWindows();
    if (pos_ >= 0)
        return pos_;
    QStringList where{sql_->before};
    QVariantList params;
    if (!sql_->sequential)
        params << key_;
    params << rowId_;
    if (!filterWhere().isEmpty()) {
        where << filterWhere();
        params << filterParams();
    }
    const QList<Row> rows =
        backend_->query(Backend::selectSql(QStringLiteral("COUNT(*)"), sql_->table, where), params, 1);
    pos_ = rows.isEmpty() ? 0 : int(rows[0][0].toLongLong());
    return pos_;
}

void Table::moveTo(int row) {
    checkBrowseMode();
    const int total = recordCount();
    if (total == 0) {
        first();
        return;
    }
    row = std::clamp(row, 0, total - 1);
    std::vector<CachedRow> rows = fetchRange(row, 1);
    if (rows.empty()) {
        first();
        return;
    }
    ahead_.clear();
    behind_.clear();
    aheadComplete_ = row == total - 1;
    behindComplete_ = row == 0;
    loadRow(std::move(rows.front()), row);
    bof_ = row == 0;
    eof_ = false;
    moveAfterScroll();
}

QList<Record> Table::rows(int row, int count) {
    requireOpen();
    if (!windowsValid())
        dropWindows();
    QList<Record> out;
    for (CachedRow& c : fetchRange(row, count))
        out.append(Record{c.id, std::move(c.values)});
    return out;
}

// ---- editing ----

void Table::setValue(int i, const QVariant& v) {
    if (state_ != State::Edit && state_ != State::Insert)
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Tabulka '%1' není v režimu úprav.").arg(tableName_));
    const QVariant nv = toStored(def_.fields[i].type, toFieldValue(def_.fields[i], v));
    if (current_[i] == nv && current_[i].isNull() == nv.isNull())
        return;
    current_[i] = nv;
    modified_ = true;
    Q_EMIT fieldChanged(i);
}

void Table::releaseLock() {
    if (locked_ && backend_) {
        try {
            backend_->unlockRow(tableTag(def_.name), rowId_);
        } catch (...) {
        }
    }
    locked_ = false;
}

void Table::edit() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (!hasRecord_) {
        append();
        return;
    }
    if (!backend_->tryLockRow(tableTag(def_.name), rowId_))
        throw StoreError(
            StoreError::Kind::Locked,
            QStringLiteral("Záznam v tabulce '%1' je právě upravován jiným uživatelem.").arg(tableName_));
    locked_ = true;
    std::optional<CachedRow> fresh;
    try {
        fresh = fetchById(rowId_, false);
    } catch (...) {
        releaseLock();
        throw;
    }
    if (!fresh) {
        releaseLock();
        throw StoreError(
            StoreError::Kind::Engine,
            QStringLiteral("Záznam v tabulce '%1' byl mezitím vymazán jiným uživatelem.").arg(tableName_));
    }
    const bool changed = fresh->values != current_;
    loadRow(std::move(*fresh), pos_);
    original_ = current_;
    modified_ = false;
    setState(State::Edit);
    if (changed)
        Q_EMIT recordChanged();
}

void Table::append() {
    checkBrowseMode();
    original_ = current_;
    savedRowId_ = hasRecord_ ? rowId_ : 0;
    savedKey_ = key_;
    savedHadRecord_ = hasRecord_;
    current_ = emptyRecord();
    modified_ = false;
    setState(State::Insert);
    Q_EMIT recordChanged();
}

// The sort key of one index of the definition over a record in stored form.
QByteArray Table::indexKey(int index, const QList<QVariant>& record) const {
    QStringList texts;
    for (int p : sql_->indexFields[index])
        texts << (p < 0 ? QString() : storedText(def_.fields[p].type, record[p]));
    return collationKey(texts);
}

QVariantList Table::storedValues(QList<QVariant>* keys) const {
    QVariantList out;
    for (int i = 0; i < def_.fields.size(); ++i)
        out << toParam(def_.fields[i].type, current_[i]);
    for (int i = 0; i < sql_->indexFields.size(); ++i)
        keys->append(indexKey(i, current_));
    return out;
}

// Whether the edit changed an index's fields but not its key: a change of case alone.
bool Table::keyKeptThroughChange() const {
    for (int i = 0; i < sql_->indexFields.size(); ++i) {
        const QList<int>& positions = sql_->indexFields[i];
        const bool changed = std::any_of(positions.begin(), positions.end(),
                                         [&](int p) { return p >= 0 && original_[p] != current_[p]; });
        if (changed && indexKey(i, original_) == indexKey(i, current_))
            return true;
    }
    return false;
}

void Table::post() {
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    Q_EMIT updateRecord();
    QList<QVariant> keys;
    QVariantList params = storedValues(&keys);
    params << keys;
    const QByteArray activeKey =
        sql_->activeIndex >= 0 ? keys[sql_->activeIndex].toByteArray() : QByteArray();
    if (state_ == State::Insert) {
        rowId_ = backend_->insert(sql_->insert, params);
        hasRecord_ = true;
    } else {
        params << rowId_;
        // The table's trigger cannot tell the program from another tool: when a key field changes but
        // its key does not, it drops the key this update writes, so the keys are written once more.
        const bool keyKept = keyKeptThroughChange();
        std::optional<Transaction> tx;
        if (keyKept)
            tx.emplace(*backend_);
        if (backend_->execute(sql_->update, params) == 0)
            throw StoreError(StoreError::Kind::Engine,
                             QStringLiteral("Záznam v tabulce '%1' byl mezitím vymazán jiným uživatelem.")
                                 .arg(tableName_));
        if (keyKept) {
            QVariantList keysParams = keys;
            keysParams << rowId_;
            for (int p : sql_->keyFields)
                keysParams << toParam(def_.fields[p].type, current_[p]);
            backend_->execute(sql_->keysUpdate, keysParams);
            tx->commit();
        }
        releaseLock();
    }
    key_ = activeKey;
    modified_ = false;
    eof_ = bof_ = false;
    dropWindows();
    setState(State::Browse);
    Q_EMIT recordChanged();
}

void Table::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    if (state_ == State::Insert) {
        hasRecord_ = savedHadRecord_;
        rowId_ = savedRowId_;
        key_ = savedKey_;
        current_ = original_;
        if (!hasRecord_)
            showNoRecord();
    } else {
        current_ = original_;
        releaseLock();
    }
    modified_ = false;
    setState(State::Browse);
    Q_EMIT recordChanged();
}

void Table::deleteRecord() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (!hasRecord_)
        throw StoreError(StoreError::Kind::State, QStringLiteral("Tabulka '%1' je prázdná.").arg(tableName_));
    if (state_ != State::Edit) {
        if (!backend_->tryLockRow(tableTag(def_.name), rowId_))
            throw StoreError(
                StoreError::Kind::Locked,
                QStringLiteral("Záznam v tabulce '%1' je právě upravován jiným uživatelem.").arg(tableName_));
        locked_ = true;
    }
    try {
        backend_->execute(sql_->remove, {rowId_});
    } catch (...) {
        if (state_ != State::Edit)
            releaseLock();
        throw;
    }
    releaseLock();
    modified_ = false;
    setState(State::Browse);
    dropWindows();
    QList<CachedRow> rows = fetch(true, true, 1);
    if (rows.isEmpty())
        rows = fetch(false, true, 1);
    if (rows.isEmpty()) {
        showNoRecord();
    } else {
        loadRow(rows[0]);
        eof_ = bof_ = false;
    }
    moveAfterScroll();
}

void Table::insertRecord(const QVariantList& values) {
    append();
    try {
        for (int i = 0; i < values.size() && i < def_.fields.size(); ++i)
            setValue(i, values[i]);
        post();
    } catch (...) {
        cancel();
        throw;
    }
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
