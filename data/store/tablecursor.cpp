// The cursor keeps the current record, a window of the rows that follow it and one of the rows
// before it. Moving inside a window costs nothing; leaving it asks the engine for the next rows
// of the index after (or before) the current record's key, so no step depends on the table's size.
// Any write on the connection makes the windows stale; they are dropped and read again.
#include "table.h"

#include "backend.h"
#include "collationkey.h"
#include "filter.h"
#include "storeerror.h"
#include "tablesql.h"
#include "valueconv.h"

#include <algorithm>

namespace kv::store {
namespace {

constexpr int kFirstBatch = 8;
constexpr int kMaxBatch = 512;
constexpr std::size_t kMaxBehind = 1024;

} // namespace

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

} // namespace kv::store
