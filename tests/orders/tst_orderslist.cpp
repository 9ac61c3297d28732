// The orders list: row fonts by state, completing and cancelling with their questions, locks and
// failures, the memos, the filter window beside the list (also while the list is modal), closing,
// printing, and the road from the main window's "Seznam objednávek".
#include "orderrows.h"
#include "ordersdatabase.h"
#include "tests/support/accessiblenames.h"

#include "app/formobj.h"
#include "codelists/layoutfile/gridlayoutfile.h"
#include "orders/formfiltr.h"
#include "orders/formseznamobj.h"
#include "orders/neworder.h"
#include "orders/ordersettle.h"
#include "orders/orderstate.h"
#include "orders/orderswindows.h"
#include "print/formnahledtisku.h"
#include "print/printwindows.h"

#include "base/clock.h"
#include "data/store/storeerror.h"
#include "ui/appwindows.h"
#include "ui/scripteddialogs.h"

#include <QFile>
#include <QTest>
#include <QTimer>

using namespace kv;
using namespace kv::orders;
using kv::test::openOrder;
using kv::test::OrderRow;
using kv::test::settledOrder;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));

QString styleOf(const QFont& f) {
    QStringList s;
    if (f.strikeOut())
        s << QStringLiteral("struck");
    if (f.italic())
        s << QStringLiteral("italic");
    if (f.bold())
        s << QStringLiteral("bold");
    if (f.underline())
        s << QStringLiteral("underlined");
    return s.join(QLatin1Char(' '));
}

} // namespace

class TestOrdersList : public QObject {
    Q_OBJECT
    std::unique_ptr<test::OrdersDatabase> db_;
    std::unique_ptr<clock::FixedClock> clock_;
    TFormSeznamObj* list_ = nullptr;
    TFormFiltr* filter_ = nullptr;

    store::Table& orders() { return db_->dm().tabKalmorvaty; }
    QString cislo() { return orders().fieldByName(QStringLiteral("Cislo")).asString(); }
    // The orders' numbers and flags as stored, read by another station.
    QString stored(const QString& number) {
        auto station = db_->otherStation();
        auto t = station->openTable(QStringLiteral("Kalmorvaty"));
        if (!t->locate(QStringLiteral("Cislo"), number))
            return QStringLiteral("missing");
        return QStringLiteral("%1 %2 %3")
            .arg(t->fieldByName(QStringLiteral("Vyrizena")).asString(),
                 t->fieldByName(QStringLiteral("Stornovana")).asString(),
                 t->fieldByName(QStringLiteral("Vyrizena_dne")).asString());
    }
    void addOrders(const QList<OrderRow>& rows) {
        for (const OrderRow& r : rows)
            test::addOrder(orders(), r);
        orders().first();
    }
    // The program's windows as the start-up makes them, in its order.
    void createWindows(bool withPrinting = false) {
        ui::AppWindows& w = ui::appWindows();
        w.add(QStringLiteral("TFormSeznamObj"), createOrdersList());
        w.add(QStringLiteral("TFormFiltr"), createOrdersFilter());
        if (withPrinting) {
            w.add(QStringLiteral("TFormNahledTisku"), print::createPrintPreview());
            w.add(QStringLiteral("TSestavy"), print::createReportContainer());
        }
        list_ = w.find<TFormSeznamObj>(QStringLiteral("TFormSeznamObj"));
        filter_ = w.find<TFormFiltr>(QStringLiteral("TFormFiltr"));
    }

private Q_SLOTS:
    void initTestCase() {
        clock_ = std::make_unique<clock::FixedClock>(kNow);
        db_ = std::make_unique<test::OrdersDatabase>(test::currentEngine());
    }
    void init() {
        db_->clearOrders();
        QFile::remove(TFormSeznamObj::layoutPath());
    }
    void cleanup() {
        ui::appWindows().clear();
        list_ = nullptr;
        filter_ = nullptr;
    }
    void cleanupTestCase() {
        db_.reset();
        clock_.reset();
    }

    void everyControlHasANameAScreenReaderReads() {
        createWindows();
        QCOMPARE(test::unnamedControls(*list_), QStringList());
        QCOMPARE(test::unnamedControls(*filter_), QStringList());
    }

