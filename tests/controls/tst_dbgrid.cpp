// The data-aware grid over real tables of the embedded database: columns and titles, the selection
// and the cursor following each other, Ctrl+Del, the row style hook, paging over many rows, and
// column moves and widths handed to the column list.
#include "tests/support/testdatabase.h"

#include "controls/dbgrid.h"
#include "data/schema.h"
#include "data/store/datasource.h"
#include "data/store/table.h"
#include "ui/exceptionhook.h"
#include "ui/scripteddialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace kv;
using controls::DBGrid;
using controls::DBGridColumn;
using controls::DBGridColumns;
using store::Table;

class TestDBGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<test::EmbeddedFixture> fixture_;

    std::unique_ptr<Table> table(const QString& name) { return fixture_->openTable(name); }

    // Trade categories "Obor 00000" onwards, the cursor on the first.
    std::unique_ptr<Table> categories(int rows) {
        auto t = table(QStringLiteral("Obory"));
        for (int i = 0; i < rows; ++i)
            t->insertRecord({QStringLiteral("Obor %1").arg(i, 5, 10, QLatin1Char('0'))});
        t->first();
        return t;
    }

    // Users in index order (surname, name, title): Dvořák, Novák, Svoboda.
    std::unique_ptr<Table> users() {
        auto t = table(QStringLiteral("Uzivatele"));
        t->insertRecord({QStringLiteral("Ing."), QStringLiteral("Svoboda"), QStringLiteral("Petr"),
                         QStringLiteral("PSV")});
        t->insertRecord(
            {QString(), QStringLiteral("Dvořák"), QStringLiteral("Karel"), QStringLiteral("KDV")});
        t->insertRecord(
            {QStringLiteral("Mgr."), QStringLiteral("Novák"), QStringLiteral("Jan"), QStringLiteral("JNO")});
        t->first();
        return t;
    }

    static void show(DBGrid& grid) {
        grid.resize(700, 400);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }

    // The text of the view's record `row` in a column, as the screen shows it.
    static QString cell(DBGrid& grid, int row, int column) {
        return grid.model()->index(row - grid.gridModel()->topRow(), column).data().toString();
    }
    // The view's record the selection stands on.
    static int selectedRecord(DBGrid& grid) { return grid.recordRow(grid.currentIndex().row()); }

