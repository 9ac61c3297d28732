// The raw SQLite reader the database cases measure the store against.
#include "rawsqlite.h"

#include "rawengine.h"

#include "data/store/backend.h"
#include "data/store/isotime.h"
#include "data/store/sqlitebackend.h"

namespace kv::bench {

namespace {

void bindLimit(sqlite3_stmt* s, int rows) {
    if (QByteArray(sqlite3_sql(s)).endsWith("LIMIT ?"))
        sqlite3_bind_int64(s, sqlite3_bind_parameter_count(s), rows);
}

QString columnText(sqlite3_stmt* s, int c) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                             sqlite3_column_bytes(s, c));
}

} // namespace

RawSqlite::RawSqlite(const QString& path) {
    sqlite3_open(path.toUtf8().constData(), &db_);
    // The program's connection settings, so that both sides read from a page cache of one size and
    // sync their commits alike.
    const QByteArray cache = "PRAGMA cache_size=-" + QByteArray::number(store::SqliteBackend::kPageCacheKiB);
    sqlite3_exec(db_, cache.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
}

RawSqlite::~RawSqlite() {
    for (auto* s : statements_)
        sqlite3_finalize(s);
    sqlite3_close(db_);
}

sqlite3_stmt* RawSqlite::prepare(const QByteArray& sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v3(db_, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    statements_.push_back(s);
    return s;
}

int RawSqlite::run(sqlite3_stmt* s, int rows) {
    bindLimit(s, rows);
    int n = 0;
    while (n < rows && sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0, cols = sqlite3_column_count(s); c < cols; ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                (void)columnText(s, c);
            else
                (void)sqlite3_column_int64(s, c);
        }
        ++n;
    }
    sqlite3_reset(s);
    return n;
}

QList<QStringList> RawSqlite::texts(sqlite3_stmt* s, int rows) {
    bindLimit(s, rows);
    QList<QStringList> out;
    while (out.size() < rows && sqlite3_step(s) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0, cols = sqlite3_column_count(s); c < cols; ++c)
            row << (sqlite3_column_type(s, c) == SQLITE_TEXT ? columnText(s, c)
                                                             : QString::number(sqlite3_column_int64(s, c)));
        out << std::move(row);
    }
    sqlite3_reset(s);
    return out;
}

void RawSqlite::bind(sqlite3_stmt* s, const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        if (v.metaType() == QMetaType::fromType<store::Timestamp>()) {
            char iso[store::kIsoDateTimeLength];
            store::isoFromMillis(v.value<store::Timestamp>().ms, iso);
            sqlite3_bind_text(s, i + 1, iso, store::kIsoDateTimeLength, SQLITE_TRANSIENT);
        } else if (v.typeId() == QMetaType::QString) {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(s, i + 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        } else if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob(s, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(s, i + 1, v.toLongLong());
        }
    }
}

namespace {

// The store cases' view of the raw reader: parameters bound as SQLite's own types.
class RawSqliteEngine : public RawEngine {
public:
    explicit RawSqliteEngine(const QString& path)
        : raw_(path) {}

    int prepare(const QByteArray& sql) override {
        statements_.push_back(raw_.prepare(sql));
        return int(statements_.size() - 1);
    }

    int run(int statement, const QVariantList& params, int rows) override {
        sqlite3_stmt* s = statements_[std::size_t(statement)];
        RawSqlite::bind(s, params);
        ++trips_;
        return RawSqlite::run(s, rows);
    }

    quint64 roundTrips() const override { return trips_; }

private:
    RawSqlite raw_;
    std::vector<sqlite3_stmt*> statements_;
    quint64 trips_ = 0;
};

} // namespace

std::unique_ptr<RawEngine> rawSqliteEngine(const QString& databasePath) {
    return std::make_unique<RawSqliteEngine>(databasePath);
}

} // namespace kv::bench
