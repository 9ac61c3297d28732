// The orders list and its filter over --rows orders (about a tenth of the completed ones cancelled,
// every settled order with its settling time): the list's first screen with the open orders and
// their state fonts, and each state of the filter window applied. The list is measured against the
// plain grid baseline doing the same filter, reading and painting; the filter states against the
// raw engine running the same conditions (the count the list's grid needs and the first record),
// each after the conditions of the state it is applied from, as the list switches from that state.
#include "benchcase.h"
#include "benchdatamodule.h"
#include "ordersdb.h"
#include "plaingrid.h"
#include "rawsqlite.h"

#include "base/clock.h"
#include "data/store/filter.h"
#include "data/store/sqlitebackend.h"
#include "orders/formfiltr.h"
#include "orders/formseznamobj.h"
#include "orders/orderstate.h"

#include <QDir>
#include <QImage>
#include <cstdio>

namespace kv::bench {
namespace {

// Cancels about a tenth of the completed orders and gives every settled order its settling time,
// two days before its delivery date at ten o'clock.
void settleSome(const QString& folder) {
    RawSqlite raw(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));
    RawSqlite::run(raw.prepare(
        "UPDATE \"Kalmorvaty\" SET \"Stornovana\" = 1 WHERE \"Vyrizena\" = 1 AND \"_id\" % 10 = 0"));
    RawSqlite::run(
        raw.prepare("UPDATE \"Kalmorvaty\" SET \"Vyrizena_dne\" = "
                    "strftime('%Y-%m-%d %H:%M:%f', \"Termin_dod\", '-2 days', '+10 hours') WHERE \"Vyrizena\" = 1"));
    RawSqlite::run(raw.prepare("ANALYZE"));
}

} // namespace

