// A table component: one cursor over one table of the database, in the order of its fixed active
// index (ties by storage order) and restricted by its filter. The cursor reads rows in small windows
// around the current record, so a table of a million rows costs what the rows shown cost.
#pragma once

#include "field.h"
#include "tabledef.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QVariant>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace kv::store {

class Backend;
class Session;
class Filter;

// One record of a table as read for a grid: values in the program's field order, in their stored
// form (fromStored() gives a field's value). Listing rows so needs no conversion, and a date in it
// needs no time-zone work until it is shown.
struct Record {
    qint64 rowId = 0;
    QList<QVariant> values;
};

class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Session& session, const QString& tableName, QObject* parent = nullptr);
    ~Table() override;

    const QString& tableName() const { return tableName_; }
    // The fields, indexes and active index the program expects; set before opening.
    void setDefinition(const TableDef& def);
    const TableDef& definition() const { return def_; }
    void setDatabaseName(const QString& alias);
    const QString& databaseName() const { return alias_; }

    // Opens the table by name within the alias and moves to the first record. Throws StoreError
    // (TableMissing, Connection) with a message naming the table; the table stays closed then.
    void open();
    // Posts a pending edit first (cancelling it if the post fails), then closes.
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    // Cursor. Each move posts a pending edit first. At the last record next() sets eof() and stays;
    // at the first, prior() sets bof() and stays.
    void first();
    void prior();
    void next();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const { return !hasRecord_; }
    // Re-reads from the server; stays on the current record while it still exists in the view,
    // else moves to the record that now follows its place.
    void refresh();
    int recordCount();
    // The records of the whole table, whatever its own filter, that match `filterText` (a filter text
    // as setFilter() takes). The cursor and the view stay. Throws StoreError(Filter) for a text that
    // does not parse, and the engine's StoreError.
    int countWhere(const QString& filterText);
    // Moves to the first record (in index order) whose field equals `value` exactly; false: stays.
    bool locate(const QString& fieldName, const QVariant& value);
    // Position of the current record in the view, from 0; -1 when empty.
    int recNo();
    // Moves to the record at `row` of the view (clamped).
    void moveTo(int row);
    // Up to `count` records of the view from position `row`, without moving the cursor, in stored form.
    QList<Record> rows(int row, int count);
    qint64 rowId() const { return rowId_; }

    // Fields of the current record, in the program's order.
    int fieldCount() const { return int(fields_.size()); }
    Field& field(int i) { return *fields_[std::size_t(i)]; }
    Field* findField(const QString& name);
    Field& fieldByName(const QString& name); // throws StoreError(Value) for an unknown name
    QVariant value(int i) const;
    const QVariant& storedValue(int i) const { return current_[i]; }
    void setValue(int i, const QVariant& v);

    // Changes. edit() locks the current record against other stations (StoreError(Locked) when
    // another station holds it) and re-reads it; on an empty table it starts a new record.
    void edit();
    void append();  // a new empty record in insert state
    void post();    // writes the record, releases the lock; throws StoreError and stays in edit
    void cancel();  // drops the changes, releases the lock
    void deleteRecord();
    // Inserts and posts a record from values in the program's field order; unlisted fields stay empty.
    void insertRecord(const QVariantList& values);
    bool modified() const { return modified_; }

    // The filter: text plus switch; setting either re-applies the view and moves to its first record.
    // A text that does not parse, or names an unknown field, throws StoreError(Filter) and leaves
    // the previous view.
    void setFilter(const QString& text);
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    // Text and switch at once: ends where setting them one after another ends, with the view built
    // once instead of for every step.
    void setFilterView(const QString& text, bool on);

Q_SIGNALS:
    void afterScroll();              // the cursor moved (first/prior/next/last, locate, delete, open, filter)
    void recordChanged();            // the current record's values are new (move, refresh, post, cancel)
    void fieldChanged(int index);    // one field of the record being edited changed
    void stateChanged();             // browse / edit / insert / inactive
    void updateRecord();             // before post: data-aware controls write what they hold

private:
    struct CachedRow {
        qint64 id = 0;
        QByteArray key;
        QList<QVariant> values;
    };
    class Sql;

    void requireOpen() const;
    void step(bool forward);
    void checkBrowseMode();
    void setState(State s);
    void applyView(const QString& filterText, bool filtered);
    void loadRow(CachedRow row, int pos = -1);
    void showNoRecord();
    void dropWindows();
    void forgetSqlTexts();
    bool windowsValid() const;
    QList<CachedRow> fetch(bool forward, bool fromCurrent, int limit);
    QList<CachedRow> fetchFirst();
    bool fillMissingKeys();
    bool keyKeptThroughChange() const;
    QByteArray indexKey(int index, const QList<QVariant>& record) const;
    CachedRow toCachedRow(QList<QVariant>&& row) const;
    QList<QVariant> emptyRecord() const;
    QString filterWhere() const;
    QVariantList filterParams() const;
    std::vector<CachedRow> fetchRange(int offset, int count);
    std::optional<CachedRow> fetchById(qint64 id, bool inView, bool* keysMissing = nullptr);
    void moveAfterScroll();
    QVariantList storedValues(QList<QVariant>* keys) const;
    void releaseLock();

    Session& session_;
    Backend* backend_ = nullptr;
    QString tableName_;
    QString alias_;
    TableDef def_;
    std::unique_ptr<Sql> sql_;
    std::vector<std::unique_ptr<Field>> fields_;
    State state_ = State::Inactive;

    QString filterText_;
    bool filtered_ = false;
    std::unique_ptr<Filter> filter_; // the parsed filter in force, null when none
    QString fetchSql_[4];             // by direction and whether it continues from the current record
    QString rangeSql_[2];             // rows at an offset, from the start and from the end
    QString firstSql_;                // the view's first row, asking whether sort keys are missing

    bool hasRecord_ = false;
    bool eof_ = true;
    bool bof_ = true;
    qint64 rowId_ = 0;
    QByteArray key_;
    QList<QVariant> current_;         // the record in its stored form; value() converts on reading
    QList<QVariant> original_;
    bool modified_ = false;
    bool locked_ = false;
    // Where the cursor stood when append() began, for cancel().
    qint64 savedRowId_ = 0;
    QByteArray savedKey_;
    bool savedHadRecord_ = false;

    std::deque<CachedRow> ahead_;   // rows after the current one, nearest first
    std::deque<CachedRow> behind_;  // rows before the current one, nearest first
    bool aheadComplete_ = false;    // ahead_ reaches the end of the view
    bool behindComplete_ = false;
    quint64 generation_ = 0;        // backend write generation the windows belong to
    int count_ = -1;                // cached record count, -1 when unknown
    int pos_ = -1;                  // position of the current record in the view, -1 when unknown
};

} // namespace kv::store
