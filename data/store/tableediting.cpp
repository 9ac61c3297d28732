// Editing a table's records: the record lock taken by edit() and released by post() and cancel(),
// inserting, posting with the sort keys of every index, and deleting.
#include "table.h"

#include "backend.h"
#include "collationkey.h"
#include "storeerror.h"
#include "tablesql.h"
#include "valueconv.h"

#include <algorithm>

namespace kv::store {

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

} // namespace kv::store