private Q_SLOTS:
    void init() { fixture_ = std::make_unique<test::EmbeddedFixture>(); }
    void cleanup() { fixture_.reset(); }

    void columnsAreTheVisibleFieldsTitledByLabelAndSizedByDisplayWidth() {
        auto t = table(QStringLiteral("Dodavatele"));
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        // Obor and Poznamka are hidden: twelve of the fourteen fields are columns.
        QCOMPARE(grid.model()->columnCount(), 12);
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Název firmy:"));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Zástupce firmy:"));
        QCOMPARE(grid.model()->headerData(11, Qt::Horizontal).toString(), QStringLiteral("DIČ:"));
        const int cw = QFontMetrics(grid.font()).horizontalAdvance(QLatin1Char('0'));
        QCOMPARE(grid.charWidth(), cw);
        QCOMPARE(grid.columnWidth(0), 80 * cw + 4); // Nazev holds 80 characters
        QCOMPARE(grid.columnWidth(4), 6 * cw + 4);  // PSC holds 6

        // The users table gives display widths of its own, wider than the fields.
        auto u = users();
        ds.setDataSet(u.get());
        QCOMPARE(grid.model()->columnCount(), 7);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Příjmení:"));
        QCOMPARE(grid.columnWidth(1), 43 * cw + 4);
        QCOMPARE(grid.gridModel()->viewCount(), 3);
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Dvořák"));
        QCOMPARE(cell(grid, 1, 0), QStringLiteral("Mgr."));
    }

    void selectionFollowsTheCursorAndAClickMovesIt() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        QCOMPARE(grid.currentIndex().row(), 0);

        t->last();
        QCOMPARE(grid.currentIndex().row(), 2);
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid.selectionModel()->selectedRows().at(0).row(), 2);
        // Whole rows are selected.
        QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 7);

        const QRect r = grid.visualRect(grid.model()->index(1, 2));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(t->recNo(), 1);
        QCOMPARE(t->fieldByName(QStringLiteral("Prijmeni")).asString(), QStringLiteral("Novák"));

        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(t->fieldByName(QStringLiteral("Prijmeni")).asString(), QStringLiteral("Dvořák"));
    }

    void ctrlDelDeletesAfterConfirmation_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QStringList>("surnamesAfter");
        QTest::newRow("OK deletes the current record")
            << false << int(ui::MsgButton::Ok) << true
            << QStringList{QStringLiteral("Dvořák"), QStringLiteral("Svoboda")};
        QTest::newRow("Cancel keeps it")
            << false << int(ui::MsgButton::Cancel) << true
            << QStringList{QStringLiteral("Dvořák"), QStringLiteral("Novák"), QStringLiteral("Svoboda")};
        QTest::newRow("a read-only grid does not ask")
            << true << int(ui::MsgButton::Ok) << false
            << QStringList{QStringLiteral("Dvořák"), QStringLiteral("Novák"), QStringLiteral("Svoboda")};
    }
    void ctrlDelDeletesAfterConfirmation() {
        QFETCH(bool, readOnly);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QStringList, surnamesAfter);
        ui::ScriptedDialogs dialogs;
        dialogs.messageAnswers.push_back(ui::MsgButton(answer));
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setReadOnly(readOnly);
        show(grid);
        t->next(); // Novák
        QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
        if (asked) {
            QCOMPARE(dialogs.calls.size(), 1);
            QCOMPARE(dialogs.calls[0].text, QStringLiteral("Vymazat záznam?"));
            QCOMPARE(dialogs.calls[0].style, ui::MsgStyle::Confirmation);
            QCOMPARE(dialogs.calls[0].buttons, ui::MsgButton::Ok | ui::MsgButton::Cancel);
        } else {
            QVERIFY(dialogs.calls.isEmpty());
        }
        QStringList surnames;
        for (int row = 0; row < grid.gridModel()->viewCount(); ++row)
            surnames << cell(grid, row, 1);
        QCOMPARE(surnames, surnamesAfter);
        QCOMPARE(grid.currentIndex().row(), t->recNo());
    }

    void theRowStyleHookSeesTheRowsRecord() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        QFont bold = grid.font();
        bold.setBold(true);
        const int surname = t->definition().fieldIndex(QStringLiteral("Prijmeni"));
        grid.setRowStyleHook([&](const store::Record& r) {
            controls::DBGridRowStyle s;
            if (r.values[surname].toString() == QStringLiteral("Novák")) {
                s.font = bold;
                s.color = Qt::red;
            }
            return s;
        });
        const QModelIndex novak = grid.model()->index(1, 3);
        QCOMPARE(novak.data(Qt::FontRole).value<QFont>().bold(), true);
        QCOMPARE(novak.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        QVERIFY(!grid.model()->index(0, 3).data(Qt::FontRole).isValid());
    }

    void changesThroughTheTableShowAtOnce() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        QCOMPARE(cell(grid, 1, 2), QStringLiteral("Jan"));
        t->next();
        t->edit();
        t->fieldByName(QStringLiteral("Jmeno")).setAsString(QStringLiteral("Jakub"));
        QCOMPARE(cell(grid, 1, 2), QStringLiteral("Jakub")); // typed, not yet posted
        t->post();
        QCOMPARE(cell(grid, 1, 2), QStringLiteral("Jakub"));

        // A posted surname moves the record in the index order; the selection goes with it.
        t->edit();
        t->fieldByName(QStringLiteral("Prijmeni")).setAsString(QStringLiteral("Zeman"));
        t->post();
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Svoboda"));
        QCOMPARE(cell(grid, 2, 1), QStringLiteral("Zeman"));
        QCOMPARE(grid.currentIndex().row(), 2);

        t->insertRecord({QString(), QStringLiteral("Adámek"), QStringLiteral("Aleš"), QStringLiteral("AAD")});
        QCOMPARE(grid.gridModel()->viewCount(), 4);
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Adámek"));

        // A new record begun and dropped leaves the rows and the selection where they were.
        t->last();
        t->append();
        t->cancel();
        QCOMPARE(grid.gridModel()->viewCount(), 4);
        QCOMPARE(grid.currentIndex().row(), 3);
        QCOMPARE(cell(grid, 3, 1), QStringLiteral("Zeman"));

        t->setFilter(QStringLiteral("Inicialy = 'PSV'"));
        t->setFiltered(true);
        QCOMPARE(grid.gridModel()->viewCount(), 1);
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Svoboda"));
    }

    void aFailedReadShowsEmptyCellsAndIsReportedOnce() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        QStringList reported;
        ui::setExceptionHandler([&](const std::exception_ptr& e) { reported << ui::exceptionMessage(e); });
        fixture_->db.admin().execute(QStringLiteral("DROP TABLE \"Uzivatele\""));
        QCOMPARE(cell(grid, 0, 1), QString());
        QCOMPARE(cell(grid, 2, 1), QString());
        QVERIFY(reported.isEmpty()); // not while the view may be painting
        QTRY_COMPARE(reported.size(), 1);
        ui::setExceptionHandler({});
    }

    void editingACellPostsIt() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        QVERIFY(
            grid.model()->setData(grid.model()->index(2, 4), QStringLiteral("psv@firma.cz"), Qt::EditRole));
        QCOMPARE(t->state(), Table::State::Browse);
        QCOMPARE(t->recNo(), 2);
        QCOMPARE(t->fieldByName(QStringLiteral("Email")).asString(), QStringLiteral("psv@firma.cz"));
        grid.setReadOnly(true);
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!grid.model()->setData(grid.model()->index(0, 4), QStringLiteral("x"), Qt::EditRole));
    }

    void loadedColumnsKeepMovesWidthsAndFieldsTheTableLacks() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        DBGridColumns layout;
        layout.setLoaded({DBGridColumn{QStringLiteral("Jmeno"), false, 120, true},
                          DBGridColumn{QStringLiteral("Zruseno"), false, -1, true},
                          DBGridColumn{QStringLiteral("Prijmeni"), false, -1, true},
                          DBGridColumn{QStringLiteral("Email"), false, -1, false}});
        grid.setColumns(layout);
        QCOMPARE(grid.model()->columnCount(), 4);
        QVERIFY(grid.isColumnHidden(3)); // a column the file says is not visible
        QCOMPARE(grid.columnWidth(0), 120);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Zruseno"));
        QCOMPARE(cell(grid, 0, 1), QString());
        QCOMPARE(cell(grid, 0, 2), QStringLiteral("Dvořák"));

        grid.horizontalHeader()->resizeSection(2, 150);
        QCOMPARE(grid.columns().at(2).width, 150);
        grid.horizontalHeader()->moveSection(2, 0);
        QTRY_COMPARE(grid.columns().at(0).fieldName, QStringLiteral("Prijmeni"));
        QCOMPARE(grid.columns().at(1).fieldName, QStringLiteral("Jmeno"));
        QCOMPARE(grid.horizontalHeader()->logicalIndex(0), 0);
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("Dvořák"));
        QCOMPARE(grid.columnWidth(0), 150);
        QCOMPARE(grid.columnWidth(1), 120);
    }

    void defaultColumnsMoveButKeepNoWidths() {
        auto t = users();
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        grid.horizontalHeader()->resizeSection(0, 333);
        grid.horizontalHeader()->moveSection(0, 1);
        QTRY_COMPARE(grid.columns().at(1).fieldName, QStringLiteral("Titul"));
        QCOMPARE(grid.columns().state(), DBGridColumns::State::Default);
        QCOMPARE(grid.columns().at(1).width, -1);
        QCOMPARE(grid.columnWidth(1), 333); // for this run only
    }

    void aFilterLettingManyRowsInKeepsWidthsAndFollowsTheCursor() {
        const int rows = 3 * controls::DBGridModel::kPageRows;
        auto t = categories(rows);
        t->setFilter(QStringLiteral("Obor = 'Obor 00007'"));
        t->setFiltered(true);
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        grid.horizontalHeader()->resizeSection(0, 123);
        QCOMPARE(grid.gridModel()->viewCount(), 1);

        t->setFiltered(false);
        t->locate(QStringLiteral("Obor"), QStringLiteral("Obor 00150"));
        QCOMPARE(grid.gridModel()->viewCount(), rows);
        QCOMPARE(grid.horizontalHeader()->sectionSize(0), 123);
        QCOMPARE(selectedRecord(grid), 150);
        QCOMPARE(cell(grid, 150, 0), QStringLiteral("Obor 00150"));
    }

    void aLargeTableIsReadOnlyWhereShown() {
        const int rows = 5000;
        auto t = categories(rows);
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        QCOMPARE(grid.gridModel()->viewCount(), rows);
        // A 400-pixel window shows some twenty rows: one page of rows is read, not five thousand.
        const qint64 firstScreen = grid.gridModel()->rowsRequested();
        QVERIFY2(firstScreen > 0 && firstScreen <= 2 * controls::DBGridModel::kPageRows,
                 qPrintable(QString::number(firstScreen)));

        t->last();
        QCOMPARE(selectedRecord(grid), rows - 1);
        grid.repaint();
        QCOMPARE(cell(grid, rows - 1, 0), QStringLiteral("Obor 04999"));
        const qint64 afterJump = grid.gridModel()->rowsRequested();
        QVERIFY2(afterJump - firstScreen <= 2 * controls::DBGridModel::kPageRows,
                 qPrintable(QString::number(afterJump)));

        // Rows already read are not read again while the data stays the same.
        t->prior();
        grid.repaint();
        QCOMPARE(grid.gridModel()->rowsRequested(), afterJump);

        // Scrolling up one row reads the screen above it, backwards, so the rest of that screen
        // scrolls in without another read.
        const int page = grid.gridModel()->screenRows();
        QScrollBar* bar = grid.verticalScrollBar();
        bar->setValue(bar->value() - 1);
        grid.repaint();
        QCOMPARE(grid.gridModel()->rowsRequested() - afterJump, qint64(page));
        bar->setValue(bar->value() - (page - 1));
        grid.repaint();
        QCOMPARE(grid.gridModel()->rowsRequested() - afterJump, qint64(page));
        for (int row = bar->value(); row < bar->value() + grid.model()->rowCount(); ++row)
            QCOMPARE(cell(grid, row, 0), QStringLiteral("Obor %1").arg(row, 5, 10, QLatin1Char('0')));
    }

    // The model holds the screen's rows; the keys move the cursor over the whole view and the
    // screen follows it, the scroll bar and the wheel move the screen and leave the cursor.
    void keysAndTheScrollBarMoveAScreenOverTheWholeView() {
        const int rows = 300;
        auto t = categories(rows);
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        grid.setReadOnly(true);
        show(grid);
        QScrollBar* bar = grid.verticalScrollBar();
        const int screen = bar->pageStep(); // rows wholly on the screen
        QVERIFY(screen > 5 && grid.model()->rowCount() <= screen + 1);
        QCOMPARE(bar->maximum(), rows - screen);
        auto at = [&](int record, int top) {
            return t->recNo() == record && selectedRecord(grid) == record && bar->value() == top &&
                   cell(grid, record, 0) == QStringLiteral("Obor %1").arg(record, 5, 10, QLatin1Char('0'));
        };

        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(at(rows - 1, rows - screen));
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QVERIFY(at(0, 0));
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QVERIFY(at(screen, 1));
        QTest::keyClick(&grid, Qt::Key_Up);
        QVERIFY(at(screen - 1, 1));
        QTest::keyClick(&grid, Qt::Key_PageUp);
        QVERIFY(at(0, 0));

        // Scrolled away from the cursor: nothing selected, and a key brings the cursor back.
        bar->setValue(100);
        QCOMPARE(t->recNo(), 0);
        QVERIFY(grid.selectionModel()->selectedRows().isEmpty());
        QCOMPARE(cell(grid, 100, 0), QStringLiteral("Obor 00100"));
        QTest::keyClick(&grid, Qt::Key_Down);
        QVERIFY(at(1, 0));

        QWheelEvent wheel(QPointF(10, 10), grid.viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &wheel);
        QCOMPARE(bar->value(), QApplication::wheelScrollLines());
        QCOMPARE(t->recNo(), 1);

        // A moved cursor brings its row onto the screen; a view grown short pulls the screen back.
        t->moveTo(200);
        QVERIFY(at(200, 200 - screen + 1));
        t->setFilter(QStringLiteral("Obor = 'Obor 00007'"));
        t->setFiltered(true);
        QCOMPARE(grid.gridModel()->viewCount(), 1);
        QCOMPARE(grid.model()->rowCount(), 1);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(selectedRecord(grid), 0);
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("Obor 00007"));
    }

    void aCellBeingEditedIsStoredInItsOwnRecordWhenTheScreenMoves() {
        auto t = categories(100);
        store::DataSource ds(t.get());
        DBGrid grid;
        grid.setDataSource(&ds);
        show(grid);
        t->moveTo(2);
        grid.edit(grid.currentIndex());
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Obor přepsaný"));
        grid.verticalScrollBar()->setValue(50);
        QCOMPARE(t->recordCount(), 100);
        QVERIFY(t->locate(QStringLiteral("Obor"), QStringLiteral("Obor přepsaný")));
        QVERIFY(!t->locate(QStringLiteral("Obor"), QStringLiteral("Obor 00002")));
        QVERIFY(t->locate(QStringLiteral("Obor"), QStringLiteral("Obor 00052")));
    }
};

QTEST_MAIN(TestDBGrid)
#include "tst_dbgrid.moc"
