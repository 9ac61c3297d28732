// The keyboard ways through windows: the focus in the first box of a window and of each page turned
// to (by Ctrl+Tab, Ctrl+Shift+Tab or a click on its tab), a box the window chose kept, Enter pressing
// a focused push or tool button and only that, Tab leaving a memo.
#include "ui/keyboardroads.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A window of two pages: "Základní" with a check box before its two edits and a button, "Text" with
// a memo; a third page that is disabled.
struct PagedWindow : QDialog {
    PagedWindow() {
        auto* layout = new QVBoxLayout(this);
        pages = new QTabWidget(this);
        layout->addWidget(pages);
        auto* first = new QWidget;
        auto* column = new QVBoxLayout(first);
        column->addWidget(new QLabel(QStringLiteral("Údaje:")));
        check = new QCheckBox(QStringLiteral("Vyřízena"));
        column->addWidget(check);
        payment = new QLineEdit;
        column->addWidget(payment);
        transport = new QLineEdit;
        column->addWidget(transport);
        done = new QPushButton(QStringLiteral("Hotovo"));
        done->setAutoDefault(false);
        column->addWidget(done);
        pages->addTab(first, QStringLiteral("Základní"));
        memo = new QPlainTextEdit;
        pages->addTab(memo, QStringLiteral("Text"));
        pages->addTab(new QLineEdit, QStringLiteral("Zakázaná"));
        pages->setTabEnabled(2, false);
        tool = new QToolButton(this);
        layout->addWidget(tool);
        pages->tabBar()->setFocus();
    }
    QTabWidget* pages;
    QCheckBox* check;
    QLineEdit* payment;
    QLineEdit* transport;
    QPushButton* done;
    QPlainTextEdit* memo;
    QToolButton* tool;
};

} // namespace

class TestKeyboardRoads : public QObject {
    Q_OBJECT
    kv::ui::KeyboardRoads roads_;

    static void showActive(QWidget& w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() { qApp->installEventFilter(&roads_); }
    void cleanupTestCase() { qApp->removeEventFilter(&roads_); }

    void windowOpensInItsFirstBox() {
        PagedWindow w;
        showActive(w);
        // The check box comes first in tab order, but the first box that takes typing wins.
        QTRY_COMPARE(QApplication::focusWidget(), w.payment);
    }

    void aBoxTheWindowChoseIsKept() {
        PagedWindow w;
        w.transport->setFocus();
        showActive(w);
        QCOMPARE(QApplication::focusWidget(), w.transport);
    }

    void ctrlTabTurnsPagesIntoTheirFirstBox() {
        PagedWindow w;
        showActive(w);
        QTRY_COMPARE(QApplication::focusWidget(), w.payment);
        QTest::keyClick(w.payment, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.pages->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), w.memo);
        // The disabled page is passed over, back to the first.
        QTest::keyClick(w.memo, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.pages->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), w.payment);
        QTest::keyClick(w.payment, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.pages->currentIndex(), 1);
        // A click on a tab: that page's first box too.
        QTest::mouseClick(w.pages->tabBar(), Qt::LeftButton, {}, w.pages->tabBar()->tabRect(0).center());
        QCOMPARE(w.pages->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), w.payment);
    }

    void enterPressesTheFocusedButtonOnly() {
        PagedWindow w;
        showActive(w);
        QSignalSpy done(w.done, &QPushButton::clicked);
        QSignalSpy tool(w.tool, &QToolButton::clicked);
        QTest::keyClick(w.payment, Qt::Key_Return);
        QCOMPARE(done.count(), 0);
        w.done->setFocus();
        QTest::keyClick(w.done, Qt::Key_Return);
        QTRY_COMPARE(done.count(), 1);
        QTest::keyClick(w.done, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(done.count(), 2);
        QTest::keyClick(w.done, Qt::Key_Space);
        QTRY_COMPARE(done.count(), 3);
        w.tool->setFocusPolicy(Qt::StrongFocus);
        w.tool->setFocus();
        QTest::keyClick(w.tool, Qt::Key_Return);
        QTRY_COMPARE(tool.count(), 1);
        // Enter in a memo is a new line.
        w.pages->setCurrentIndex(1);
        w.memo->setFocus();
        QTest::keyClick(w.memo, Qt::Key_A);
        QTest::keyClick(w.memo, Qt::Key_Return);
        QCOMPARE(w.memo->toPlainText(), QStringLiteral("a\n"));
        QCOMPARE(done.count(), 3);
        // Tab leaves the memo, as it leaves a box, and types nothing into it.
        QTest::keyClick(w.memo, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != w.memo);
        QCOMPARE(w.memo->toPlainText(), QStringLiteral("a\n"));
    }
};

QTEST_MAIN(TestKeyboardRoads)
#include "tst_keyboardroads.moc"