KV_BENCH_CASE("orders") {
    const QString folder = options.workDir + QLatin1String("/orders/");
    QDir().mkpath(folder);
    std::printf("filling %d orders...\n", options.rows);
    std::fflush(stdout);
    fillOrders(folder, options.rows);
    settleSome(folder);
    writeServerIni(folder);
    std::unique_ptr<data::TDM> dm = connectDataModule(folder);
    store::Table& t = dm->tabKalmorvaty;
    const store::TableDef& def = t.definition();

    orders::TFormSeznamObj list(*dm);
    list.resize(1000, 800);
    list.show();
    orders::TFormFiltr filter(*dm);
    controls::DBGrid& grid = *list.GridUkazObj;
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);

    RawSqlite raw(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));
    const QByteArray columns = rawColumns(def);
    const QList<store::FieldType> types = fieldTypes(def);
    struct Condition {
        sqlite3_stmt* count;
        sqlite3_stmt* rows;
        QVariantList params;
    };
    auto condition = [&](const QString& filterText) {
        QByteArray where;
        QVariantList params;
        if (!filterText.isEmpty()) {
            const auto parsed = store::Filter::parse(filterText, def);
            where = " WHERE " + parsed->sql().toUtf8();
            params = parsed->params();
        }
        return Condition{raw.prepare("SELECT COUNT(*) FROM \"Kalmorvaty\"" + where),
                         raw.prepare("SELECT " + columns + " FROM \"Kalmorvaty\"" + where +
                                     " ORDER BY \"_k_Cislo\", \"_id\" LIMIT ?"),
                         params};
    };
    auto rawCount = [](const Condition& c) {
        RawSqlite::bind(c.count, c.params);
        return RawSqlite::texts(c.count, 1).value(0).value(0).toInt();
    };

    // The list's first screen as the main window opens it: the open orders filtered in, the grid
    // painted. The filter text is either still the one the main window set last time, or another
    // state's that the filter window left.
    const QString openText = QStringLiteral("Vyrizena='False'");
    auto firstScreen = [&](const QString& leftText) {
        return bestMs(
            [&] {
                t.setFiltered(false);
                t.setFilter(leftText);
            },
            [&] {
                t.setFilterView(openText, true);
                grid.render(&image);
            });
    };
    const double oursFirst = firstScreen(openText);
    const double oursAfterOther = firstScreen(QStringLiteral("(Vyrizena='True' AND Stornovana='False')"));
    PlainGrid plain(grid);
    const Condition open = condition(openText);
    const int vyrizena = def.fieldIndex(QStringLiteral("Vyrizena")) + kRawFieldOffset;
    const int stornovana = def.fieldIndex(QStringLiteral("Stornovana")) + kRawFieldOffset;
    const int terminDod = def.fieldIndex(QStringLiteral("Termin_dod")) + kRawFieldOffset;
    const double rawFirst =
        bestMs([] {},
               [&] {
                   plain.newView(rawCount(open));
                   RawSqlite::bind(open.rows, open.params);
                   QList<QStringList> rows = shownTexts(open.rows, plain.shown(), types);
                   QList<QFont> fonts;
                   for (const QStringList& r : rows)
                       fonts << orders::stateFont(
                           orders::orderState(
                               r[vyrizena] == QLatin1String("True"), r[stornovana] == QLatin1String("True"),
                               QDate::fromString(r[terminDod], QStringLiteral("d.M.yyyy")), clock::today()),
                           plain.view().font());
                   plain.rows().setRows(0, std::move(rows), std::move(fonts));
                   plain.view().selectRow(0);
                   plain.view().render(&image);
               });
    report(QStringLiteral("orders list first screen, open orders with state fonts (%1 rows shown)")
               .arg(plain.shown()),
           oursFirst, rawFirst);
    report(QStringLiteral("orders list first screen after another filter state"), oursAfterOther, rawFirst);

    // Each state applied from another, as a click on its radio button: the table moves to the first
    // order of the new view and the list beside the filter counts it; the raw engine counts the
    // orders that meet the same condition and reads the first of them, after doing the same for the
    // state before.
    struct State {
        const char* name;
        int kind;
        bool ranges;
    };
    const State states[] = {
        {"all", orders::kAllOrders, false},   {"completed", orders::kCompleted, false},
        {"open", orders::kOpen, false},       {"cancelled", orders::kCancelled, false},
        {"overdue", orders::kOverdue, false}, {"completed, three ranges", orders::kCompleted, true}};
    auto setRanges = [&] {
        filter.applyState(orders::kCompleted); // the overdue state would uncheck the ranges
        filter.fOdZalozeni->setDate(QDate(2024, 3, 1));
        filter.fDoZalozeni->setDate(QDate(2024, 3, 31));
        filter.fOdUzavrena->setDate(QDate(2024, 3, 1));
        filter.fDoUzavrena->setDate(QDate(2024, 4, 30));
        filter.fOdTerminDod->setDate(QDate(2024, 3, 10));
        filter.fDoTerminDod->setDate(QDate(2024, 4, 20));
        for (QCheckBox* box : {filter.edZalozenaAkt, filter.edAktUkoncena, filter.edChTerminDodAkt})
            box->setChecked(true);
        filter.rangesChanged();
    };
    filter.show();
    for (const State& s : states) {
        if (s.ranges)
            setRanges();
        const int from = s.kind == orders::kOpen ? orders::kCompleted : orders::kOpen;
        filter.applyState(from);
        const Condition before = condition(t.filtered() ? t.filter() : QString());
        const double ours = bestMs([&] { filter.applyState(from); }, [&] { filter.applyState(s.kind); }, 3);
        const int count = t.recordCount();
        const Condition c = condition(t.filtered() ? t.filter() : QString());
        auto rawState = [&](const Condition& state) {
            const int n = rawCount(state);
            RawSqlite::bind(state.rows, state.params);
            RawSqlite::run(state.rows, 1);
            return n;
        };
        int rawRows = 0;
        const double rawMs = bestMs([&] { rawState(before); }, [&] { rawRows = rawState(c); }, 3);
        if (rawRows != count)
            std::printf("orders filter %s: %d orders against the raw engine's %d\n", s.name, count, rawRows);
        report(QStringLiteral("orders filter %1 (%2 orders)").arg(QLatin1String(s.name)).arg(count), ours,
               rawMs);
    }
    filter.close();
    list.close();
}

} // namespace kv::bench