    void stateIsDecidedCancelledThenCompletedThenByDate_data() {
        QTest::addColumn<bool>("vyrizena");
        QTest::addColumn<bool>("stornovana");
        QTest::addColumn<QDate>("due");
        QTest::addColumn<QString>("style");
        const QDate today(2026, 12, 9);
        QTest::newRow("open, due today: not overdue yet") << false << false << today << "bold";
        QTest::newRow("open, due yesterday: overdue")
            << false << false << today.addDays(-1) << "bold underlined";
        QTest::newRow("open without a delivery date") << false << false << QDate() << "bold";
        QTest::newRow("completed, even when past its date")
            << true << false << today.addDays(-30) << "italic";
        QTest::newRow("cancelled carries the completed flag too")
            << true << true << today.addDays(-30) << "struck";
        QTest::newRow("cancelled without the completed flag") << false << true << today << "struck";
    }
    void stateIsDecidedCancelledThenCompletedThenByDate() {
        QFETCH(bool, vyrizena);
        QFETCH(bool, stornovana);
        QFETCH(QDate, due);
        QFETCH(QString, style);
        QCOMPARE(styleOf(stateFont(orderState(vyrizena, stornovana, due, QDate(2026, 12, 9)), QFont())),
                 style);
    }

    void gridDrawsEachRowInItsStateFont() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"), QDate(2026, 12, 9)),
                   openOrder(QStringLiteral("2026/12/00002/JN"), QDate(2026, 12, 8)),
                   settledOrder(QStringLiteral("2026/12/00003/JN"), kNow, false, QDate(2026, 12, 8)),
                   settledOrder(QStringLiteral("2026/12/00004/JN"), kNow, true, QDate(2026, 12, 8))});
        createWindows();
        QAbstractItemModel* m = list_->GridUkazObj->model();
        QStringList styles;
        for (int row = 0; row < m->rowCount(); ++row)
            styles << m->index(row, 0).data().toString() + QLatin1Char(' ') +
                          styleOf(m->index(row, 0).data(Qt::FontRole).value<QFont>());
        QCOMPARE(styles, (QStringList{"2026/12/00001/JN bold", "2026/12/00002/JN bold underlined",
                                      "2026/12/00003/JN italic", "2026/12/00004/JN struck"}));
    }

    void settlingAsksWithTheNumberAndStoresTheTime_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("stored");
        QTest::newRow("complete, yes") << false << true << "True False 9.12.2026 10:30:00";
        QTest::newRow("complete, no") << false << false << "False False ";
        QTest::newRow("cancel, yes: settled and cancelled") << true << true << "True True 9.12.2026 10:30:00";
        QTest::newRow("cancel, no") << true << false << "False False ";
    }
    void settlingAsksWithTheNumberAndStoresTheTime() {
        QFETCH(bool, cancel);
        QFETCH(bool, yes);
        QFETCH(QString, stored);
        addOrders({openOrder(QStringLiteral("2026/12/00007/JN"))});
        createWindows();
        ui::ScriptedDialogs dialogs;
        dialogs.messageAnswers.push_back(yes ? ui::MsgButton::Yes : ui::MsgButton::No);
        (cancel ? list_->tlStornovana : list_->tlVyrizena)->click();
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].text,
                 cancel ? QStringLiteral("Opravdu chcete STORNOVAT objednávku číslo 2026/12/00007/JN?")
                        : QStringLiteral("Opravdu je objednávka číslo 2026/12/00007/JN vyřízena?"));
        QCOMPARE(dialogs.calls[0].style, cancel ? ui::MsgStyle::Warning : ui::MsgStyle::Confirmation);
        QCOMPARE(dialogs.calls[0].buttons, ui::MsgButton::Yes | ui::MsgButton::No);
        QCOMPARE(this->stored(QStringLiteral("2026/12/00007/JN")), stored);
        QCOMPARE(orders().state(), store::Table::State::Browse);
    }

    void settledOrdersIgnoreBothCommands() {
        addOrders({settledOrder(QStringLiteral("2026/12/00001/JN"),
                                QDateTime(QDate(2026, 12, 5), QTime(8, 0)), false, QDate(2026, 12, 15)),
                   settledOrder(QStringLiteral("2026/12/00002/JN"),
                                QDateTime(QDate(2026, 12, 6), QTime(8, 0)), true, QDate(2026, 12, 15))});
        createWindows();
        ui::ScriptedDialogs dialogs;
        for (int i = 0; i < 2; ++i) {
            list_->tlVyrizena->click();
            list_->tlStornovana->click();
            orders().next();
        }
        QCOMPARE(dialogs.calls.size(), 0);
        QCOMPARE(stored(QStringLiteral("2026/12/00001/JN")), QStringLiteral("True False 5.12.2026 8:00:00"));
        QCOMPARE(stored(QStringLiteral("2026/12/00002/JN")), QStringLiteral("True True 6.12.2026 8:00:00"));
    }

    void anOrderLockedByAnotherStationIsLeftAlone() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"))});
        createWindows();
        auto station = db_->otherStation();
        auto theirs = station->openTable(QStringLiteral("Kalmorvaty"));
        theirs->edit();
        ui::ScriptedDialogs dialogs;
        list_->tlVyrizena->click();
        QCOMPARE(dialogs.messages(),
                 (QStringList{QStringLiteral("Opravdu je objednávka číslo 2026/12/00001/JN vyřízena?"),
                              lockedMessage()}));
        QCOMPARE(dialogs.calls[1].style, ui::MsgStyle::Warning);
        QCOMPARE(dialogs.calls[1].buttons, ui::MsgButtons(ui::MsgButton::Ok));
        QCOMPARE(orders().state(), store::Table::State::Browse);
        theirs->cancel();
        QCOMPARE(stored(QStringLiteral("2026/12/00001/JN")), QStringLiteral("False False "));
    }

    // Our copy still shows the order open; the station that completed it keeps its change.
    void anOrderSettledMeanwhileElsewhereIsNotOverwritten() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"))});
        createWindows();
        {
            auto station = db_->otherStation();
            auto theirs = station->openTable(QStringLiteral("Kalmorvaty"));
            theirs->edit();
            theirs->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(true);
            theirs->fieldByName(QStringLiteral("Vyrizena_dne"))
                .setAsDateTime(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
            theirs->post();
        }
        ui::ScriptedDialogs dialogs;
        list_->tlStornovana->click();
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(dialogs.messages()[1],
                 QStringLiteral("Objednávka číslo 2026/12/00001/JN byla mezitím uzavřena jiným uživatelem."));
        QCOMPARE(stored(QStringLiteral("2026/12/00001/JN")), QStringLiteral("True False 9.12.2026 9:00:00"));
        QCOMPARE(orders().state(), store::Table::State::Browse);
    }

    // The save fails because the table went away between the edit and the post.
    void aFailedSaveIsReportedAndItsChangeDropped() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"))});
        createWindows();
        auto& admin = db_->database().admin();
        const auto sabotage = connect(&orders(), &store::Table::updateRecord, this, [&] {
            admin.execute(QStringLiteral("ALTER TABLE \"Kalmorvaty\" RENAME TO \"Odlozeno\""), {});
        });
        ui::ScriptedDialogs dialogs;
        list_->tlVyrizena->click();
        disconnect(sabotage);
        admin.execute(QStringLiteral("ALTER TABLE \"Odlozeno\" RENAME TO \"Kalmorvaty\""), {});
        QCOMPARE(dialogs.messages().value(1), settleNotSavedMessage());
        QCOMPARE(dialogs.calls.value(1).style, ui::MsgStyle::Error);
        QCOMPARE(orders().state(), store::Table::State::Browse);
        QVERIFY(!orders().fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        // A later move has nothing left to post.
        orders().refresh();
        QCOMPARE(stored(QStringLiteral("2026/12/00001/JN")), QStringLiteral("False False "));
    }

    void aCompletedOrderLeavesTheOpenOrdersView() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN")),
                   openOrder(QStringLiteral("2026/12/00002/JN")),
                   openOrder(QStringLiteral("2026/12/00003/JN"))});
        createWindows();
        orders().setFilter(QStringLiteral("Vyrizena='False'"));
        orders().setFiltered(true);
        orders().next();
        QCOMPARE(cislo(), QStringLiteral("2026/12/00002/JN"));
        ui::ScriptedDialogs dialogs;
        list_->tlVyrizena->click();
        QCOMPARE(orders().recordCount(), 2);
        QCOMPARE(cislo(), QStringLiteral("2026/12/00003/JN"));
        QAbstractItemModel* m = list_->GridUkazObj->model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("2026/12/00003/JN"));
        QCOMPARE(list_->GridUkazObj->currentIndex().row(), 1);
    }

    void textTypedInEitherMemoIsStoredOnMove_data() {
        QTest::addColumn<QString>("memo");
        QTest::newRow("list page") << QStringLiteral("UkazText");
        QTest::newRow("text page") << QStringLiteral("DBMemo1");
    }
    void textTypedInEitherMemoIsStoredOnMove() {
        QFETCH(QString, memo);
        addOrders(
            {openOrder(QStringLiteral("2026/12/00001/JN")), openOrder(QStringLiteral("2026/12/00002/JN"))});
        createWindows();
        list_->show();
        auto* edit = list_->findChild<controls::TDBMemo*>(memo);
        list_->PageControl1->setCurrentWidget(edit->parentWidget());
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, QStringLiteral(" Ihned."));
        QCOMPARE(orders().state(), store::Table::State::Edit);
        list_->DBNavigator1->click(controls::TNavigateBtn::nbNext);
        QCOMPARE(cislo(), QStringLiteral("2026/12/00002/JN"));
        auto station = db_->otherStation();
        auto t = station->openTable(QStringLiteral("Kalmorvaty"));
        QVERIFY(t->locate(QStringLiteral("Cislo"), QStringLiteral("2026/12/00001/JN")));
        QCOMPARE(t->fieldByName(QStringLiteral("Text")).asString(),
                 QStringLiteral("Objednáváme 20 ks cementu. Ihned."));
        list_->close();
    }

    // "Tisk kopie" prints the text as the new order window keeps it, so both memos keep an order's
    // text within the form's lines; a longer text stored by other means shows whole, may shrink,
    // but never grows.
    void theMemosKeepTheTextToTheLinesTheFormPrints_data() { textTypedInEitherMemoIsStoredOnMove_data(); }
    void theMemosKeepTheTextToTheLinesTheFormPrints() {
        QFETCH(QString, memo);
        QStringList lines;
        for (int i = 1; i <= 30; ++i)
            lines << QStringLiteral("%1. položka").arg(i);
        OrderRow full = openOrder(QStringLiteral("2026/12/00001/JN"));
        full.text = lines.mid(0, orders::kMaxTextLines).join(QLatin1String("\r\n"));
        OrderRow longer = openOrder(QStringLiteral("2026/12/00002/JN"));
        longer.text = lines.join(QLatin1String("\r\n"));
        addOrders({full, longer});
        createWindows();
        list_->show();
        auto* edit = list_->findChild<controls::TDBMemo*>(memo);
        list_->PageControl1->setCurrentWidget(edit->parentWidget());
        for (const QStringList& shown : {lines.mid(0, orders::kMaxTextLines), lines}) {
            QCOMPARE(edit->toPlainText(), shown.join(QLatin1Char('\n')));
            edit->moveCursor(QTextCursor::End);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, QStringLiteral(" ihned"));
        QCOMPARE(edit->toPlainText(), shown.join(QLatin1Char('\n')) + QStringLiteral(" ihned"));
            list_->DBNavigator1->click(controls::TNavigateBtn::nbNext);
        }
        edit->moveCursor(QTextCursor::End);
        edit->moveCursor(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        edit->moveCursor(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->toPlainText(), lines.mid(0, 29).join(QLatin1Char('\n')));
        list_->close();
    }

    // The list is wider than the offscreen screen leaves room for beside it, so the filter ends
    // flush with the screen's right edge, at the list's top.
    void theFilterOpensBesideTheListOnTheScreenAndClosesWithIt() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"))});
        createWindows();
        list_->move(40, 30);
        list_->show();
        list_->tlFiltr->click();
        QVERIFY(filter_->isVisible());
        list_->tlFiltr->click(); // once shown, the filter's frame is known
        const int screenWidth = list_->screen()->geometry().width();
        QCOMPARE(filter_->pos(), QPoint(screenWidth - filter_->frameGeometry().width(), 30));
        QFile::remove(TFormSeznamObj::layoutPath());
        list_->tlZavri2->click();
        QVERIFY(!list_->isVisible());
        QVERIFY(!filter_->isVisible());
        QVERIFY(QFile::exists(TFormSeznamObj::layoutPath()));
    }

    void theColumnsCloseIntoTheLayoutFileAndOpenFromIt() {
        createWindows();
        controls::DBGridColumns columns;
        columns.setLoaded(
            {{QStringLiteral("Dod_firma"), false, 200, true}, {QStringLiteral("Cislo"), false, 90, true}});
        list_->GridUkazObj->setColumns(columns);
        list_->show();
        list_->close();
        TFormSeznamObj again(db_->dm());
        QCOMPARE(again.GridUkazObj->columns().count(), 2);
        QCOMPARE(again.GridUkazObj->columns().at(0).fieldName, QStringLiteral("Dod_firma"));
        QCOMPARE(again.GridUkazObj->columnWidth(0), 200);
    }

    // With the list shown by exec() the application is modal to it; the filter window, shown
    // from it, still takes a real click that reaches it through the window system.
    void theFilterWindowWorksWhileTheListIsModal() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN"))});
        createWindows();
        QString viewWhileModal;
        QTimer::singleShot(0, this, [&] {
            list_->tlFiltr->click();
            QVERIFY(QTest::qWaitForWindowExposed(filter_));
            QRadioButton* b = filter_->cdVyrizene;
            QTest::mouseClick(filter_->windowHandle(), Qt::LeftButton, {},
                              b->mapTo(filter_, b->rect().center()));
            viewWhileModal = orders().filter();
            list_->close();
        });
        ui::dialogs().showModal(*list_);
        QCOMPARE(viewWhileModal, QStringLiteral("(Vyrizena='True' AND Stornovana='False')"));
        QVERIFY(!filter_->isVisible());
    }

    void printingTheFilteredListShowsItsPages_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("reportName");
        QTest::addColumn<int>("pages");
        // 13 of the 23 orders are open; the list prints ten a page.
        QTest::newRow("list of the open orders")
            << QStringLiteral("tlSeznam") << QStringLiteral("Seznam objednávek") << 2;
        QTest::newRow("copy of the current order")
            << QStringLiteral("tlKopie") << QStringLiteral("Objednávka") << 1;
    }
    void printingTheFilteredListShowsItsPages() {
        QFETCH(QString, button);
        QFETCH(QString, reportName);
        QFETCH(int, pages);
        QList<OrderRow> rows;
        for (int i = 1; i <= 23; ++i) {
            const QString number = QStringLiteral("2026/12/%1/JN").arg(i, 5, 10, QLatin1Char('0'));
            rows.append(i % 3 == 0 || i % 5 == 0 ? settledOrder(number, kNow) : openOrder(number));
        }
        addOrders(rows);
        createWindows(true);
        orders().setFilter(QStringLiteral("Vyrizena='False'"));
        orders().setFiltered(true);
        QCOMPARE(orders().recordCount(), 13);
        ui::ScriptedDialogs dialogs;
        QString shown;
        dialogs.onModal = [&](QDialog& d) {
            d.show();
            auto& preview = static_cast<print::TFormNahledTisku&>(d);
            shown = QStringLiteral("%1, %2 pages")
                        .arg(preview.NahledReportu->reportName())
                        .arg(preview.NahledReportu->pageCount());
            d.hide();
            return 0;
        };
        list_->findChild<QPushButton*>(button)->click();
        QCOMPARE(shown, QStringLiteral("%1, %2 pages").arg(reportName).arg(pages));
    }

    void theMainWindowOpensTheOpenOrdersWhateverTheFilterRemembers() {
        addOrders({openOrder(QStringLiteral("2026/12/00001/JN")),
                   settledOrder(QStringLiteral("2026/12/00002/JN"), kNow, false, QDate(2026, 12, 15)),
                   openOrder(QStringLiteral("2026/12/00003/JN"))});
        createWindows();
        app::TFormObj main(ui::appWindows());
        ui::ScriptedDialogs dialogs;
        // An earlier showing chose the completed orders.
        dialogs.onModal = [&](QDialog& d) {
            d.show();
            list_->tlFiltr->click();
            filter_->cdVyrizene->click();
            d.close();
            return 0;
        };
        main.tlVyrizene->click();
        QVERIFY(!orders().filtered());

        QStringList seen;
        dialogs.onModal = [&](QDialog& d) {
            d.show();
            seen << QStringLiteral("%1 rows: %2")
                        .arg(list_->GridUkazObj->model()->rowCount())
                        .arg(orders().filter());
            list_->tlFiltr->click();
            seen << QStringLiteral("%1 rows: %2")
                        .arg(list_->GridUkazObj->model()->rowCount())
                        .arg(orders().filter());
            d.close();
            return 0;
        };
        main.tlVyrizene->click();
        QCOMPARE(seen, (QStringList{"2 rows: Vyrizena='False'",
                                    "1 rows: (Vyrizena='True' AND Stornovana='False')"}));
        QVERIFY(!orders().filtered());
        QVERIFY(!filter_->isVisible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestOrdersList t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_orderslist.moc"
