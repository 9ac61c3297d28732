// The start-up sequence end to end with short pauses: its order around the splash and the data
// module, giving up the connection, the windows' creation order, the daily support notice, SETUP.INI
// at the first start and at the end, and the message loop ended by "Ukončení programu".
#include "app/formobj.h"
#include "app/splashform.h"
#include "app/startupsequence.h"
#include "tests/support/quietoffscreen.h"
#include "tests/support/temporaryprogramfolder.h"
#include "ui/scripteddialogs.h"

#include "base/clock.h"
#include "base/iniprofile.h"
#include "base/programfolder.h"
#include "data/datmod.h"
#include "tools/initdataserver.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <sys/stat.h>
#include <unistd.h>

using namespace kv;
using namespace kv::app;
using namespace kv::ui;

namespace {

const QString kConnectError =
    QStringLiteral("Nelze připojit datový server!!\n\n1. není spuštěn server\n"
                   "2. síťový server není dostupný\n3. není založena databáze KALMORVATY");
const QString kRetry = QStringLiteral("Server nebyl aktivní, ale již je spuštěn - pokračovat....");
const StartupTiming kFast{0, 1, 1};
const QDate kToday(2026, 12, 10);

// Records what the program showed at each message: the splash text then, if a splash was up.
struct WatchingDialogs : ScriptedDialogs {
    std::function<QString()> state;
    QStringList statesAtMessages;
    MsgButton message(const QString& text, MsgStyle style, MsgButtons buttons, QWidget* parent) override {
        statesAtMessages << (state ? state() : QString());
        return ScriptedDialogs::message(text, style, buttons, parent);
    }
};

// Notes the splash's text when the splash window goes away.
struct SplashWatcher : QObject {
    QString textAtClose;
    EdgeBox boxAtClose;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide)
            if (auto* s = qobject_cast<TSplashForm*>(o)) {
                textAtClose = s->InfoLabel->text();
                boxAtClose = s->animation().box();
            }
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<kv::test::TemporaryProgramFolder> dir_;
    QString folder_;

    IniProfile setupIni() const { return IniProfile(folder_ + QLatin1String("SETUP.INI")); }
    void prepareDatabase() {
        tools::SetupRequest r;
        r.folder = folder_;
        QVERIFY(tools::prepareDatabase(r).ok);
    }
    void writeUnreachableServerIni() {
        IniProfile ini(folder_ + QLatin1String("SERVER.INI"));
        ini.writeInteger(QStringLiteral("SERVER"), QStringLiteral("PROTOKOL"), 0);
        ini.writeString(QStringLiteral("SERVER"), QStringLiteral("DATABÁZE"), QStringLiteral("Nikde"));
    }
    // Where the tests run as root, an account outside the program's users (nobody, through setpriv)
    // tries to read SERVER.INI and the database in the folder opened to it.
    void readAsAnotherAccount() {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
            qInfo("not root or no setpriv: another account's reading is left untried");
            return;
        }
        QVERIFY(::chmod(QFile::encodeName(folder_).constData(), 0755) == 0);
        for (const char* file : {"SERVER.INI", "Kalmorvaty.sqlite"}) {
            QProcess cat;
            cat.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                  QStringLiteral("--clear-groups"), QStringLiteral("cat"),
                                                  folder_ + QLatin1String(file)});
            QVERIFY(cat.waitForFinished(10000));
            QVERIFY2(cat.exitCode() != 0, file);
        }
    }
    static void noSetupProgram(data::TDM& dm) {
        dm.runSetupProgram = [](const QString&) { return 0; };
    }

