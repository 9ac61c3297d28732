// What the desktop sees of the program's windows on a real X server (run under Xvfb): every title
// exactly the window's own, with nothing added by the toolkit; the main window a normal window that
// the task bar and window switcher list; every other window owned by it (transient for it).
// The window properties are read back with xprop, as a window manager would read them.
#include "app/formobj.h"
#include "app/kvapplication.h"
#include "app/splashform.h"
#include "app/startupsequence.h"
#include "ui/dialogs.h"
#include "ui/exceptionhook.h"
#include "ui/scripteddialogs.h"

#include "base/clock.h"
#include "base/programfolder.h"
#include "tools/initdataserver.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kv;
using namespace kv::app;
using namespace kv::ui;

namespace {

const StartupTiming kFast{0, 1, 1};

// The properties of one X window that decide how the desktop shows and lists it.
struct XWindow {
    QString title;        // _NET_WM_NAME, the title the desktop shows
    QString icccmTitle;   // WM_NAME
    WId transientFor = 0; // WM_TRANSIENT_FOR: the owning window, 0 for none
    QString type;         // _NET_WM_WINDOW_TYPE, first entry
    QString state;        // _NET_WM_STATE
};

QString unquoted(const QString& value) {
    return value.startsWith(QLatin1Char('"')) ? value.mid(1, value.size() - 2) : value;
}

XWindow readXWindow(WId id) {
    QProcess xprop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(env);
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(id),
                 QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME"),
                 QStringLiteral("WM_TRANSIENT_FOR"), QStringLiteral("_NET_WM_WINDOW_TYPE"),
                 QStringLiteral("_NET_WM_STATE")});
    if (!xprop.waitForFinished() || xprop.exitCode() != 0)
        qFatal("xprop failed: %s", xprop.readAllStandardError().constData());
    XWindow w;
    for (const QString& line : QString::fromUtf8(xprop.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1String(" = "));
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        if (line.startsWith(QLatin1String("_NET_WM_NAME = ")))
            w.title = unquoted(line.mid(eq + 3));
        else if (line.startsWith(QLatin1String("WM_NAME = ")))
            w.icccmTitle = unquoted(line.mid(eq + 3));
        else if (line.startsWith(QLatin1String("WM_TRANSIENT_FOR: window id # ")))
            w.transientFor = line.mid(colon + 13).toULongLong(nullptr, 16);
        else if (line.startsWith(QLatin1String("_NET_WM_WINDOW_TYPE = ")))
            w.type = line.mid(eq + 3).section(QLatin1Char(','), 0, 0);
        else if (line.startsWith(QLatin1String("_NET_WM_STATE = ")))
            w.state = line.mid(eq + 3);
    }
    return w;
}

XWindow shownXWindow(QWidget& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        qWarning("%s was not exposed", qPrintable(w.objectName()));
    return readXWindow(w.winId());
}

} // namespace

class TestDesktopWindows : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<StartupSequence> startup_;
    QMap<QString, XWindow> startWindows_; // the splash and the notice, seen while they were up

    QWidget& main() const { return *startup_->mainWindow(); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "run under an X server (Xvfb)");
        setProgramFolder(dir_.path());
        tools::SetupRequest r;
        r.folder = programFolder();
        QVERIFY(tools::prepareDatabase(r).ok);
        clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(8, 30)));

        ScriptedDialogs dialogs;
        dialogs.onModal = [this](QDialog& notice) {
            startWindows_[QStringLiteral("notice")] = shownXWindow(notice);
            return int(QDialog::Rejected);
        };
        startup_ = std::make_unique<StartupSequence>(kFast);
        startup_->prepareDataModule = [this](data::TDM&) {
            startWindows_[QStringLiteral("splash")] = readXWindow(startup_->splash()->winId());
        };
        QVERIFY(startup_->run());
        QCOMPARE(startWindows_.keys(), (QStringList{"notice", "splash"}));
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    void cleanupTestCase() {
        startup_.reset();
        clock::clearFixed();
        setProgramFolder(QString());
    }

    void mainWindowIsListedByTheDesktopUnderItsTitle() {
        const XWindow x = readXWindow(main().winId());
        QCOMPARE(x.title, QStringLiteral("Kalmorvaty..."));
        QCOMPARE(x.icccmTitle, QStringLiteral("Kalmorvaty..."));
        // A normal window owned by none is what task bars and window switchers list; a tool window
        // or an owned window is left out.
        QCOMPARE(x.type, QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL"));
        QCOMPARE(x.transientFor, WId(0));
        QVERIFY2(!x.state.contains(QLatin1String("SKIP_TASKBAR")), qPrintable(x.state));
    }

    void everyOtherWindowHasItsOwnTitleAndIsOwnedByTheMainWindow() {
        // Shown here without what their openers prepare (the preview has no report): what their
        // showing raises or asks is beside the point and kept quiet.
        ScriptedDialogs quiet;
        setExceptionHandler([](const std::exception_ptr&) {});
        int checked = 0;
        for (const QString& name : startup_->windows().classNames()) {
            auto* w = startup_->windows().find<QWidget>(name);
            if (!w || !w->isWindow())
                continue; // the report container is no window
            const XWindow x = shownXWindow(*w);
            w->hide();
            QCOMPARE(x.title, w->windowTitle());
            QVERIFY2(!x.title.isEmpty(), qPrintable(name));
            QCOMPARE(x.transientFor, main().winId());
            ++checked;
        }
        setExceptionHandler({});
        QVERIFY(checked > 0);
    }

    void untitledStartWindowsDoNotTakeTheMainWindowsTitle() {
        for (const QString& name : {QStringLiteral("splash"), QStringLiteral("notice")}) {
            const XWindow& x = startWindows_[name];
            // The toolkit names an untitled window after the program for the desktop's lists; it
            // is not shown, as neither window has a frame.
            QVERIFY2(x.icccmTitle.isEmpty(), qPrintable(name + QLatin1String(": ") + x.icccmTitle));
            QVERIFY2(x.title != QStringLiteral("Kalmorvaty..."), qPrintable(name));
            QCOMPARE(x.transientFor, main().winId());
        }
        QCOMPARE(startWindows_[QStringLiteral("splash")].type, QStringLiteral("_NET_WM_WINDOW_TYPE_SPLASH"));
    }

    void messageBoxesAreTitledByTheirStyleAlone_data() {
        QTest::addColumn<MsgStyle>("style");
        QTest::addColumn<QString>("title");
        QTest::newRow("error") << MsgStyle::Error << QStringLiteral("Chyba");
        QTest::newRow("warning") << MsgStyle::Warning << QStringLiteral("Upozornění");
        QTest::newRow("information") << MsgStyle::Information << QStringLiteral("Informace");
        QTest::newRow("confirmation") << MsgStyle::Confirmation << QStringLiteral("Potvrzení");
        QTest::newRow("no style: the program's title") << MsgStyle::Plain << QStringLiteral("Kalmorvaty...");
    }
    void messageBoxesAreTitledByTheirStyleAlone() {
        QFETCH(MsgStyle, style);
        QFETCH(QString, title);
        XWindow seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = shownXWindow(*box);
            box->reject();
        });
        dialogs().message(QStringLiteral("Zpráva"), style, MsgButton::Ok);
        QCOMPARE(seen.title, title);
        // Opened for no window in particular, it belongs to the main window.
        QCOMPARE(seen.transientFor, main().winId());
    }
};

int main(int argc, char** argv) {
    KvApplication app(argc, argv);
    TestDesktopWindows test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_desktopwindows.moc"
