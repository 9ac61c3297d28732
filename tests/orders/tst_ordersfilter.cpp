// The orders filter: the exact filter texts of every state and range combination, and the filter
// window over a real orders table: the remembered state, ranges applied at once, the overdue state
// and its boxes, and what the views hold at the edges of the ranges.
#include "orderrows.h"
#include "ordersdatabase.h"

#include "orders/formfiltr.h"
#include "orders/orderfilter.h"

#include "base/clock.h"

#include <QTest>

using namespace kv;
using namespace kv::orders;
using kv::test::addOrder;
using kv::test::openOrder;
using kv::test::settledOrder;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));

// The clause texts of the ranges the table below uses, written out.
const QString kCreatedClause = QStringLiteral("(Datum>='1.12.2026' AND Datum<'8.12.2026')");
const QString kSettledClause = QStringLiteral("(Vyrizena_Dne>='2.12.2026' AND Vyrizena_dne<'9.12.2026')");
const QString kDeliveryClause = QStringLiteral("(Termin_dod>='9.12.2026' AND Termin_dod<'17.12.2026')");

FilterRanges rangesOf(int mask) {
    FilterRanges r;
    r.created = {QDate(2026, 12, 1), QDate(2026, 12, 7), bool(mask & 1)};
    r.settled = {QDate(2026, 12, 2), QDate(2026, 12, 8), bool(mask & 2)};
    r.delivery = {QDate(2026, 12, 9), QDate(2026, 12, 16), bool(mask & 4)};
    return r;
}

// How the orders table's view stands: "on: <text>" or "off".
QString viewOf(const store::Table& t) {
    return t.filtered() ? QStringLiteral("on: ") + t.filter() : QStringLiteral("off");
}

} // namespace

class TestOrdersFilter : public QObject {
    Q_OBJECT
    std::unique_ptr<test::OrdersDatabase> db_;
    std::unique_ptr<clock::FixedClock> clock_;

    store::Table& orders() { return db_->dm().tabKalmorvaty; }

private Q_SLOTS:
    void initTestCase() {
        clock_ = std::make_unique<clock::FixedClock>(kNow);
        db_ = std::make_unique<test::OrdersDatabase>(test::currentEngine());
    }
    void init() { db_->clearOrders(); }
    void cleanupTestCase() {
        db_.reset();
        clock_.reset();
    }