private Q_SLOTS:
    void initTestCase() { kv::test::quietOffscreenWarnings(); }
    void init() {
        dir_ = std::make_unique<kv::test::TemporaryProgramFolder>();
        folder_ = dir_->path();
        clock::setFixed(QDateTime(kToday, QTime(8, 30)));
    }
    void cleanup() {
        clock::clearFixed();
        dir_.reset();
    }

    void givingUpConnectingEndsTheProgramAfterStartUp() {
        writeUnreachableServerIni();
        WatchingDialogs dialogs;
        dialogs.messageAnswers = {MsgButton::Ok, MsgButton::No};
        SplashWatcher watcher;
        {
            StartupSequence startup(kFast);
            dialogs.state = [&startup] {
                // Main window made and hidden, splash fully open and telling what is going on.
                const TSplashForm* s = startup.splash();
                return QStringLiteral("main %1, splash %2 %3")
                    .arg(startup.mainWindow() && !startup.mainWindow()->isVisible() ? "hidden" : "?")
                    .arg(s && s->isVisible() && s->animation().box() == EdgeBox{1, 1, 151, 151} ? "open"
                                                                                                : "?")
                    .arg(s ? s->InfoLabel->text() : QString());
            };
            startup.prepareDataModule = [&](data::TDM& dm) {
                noSetupProgram(dm);
                startup.splash()->installEventFilter(&watcher);
            };

            QVERIFY(!startup.run());
            QVERIFY(startup.terminating());
            // The message, then why this attempt failed: the database file that is not there.
            QCOMPARE(dialogs.messages().size(), 2);
            QVERIFY(dialogs.messages()[0].startsWith(kConnectError + QLatin1String("\n\n")));
            QVERIFY(dialogs.messages()[0].contains(QStringLiteral("Nikde")));
            QCOMPARE(dialogs.messages()[1], kRetry);
            QCOMPARE(dialogs.calls[0].style, MsgStyle::Error);
            QCOMPARE(dialogs.calls[1].style, MsgStyle::Confirmation);
            QCOMPARE(dialogs.statesAtMessages.first(),
                     QStringLiteral("main hidden, splash open Připojení k databázi..."));
            for (data::TDM* dm = startup.dataModule(); auto* t : dm->tablesInOpenOrder())
                QVERIFY2(!t->isOpen(), qPrintable(t->objectName()));

            // The rest of the start-up still ran: the splash closed after its last text, the
            // notice date was taken, but an ending program shows no notice.
            QVERIFY(!startup.splash());
            QCOMPARE(watcher.textAtClose, QStringLiteral("Spuštění programu..."));
            QCOMPARE(watcher.boxAtClose, SplashAnimation::kStartBox);
            QCOMPARE(setupIni().readString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka")),
                     QStringLiteral("10.12.2026"));
            QCOMPARE(dialogs.calls.size(), 2);
        }
        QCOMPARE(setupIni().readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha zleva"), -1),
                 0);
        QCOMPARE(setupIni().readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha odshora"), -1),
                 0);
    }

    void aProgramFolderThatCannotBeWrittenIsReportedOnce() {
        // A folder under a file can be neither made nor written, whoever runs the test.
        QFile file(folder_ + QLatin1String("soubor"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString unwritable = folder_ + QLatin1String("soubor/Kalmorvaty/");
        setProgramFolder(unwritable);
        ScriptedDialogs dialogs;
        dialogs.messageAnswers = {MsgButton::Ok, MsgButton::Ok, MsgButton::No};
        StartupSequence startup(kFast);
        startup.prepareDataModule = noSetupProgram;
        QVERIFY(!startup.run());
        // Said first, before the main window reads its position; then the data module's own
        // messages (it finds no SERVER.INI and no database there), and nothing more about the folder.
        QCOMPARE(dialogs.calls[0].style, MsgStyle::Warning);
        QCOMPARE(dialogs.messages()[0],
                 QStringLiteral("Do složky programu nelze zapisovat:\n%1\n\nNastavení, databáze, rozložení "
                                "tabulek ani chybový protokol se do ní neuloží. Požádejte správce počítače o "
                                "právo zápisu do této složky.")
                     .arg(unwritable));
        QCOMPARE(dialogs.messages().size(), 3);
        QVERIFY(dialogs.messages()[1].startsWith(kConnectError + QLatin1String("\n\n")));
        QVERIFY(dialogs.messages()[1].contains(QStringLiteral("neexistuje")));
        QCOMPARE(dialogs.messages()[2], kRetry);
    }

    void firstStartShowsTheNoticeAndWritesBothSectionsOnExit() {
        prepareDatabase();
        QVERIFY(!setupIni().exists());
        ScriptedDialogs dialogs;
        {
            StartupSequence startup(kFast);
            QString stateAtNotice;
            dialogs.onModal = [&](QDialog& d) {
                stateAtNotice = QStringLiteral("%1 splash %2, caption %3")
                                    .arg(d.objectName(), startup.splash() ? "up" : "gone",
                                         d.findChild<QPushButton*>(QStringLiteral("tlZavri"))->text());
                return 0;
            };
            QVERIFY(startup.run());
            QCOMPARE(dialogs.messages(), QStringList());
            QCOMPARE(stateAtNotice, QStringLiteral("FormDar splash gone, caption Zavřít (30s)"));
            QVERIFY(startup.dataModule()->connected());
            QVERIFY(startup.dataModule()->tabKalmorvaty.isOpen());
            QCOMPARE(startup.mainWindow()->pos(), QPoint(0, 0));
            QVERIFY(!QApplication::windowIcon().isNull()); // every window shows the program's icon
        }
        QCOMPARE(setupIni().readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha zleva"), -1),
                 0);
        QCOMPARE(setupIni().readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha odshora"), -1),
                 0);
        QCOMPARE(setupIni().readString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka")),
                 QStringLiteral("10.12.2026"));
        QVERIFY(!data::DM); // the data module went with the program
    }

    // The set-up program, a start and an order written leave nothing that another account could read,
    // whatever the user's umask; a SERVER.INI readable by all from before is narrowed at start.
    void nothingIsLeftForOtherAccounts_data() {
        QTest::addColumn<int>("umask");
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 002") << 002;
    }
    void nothingIsLeftForOtherAccounts() {
        QFETCH(int, umask);
        const mode_t saved = ::umask(mode_t(umask));
        QVERIFY(prepareProgramFolder()); // as the set-up program begins
        prepareDatabase();
        const QByteArray serverIni = QFile::encodeName(folder_ + QLatin1String("SERVER.INI"));
        QVERIFY(::chmod(serverIni.constData(), 0644) == 0);
        ::umask(mode_t(umask));
        ScriptedDialogs dialogs;
        dialogs.onModal = [](QDialog&) { return 0; };
        {
            StartupSequence startup(kFast);
            QVERIFY(startup.run());
            store::Table& orders = startup.dataModule()->tabKalmorvaty;
            orders.append();
            orders.fieldByName(QStringLiteral("Cislo")).setAsString(QStringLiteral("2026/12/00001/JN"));
            orders.post();
        }
        ::umask(saved);
        QStringList readable;
        for (const QFileInfo& f : QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden)) {
            struct stat st;
            if (::stat(QFile::encodeName(f.absoluteFilePath()).constData(), &st) == 0 && (st.st_mode & S_IRWXO))
                readable << QStringLiteral("%1 %2").arg(f.fileName()).arg(st.st_mode & 0777, 0, 8);
        }
        QCOMPARE(readable, QStringList());
        QVERIFY(QFileInfo::exists(folder_ + QLatin1String("Kalmorvaty.sqlite")));
        QVERIFY(QFileInfo::exists(folder_ + QLatin1String("SETUP.INI")));
        readAsAnotherAccount();
    }

    void noticeAtMostOnceADay_data() {
        QTest::addColumn<int>("daysLater");
        QTest::addColumn<bool>("shownAgain");
        QTest::newRow("second start the same day") << 0 << false;
        QTest::newRow("start the next day") << 1 << true;
        QTest::newRow("clock set back a day") << -1 << false;
    }
    void noticeAtMostOnceADay() {
        QFETCH(int, daysLater);
        QFETCH(bool, shownAgain);
        prepareDatabase();
        {
            ScriptedDialogs first;
            StartupSequence startup(kFast);
            QVERIFY(startup.run());
            QCOMPARE(first.calls.size(), 1);
        }
        const QDate later = kToday.addDays(daysLater);
        clock::setFixed(QDateTime(later, QTime(7, 0)));
        ScriptedDialogs second;
        StartupSequence startup(kFast);
        QVERIFY(startup.run());
        QCOMPARE(second.calls.size(), shownAgain ? 1 : 0);
        QCOMPARE(setupIni().readString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka")),
                 QStringLiteral("%1.%2.%3").arg(later.day()).arg(later.month()).arg(later.year()));
    }

    void windowsAreCreatedInOrderAfterTheDataModule() {
        prepareDatabase();
        ScriptedDialogs dialogs;
        QStringList made;
        StartupSequence* running = nullptr;
        auto window = [&](const char* name) {
            return [&, name]() -> std::unique_ptr<QObject> {
                made << QStringLiteral("%1 (%2, %3)")
                            .arg(QLatin1String(name), running->splash()->InfoLabel->text(),
                                 running->dataModule()->connected() ? "connected" : "?");
                auto w = std::make_unique<QWidget>();
                w->setObjectName(QLatin1String(name));
                return w;
            };
        };
        StartupSequence startup(
            kFast, {{"TFormSetup", window("TFormSetup")},
                    {"TFormDoprava", {}},
                    {"TFormPlatba",
                     []() -> std::unique_ptr<QObject> { throw std::runtime_error("Okno nelze vytvořit"); }},
                    {"TFormAbout", window("TFormAbout")}});
        running = &startup;
        QVERIFY(startup.run());
        QCOMPARE(made, (QStringList{"TFormSetup (Vytvoření formulářů..., connected)",
                                    "TFormAbout (Vytvoření formulářů..., connected)"}));
        // A window that fails to be made is reported and the others are still made.
        QCOMPARE(dialogs.messages(), QStringList{"Okno nelze vytvořit"});
        QCOMPARE(startup.windows().classNames(), (QStringList{"TFormSetup", "TFormAbout"}));
        QVERIFY(startup.windows().find(QStringLiteral("TFormSetup"))->isWidgetType());
        QVERIFY(!startup.windows().find<QWidget>(QStringLiteral("TFormSetup"))->isVisible());
    }

    void everyWindowIsOwnedByTheMainWindowAndKeepsItsFrame() {
        prepareDatabase();
        struct Made {
            const char* name;
            Qt::WindowFlags frame;
            Qt::WindowStates state;
        };
        // The frames the program's windows keep: tool windows, the borderless exception window, the
        // maximised preview with its system menu and maximise button.
        const Made made[] = {
            {"TFormDoprava", Qt::Tool, {}},
            {"TFormVyjimka", Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint, {}},
            {"TFormNahledTisku",
             Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint,
             Qt::WindowMaximized},
        };
        std::vector<StartupWindow> order;
        QMap<QString, Qt::WindowFlags> frames; // as the toolkit completed them at creation
        for (const Made& m : made)
            order.push_back({m.name, [m, &frames]() -> std::unique_ptr<QObject> {
                                 auto w = std::make_unique<QDialog>(nullptr, m.frame);
                                 w->setWindowState(m.state);
                                 frames[QLatin1String(m.name)] = w->windowFlags();
                                 return w;
                             }});
        ScriptedDialogs dialogs;
        StartupSequence startup(kFast, order);
        QStringList startOwners;
        auto ownerOf = [&startup](const QWidget& w) {
            const QWindow* owner = w.windowHandle() ? w.windowHandle()->transientParent() : nullptr;
            return QLatin1String(w.parentWidget() == startup.mainWindow() &&
                                         owner == startup.mainWindow()->windowHandle()
                                     ? "main"
                                     : "?");
        };
        startup.prepareDataModule = [&](data::TDM&) { startOwners << ownerOf(*startup.splash()); };
        dialogs.onModal = [&](QDialog& notice) {
            notice.show();
            startOwners << ownerOf(notice);
            return 0;
        };
        QVERIFY(startup.run());
        QCOMPARE(startOwners, (QStringList{"main", "main"})); // the splash, the notice

        for (const Made& m : made) {
            auto* w = startup.windows().find<QWidget>(QLatin1String(m.name));
            QVERIFY(w->isHidden());
            w->show();
            QCOMPARE(ownerOf(*w), QLatin1String("main"));
            QCOMPARE(w->windowFlags(), frames[QLatin1String(m.name)]);
            QCOMPARE(w->windowState(), m.state);
            w->hide();
        }
        // The main window stays a window of its own, owned by none.
        QCOMPARE(startup.mainWindow()->parentWidget(), nullptr);
        QCOMPARE(startup.mainWindow()->windowType(), Qt::Window);
    }

    void ordersListOpensOnTheOpenOrdersAndDropsTheFilterAfter() {
        prepareDatabase();
        ScriptedDialogs dialogs;
        StartupSequence startup(kFast, {{"TFormSeznamObj", [] {
                                             auto w = std::make_unique<QDialog>();
                                             w->setObjectName(QStringLiteral("FormSeznamObj"));
                                             return std::unique_ptr<QObject>(std::move(w));
                                         }}});
        QVERIFY(startup.run());
        auto& orders = startup.dataModule()->tabKalmorvaty;
        orders.setFilter(QStringLiteral("Stornovana='True'"));
        orders.setFiltered(true);
        QString whileShown;
        dialogs.onModal = [&](QDialog& d) {
            whileShown = QStringLiteral("%1: %2 %3")
                             .arg(d.objectName(), orders.filter(), orders.filtered() ? "on" : "off");
            return 0;
        };
        startup.mainWindow()->tlVyrizene->click();
        QCOMPARE(whileShown, QStringLiteral("FormSeznamObj: Vyrizena='False' on"));
        QVERIFY(!orders.filtered());
    }

    void aBrokenPasswordIsReportedAndEndsTheProgram() {
        IniProfile(folder_ + QLatin1String("SERVER.INI"))
            .writeString(QStringLiteral("SERVER"), QStringLiteral("HESLO"), QStringLiteral("00ZZ00"));
        ScriptedDialogs dialogs;
        StartupSequence startup(kFast);
        QVERIFY(!startup.run());
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages()[0].contains(QStringLiteral("HESLO")), qPrintable(dialogs.messages()[0]));
        QCOMPARE(dialogs.calls[0].style, MsgStyle::Error);
    }

    void endingTheProgramLeavesTheMessageLoop() {
        prepareDatabase();
        ScriptedDialogs dialogs;
        StartupSequence startup(kFast);
        QVERIFY(startup.run());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = startup.mainWindow()->isVisible();
            startup.mainWindow()->tlKonec->click();
        });
        QCOMPARE(startup.exec(), 0);
        QVERIFY(shown);
        QVERIFY(!startup.mainWindow()->isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
