// Making the window tests' database and connecting the data module to it.
#include "windowdatabase.h"

#include "base/programfolder.h"
#include "data/schema.h"
#include "tools/initdataserver.h"
#include "tools/render/sampledatabase.h"

#include <QDir>
#include <stdexcept>

namespace kv::test {

namespace {

QString triggerName(const QString& table, const QString& operation) {
    return QStringLiteral("kv_refuse_%1_%2").arg(table, operation).toLower();
}

} // namespace

WindowDatabase::WindowDatabase(Engine engine)
    : db_(engine) {
    const tools::SetupResult made = tools::prepareDatabase(tools::requestFor(db_.params(), db_.folder()));
    if (!made.ok)
        throw std::runtime_error(made.message.toStdString());
    connect();
}

void WindowDatabase::connect() {
    dm_ = tools::connectDataModule(db_.folder());
}

void WindowDatabase::restart() {
    refuseNothing();
    dm_->DMDestroy();
    dm_.reset();
    for (const store::TableDef& def : data::schema())
        db_.admin().execute(QStringLiteral("DELETE FROM \"%1\"").arg(def.name));
    db_.createSchema();
    QDir folder(db_.folder());
    for (const QString& layout : folder.entryList({QStringLiteral("*.grd")}, QDir::Files))
        folder.remove(layout);
    connect();
}

WindowDatabase::~WindowDatabase() {
    if (dm_) // none when a restart could not connect
        dm_->DMDestroy();
    dm_.reset();
    setProgramFolder({});
}

void WindowDatabase::changeElsewhere(const QString& table, const QString& fieldName,
                                     const QString& value) const {
    auto station = otherStation();
    auto t = station->openTable(table);
    t->edit();
    t->fieldByName(fieldName).setAsString(value);
    t->post();
}

void WindowDatabase::refuse(const QString& table, const QString& operation) {
    const QString name = triggerName(table, operation);
    if (db_.engine() == Engine::Sqlite) {
        db_.admin().execute(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON \"%3\" BEGIN SELECT RAISE(ABORT, "
                                           "'refused'); END")
                                .arg(name, operation, table));
    } else {
        db_.admin().execute(QStringLiteral("CREATE OR REPLACE FUNCTION kv_refuse() RETURNS trigger LANGUAGE "
                                           "plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$"));
        db_.admin().execute(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON \"%3\" FOR EACH ROW EXECUTE "
                                           "FUNCTION kv_refuse()")
                                .arg(name, operation, table));
    }
    refusals_ << table + QLatin1Char('|') + operation;
}

void WindowDatabase::refuseNothing() {
    for (const QString& r : std::as_const(refusals_)) {
        const QString table = r.section(QLatin1Char('|'), 0, 0);
        const QString name = triggerName(table, r.section(QLatin1Char('|'), 1, 1));
        db_.admin().execute(db_.engine() == Engine::Sqlite
                                ? QStringLiteral("DROP TRIGGER %1").arg(name)
                                : QStringLiteral("DROP TRIGGER %1 ON \"%2\"").arg(name, table));
    }
    refusals_.clear();
}

} // namespace kv::test