    void everyStateAndRangeGivesTheExactFilterText_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("ranges"); // bit 0 creation, bit 1 settling, bit 2 delivery
        QTest::addColumn<QString>("view");
        const QStringList stateNames{"all", "completed", "open", "cancelled", "overdue"};
        const QStringList stateTexts{QString(), QStringLiteral("(Vyrizena='True' AND Stornovana='False')"),
                                     QStringLiteral("(Vyrizena='False')"),
                                     QStringLiteral("(Vyrizena='True' AND Stornovana='True')")};
        const QStringList clauses{kCreatedClause, kSettledClause, kDeliveryClause};
        const QStringList rangeNames{"creation", "settling", "delivery"};
        for (int kind = kAllOrders; kind <= kOverdue; ++kind) {
            for (int mask = 0; mask < 8; ++mask) {
                QStringList parts, names;
                if (kind != kAllOrders && kind != kOverdue)
                    parts << stateTexts[kind - 1];
                for (int r = 0; r < 3; ++r) {
                    if (mask & (1 << r)) {
                        names << rangeNames[r];
                        if (kind != kOverdue) // the overdue state never takes the ranges
                            parts << clauses[r];
                    }
                }
                if (kind == kOverdue)
                    parts << QStringLiteral("(Vyrizena='False' AND Termin_dod<'9.12.2026')");
                const QString view = parts.isEmpty()
                                         ? QStringLiteral("off")
                                         : QStringLiteral("on: ") + parts.join(QLatin1String(" AND "));
                const QString name =
                    stateNames[kind - 1] + QLatin1String(", ") +
                    (names.isEmpty() ? QStringLiteral("no range") : names.join(QLatin1String(" + ")));
                QTest::newRow(qPrintable(name)) << kind << mask << view;
            }
        }
        // Completed orders of the first week of December 2026, written out whole.
        QTest::newRow("example: completed orders created in the first week of December 2026")
            << int(kCompleted) << 1
            << QStringLiteral("on: (Vyrizena='True' AND Stornovana='False') AND (Datum>='1.12.2026' AND "
                              "Datum<'8.12.2026')");
        QTest::newRow("a kind outside 1-5 shows all orders")
            << 7 << 4 << QStringLiteral("on: ") + kDeliveryClause;
    }
    void everyStateAndRangeGivesTheExactFilterText() {
        QFETCH(int, kind);
        QFETCH(int, ranges);
        QFETCH(QString, view);
        OrdersFilter filter;
        filter.setRanges(rangesOf(ranges));
        // Applied to the real table, so the store's parser accepts every text too.
        filter.apply(orders(), kind, clock::today());
        QCOMPARE(viewOf(orders()), view);
        QCOMPARE(filter.kind(), kind);
    }

    void showingSelectsAndAppliesTheRememberedState() {
        TFormFiltr w(db_->dm());
        QVERIFY(w.chNevyrizene->isChecked());
        w.show();
        QCOMPARE(viewOf(orders()), QStringLiteral("on: (Vyrizena='False')"));
        w.cdVyrizene->click();
        QCOMPARE(viewOf(orders()), QStringLiteral("on: (Vyrizena='True' AND Stornovana='False')"));
        w.close();
        // Meanwhile the main window switched the filter off after the list.
        orders().setFiltered(false);
        w.chNevyrizene->setChecked(true);
        w.show();
        QVERIFY(w.cdVyrizene->isChecked());
        QCOMPARE(viewOf(orders()), QStringLiteral("on: (Vyrizena='True' AND Stornovana='False')"));

        w.chVeskere->click();
        w.close();
        orders().setFilter(QStringLiteral("Vyrizena='False'"));
        orders().setFiltered(true);
        w.show();
        QVERIFY(w.chVeskere->isChecked());
        QCOMPARE(viewOf(orders()), QStringLiteral("off"));
    }

    void theRangesStartAroundTodayAndApplyAtOnce() {
        TFormFiltr w(db_->dm());
        w.show();
        const QList<QDateEdit*> pickers{w.fOdZalozeni, w.fDoZalozeni,  w.fOdUzavrena,
                                        w.fDoUzavrena, w.fOdTerminDod, w.fDoTerminDod};
        QList<QDate> dates;
        for (QDateEdit* p : pickers)
            dates << p->date();
        QCOMPARE(dates, (QList<QDate>{QDate(2026, 12, 2), QDate(2026, 12, 9), QDate(2026, 12, 2),
                                      QDate(2026, 12, 9), QDate(2026, 12, 9), QDate(2026, 12, 16)}));
        QVERIFY(!w.edZalozenaAkt->isChecked() && !w.edAktUkoncena->isChecked() &&
                !w.edChTerminDodAkt->isChecked());

        w.edZalozenaAkt->click();
        QCOMPARE(viewOf(orders()),
                 QStringLiteral("on: (Vyrizena='False') AND (Datum>='2.12.2026' AND Datum<'10.12.2026')"));
        w.fOdZalozeni->setDate(QDate(2026, 11, 1));
        QCOMPARE(viewOf(orders()),
                 QStringLiteral("on: (Vyrizena='False') AND (Datum>='1.11.2026' AND Datum<'10.12.2026')"));
        w.chVeskere->click();
        QCOMPARE(viewOf(orders()), QStringLiteral("on: (Datum>='1.11.2026' AND Datum<'10.12.2026')"));
        w.edZalozenaAkt->click();
        QCOMPARE(viewOf(orders()), QStringLiteral("off"));
    }

    void aRangeCheckedWhileOverdueIsSelectedStaysUnchecked() {
        TFormFiltr w(db_->dm());
        w.show();
        w.edAktUkoncena->click();
        QVERIFY(w.edAktUkoncena->isChecked());
        w.chPoTerminu->click();
        QVERIFY(!w.edAktUkoncena->isChecked()); // choosing the overdue state unchecks the boxes
        const QString overdue = QStringLiteral("on: (Vyrizena='False' AND Termin_dod<'9.12.2026')");
        QCOMPARE(viewOf(orders()), overdue);
        w.edZalozenaAkt->click();
        QVERIFY(!w.edZalozenaAkt->isChecked());
        QCOMPARE(viewOf(orders()), overdue);
        QCOMPARE(w.filterState().condition(), QString());
        // Leaving the overdue state finds no range active.
        w.cdVyrizene->click();
        QCOMPARE(viewOf(orders()), QStringLiteral("on: (Vyrizena='True' AND Stornovana='False')"));
    }

    void theViewsHoldWhatTheRangesMean_data() {
        QTest::addColumn<QString>("choice"); // the radio button clicked after the range is set
        QTest::addColumn<QStringList>("shown");
        // Settling range 1.12.-7.12.: it takes the whole 7th, up to the 8th's midnight, which it leaves out.
        QTest::newRow("completed: settled during the last day of the range is in")
            << QStringLiteral("cdVyrizene") << QStringList{"2026/12/00001/JN", "2026/12/00002/JN"};
        QTest::newRow("open orders have no settling date") << QStringLiteral("chNevyrizene") << QStringList{};
        QTest::newRow("all: the range alone")
            << QStringLiteral("chVeskere")
            << QStringList{"2026/12/00001/JN", "2026/12/00002/JN", "2026/12/00004/JN"};
    }
    void theViewsHoldWhatTheRangesMean() {
        QFETCH(QString, choice);
        QFETCH(QStringList, shown);
        addOrder(orders(),
                 settledOrder(QStringLiteral("2026/12/00001/JN"), QDateTime(QDate(2026, 12, 7), QTime(9, 15)),
                              false, QDate(2026, 12, 15)));
        addOrder(orders(),
                 settledOrder(QStringLiteral("2026/12/00002/JN"),
                              QDateTime(QDate(2026, 12, 6), QTime(23, 59)), false, QDate(2026, 12, 15)));
        addOrder(orders(), openOrder(QStringLiteral("2026/12/00003/JN")));
        addOrder(orders(),
                 settledOrder(QStringLiteral("2026/12/00004/JN"), QDateTime(QDate(2026, 12, 1), QTime(0, 0)),
                              true, QDate(2026, 12, 15)));
        addOrder(orders(),
                 settledOrder(QStringLiteral("2026/12/00005/JN"), QDateTime(QDate(2026, 12, 8), QTime(0, 0)),
                              false, QDate(2026, 12, 15)));
        TFormFiltr w(db_->dm());
        w.show();
        w.fOdUzavrena->setDate(QDate(2026, 12, 1));
        w.fDoUzavrena->setDate(QDate(2026, 12, 7));
        w.edAktUkoncena->click();
        w.findChild<QRadioButton*>(choice)->click();
        QStringList numbers;
        for (orders().first(); !orders().eof(); orders().next()) {
            if (orders().isEmpty())
                break;
            numbers << orders().fieldByName(QStringLiteral("Cislo")).asString();
        }
        QCOMPARE(numbers, shown);
    }

    void overdueMeansADeliveryDateBeforeToday() {
        addOrder(orders(), openOrder(QStringLiteral("2026/12/00001/JN"), QDate(2026, 12, 9)));
        addOrder(orders(), openOrder(QStringLiteral("2026/12/00002/JN"), QDate(2026, 12, 8)));
        addOrder(orders(), settledOrder(QStringLiteral("2026/12/00003/JN"), kNow, false, QDate(2026, 12, 1)));
        TFormFiltr w(db_->dm());
        w.show();
        w.chPoTerminu->click();
        QCOMPARE(orders().recordCount(), 1);
        QCOMPARE(orders().fieldByName(QStringLiteral("Cislo")).asString(),
                 QStringLiteral("2026/12/00002/JN"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestOrdersFilter t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_ordersfilter.moc"
