// What a screen reader finds: the check every window test uses (which controls it counts as
// reachable and named), and the shell's own windows checked with it: the main window, the support
// notice, the splash and the set-up program's window.
#include "app/formdar.h"
#include "app/formobj.h"
#include "app/splashform.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/quietoffscreen.h"
#include "tools/initdataserverdialog.h"
#include "ui/appwindows.h"

#include "base/programfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace kv;

namespace {

// One control in a window of its own, made by `make` inside `window`.
using Maker = std::function<void(QWidget& window)>;

QLineEdit* edit(QWidget& window) {
    auto* e = new QLineEdit(&window);
    e->setObjectName(QStringLiteral("edJmeno"));
    return e;
}

QToolButton* iconButton(QWidget& window) {
    auto* b = new QToolButton(&window);
    b->setObjectName(QStringLiteral("SBTisk"));
    b->setIcon(QIcon(QPixmap(16, 16)));
    b->setToolTip(QStringLiteral("Tisk aktuálního reportu..."));
    b->setFocusPolicy(Qt::NoFocus); // a speed button takes no focus, yet it presses
    return b;
}

} // namespace

Q_DECLARE_METATYPE(Maker)

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() {
        kv::test::quietOffscreenWarnings();
        setProgramFolder(dir_.path()); // the main window reads and writes SETUP.INI
    }
    void cleanupTestCase() { setProgramFolder(QString()); }

    void controlsWithoutANameAreFound_data() {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QStringList>("unnamed");
        const QStringList none;
        const QStringList theEdit{QStringLiteral("edJmeno (QLineEdit)")};

        QTest::newRow("button: its caption")
            << Maker([](QWidget& w) { new QPushButton(QStringLiteral("&Ano"), &w); }) << none;
        QTest::newRow("edit alone: found") << Maker([](QWidget& w) { edit(w); }) << theEdit;
        QTest::newRow("edit with a label as its buddy")
            << Maker([](QWidget& w) { (new QLabel(QStringLiteral("&Jméno:"), &w))->setBuddy(edit(w)); })
            << none;
        QTest::newRow("edit in a form row")
            << Maker([](QWidget& w) { (new QFormLayout(&w))->addRow(QStringLiteral("Jméno:"), edit(w)); })
            << none;
        QTest::newRow("edit with a name of its own")
            << Maker([](QWidget& w) { edit(w)->setAccessibleName(QStringLiteral("Jméno")); }) << none;
        // A hint is read as a description, after the name: an icon-only button needs it as its name.
        QTest::newRow("icon button with a hint only: found")
            << Maker([](QWidget& w) { iconButton(w); })
            << QStringList{QStringLiteral("SBTisk (QToolButton)")};
        QTest::newRow("icon button named by its hint") << Maker([](QWidget& w) {
            QToolButton* b = iconButton(w);
            b->setAccessibleName(b->toolTip());
        }) << none;
        QTest::newRow("disabled edit: still read, found")
            << Maker([](QWidget& w) { edit(w)->setEnabled(false); }) << theEdit;
        QTest::newRow("hidden edit: out of reach") << Maker([](QWidget& w) { edit(w)->hide(); }) << none;
        QTest::newRow("label: no control")
            << Maker([](QWidget& w) { new QLabel(QStringLiteral("Text"), &w); }) << none;
        QTest::newRow("edit on a page not shown: one click away, found") << Maker([](QWidget& w) {
            auto* tabs = new QTabWidget(&w);
            tabs->addTab(new QPushButton(QStringLiteral("Uložit")), QStringLiteral("První"));
            auto* second = new QWidget;
            tabs->addTab(second, QStringLiteral("Druhá"));
            edit(*second);
        }) << theEdit;
        QTest::newRow("tab without a caption: found") << Maker([](QWidget& w) {
            auto* tabs = new QTabWidget(&w);
            tabs->tabBar()->setObjectName(QStringLiteral("tabs"));
            tabs->addTab(new QWidget, QStringLiteral("Firma"));
            tabs->addTab(new QWidget, QString());
        }) << QStringList{QStringLiteral("tabs tab 1 (QTabBar)")};
        QTest::newRow("spin box, date edit and combo box read as one control each") << Maker([](QWidget& w) {
            auto* form = new QFormLayout(&w);
            form->addRow(QStringLiteral("Počet:"), new QSpinBox(&w));
            form->addRow(QStringLiteral("Datum:"), new QDateEdit(&w));
            auto* combo = new QComboBox(&w);
            combo->setEditable(true);
            form->addRow(QStringLiteral("Obor:"), combo);
        }) << none;
        QTest::newRow("grid without a name: found") << Maker([](QWidget& w) {
            (new QTableView(&w))->setObjectName(QStringLiteral("GridDodavatele"));
        }) << QStringList{QStringLiteral("GridDodavatele (QTableView)")};
        // A screen reader goes down from the window: a scroll area leads only to its viewport and
        // scroll bars, so a control laid over it must sit in the viewport to be found.
        QTest::newRow("edit on a scroll area, not in its viewport: off the tree") << Maker([](QWidget& w) {
            auto* area = new QScrollArea(&w);
            area->setAccessibleName(QStringLiteral("Náhled"));
            edit(*area)->setAccessibleName(QStringLiteral("Jméno"));
        }) << QStringList{QStringLiteral("edJmeno (QLineEdit, off the tree)")};
        QTest::newRow("edit in a scroll area's viewport") << Maker([](QWidget& w) {
            auto* area = new QScrollArea(&w);
            area->setAccessibleName(QStringLiteral("Náhled"));
            edit(*area->viewport())->setAccessibleName(QStringLiteral("Jméno"));
        }) << none;
        QTest::newRow("a window of its own is checked on its own") << Maker([](QWidget& w) {
            auto* other = new QWidget(&w, Qt::Tool);
            edit(*other);
        }) << none;
    }
    void controlsWithoutANameAreFound() {
        QFETCH(Maker, make);
        QFETCH(QStringList, unnamed);
        QWidget window;
        make(window);
        QCOMPARE(kv::test::unnamedControls(window), unnamed);
    }

    void shellWindowsNameEveryControl() {
        ui::AppWindows windows;
        app::TFormObj main(windows);
        app::TFormDar notice(60000);
        app::TSplashForm splash(60000);
        tools::InitDataServerDialog setup(dir_.path());
        for (QWidget* w : std::initializer_list<QWidget*>{&main, &notice, &splash, &setup})
            QVERIFY2(kv::test::unnamedControls(*w).isEmpty(),
                     qPrintable(w->objectName() + QLatin1String(": ") +
                                kv::test::unnamedControls(*w).join(QLatin1String(", "))));
        // Controls that a user cannot reach (the manual menu's owner, the labels) are not counted,
        // so the check above is not empty by accident: the main window has ten named buttons.
        QCOMPARE(kv::test::accessibleName(*main.tlKonec), QStringLiteral("Ukončení programu"));
    }

    void framelessWindowsAreNamedForTheScreenReader() {
        // The notice has no title bar; a screen reader announces it by its heading.
        app::TFormDar notice(60000);
        QCOMPARE(kv::test::accessibleName(notice), QStringLiteral("PODPOŘTE AUTORA:"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
