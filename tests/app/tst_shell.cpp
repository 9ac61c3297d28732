// The main window and the seams around it: window placement, SETUP.INI, the buttons and their
// windows, the manual menu, the support notice's countdown and the application-wide exception hook.
#include "app/formdar.h"
#include "app/formobj.h"
#include "app/kvapplication.h"
#include "app/setupini.h"
#include "tests/support/quietoffscreen.h"
#include "tests/support/temporaryprogramfolder.h"
#include "ui/appwindows.h"
#include "ui/exceptionhook.h"
#include "ui/scripteddialogs.h"
#include "ui/shellopen.h"
#include "ui/windowplacement.h"

#include "base/iniprofile.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace kv;
using namespace kv::app;
using namespace kv::ui;

namespace {

// A stand-in for a window of another part of the program.
std::unique_ptr<QObject> dialog(const QString& name, QSize size) {
    auto d = std::make_unique<QDialog>();
    d->setObjectName(name);
    d->resize(size);
    return d;
}

QSize screenSize() {
    return QGuiApplication::primaryScreen()->geometry().size();
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
    std::unique_ptr<kv::test::TemporaryProgramFolder> dir_;
    QString folder_;

    QString setupIni() const { return folder_ + QLatin1String("SETUP.INI"); }

private Q_SLOTS:
    void initTestCase() { kv::test::quietOffscreenWarnings(); }
    void init() {
        dir_ = std::make_unique<kv::test::TemporaryProgramFolder>();
        folder_ = dir_->path();
    }
    void cleanup() {
        dir_.reset();
        setShellOpener({});
        setExceptionHandler({});
    }

    void placementKeepsTheWindowOnTheScreen_data() {
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        // Screen 800 x 800 throughout.
        QTest::newRow("fits: at the opener") << QPoint(100, 50) << QSize(300, 200) << QPoint(100, 50);
        QTest::newRow("right edge exactly at the screen's: stays")
            << QPoint(500, 0) << QSize(300, 200) << QPoint(500, 0);
        QTest::newRow("past the right edge: flush right")
            << QPoint(600, 0) << QSize(300, 200) << QPoint(500, 0);
        QTest::newRow("tall window moved up to end 30 above the bottom")
            << QPoint(100, 300) << QSize(300, 600) << QPoint(100, 170);
        QTest::newRow("bottom exactly at the screen's: stays")
            << QPoint(0, 600) << QSize(100, 200) << QPoint(0, 600);
        QTest::newRow("both edges past") << QPoint(700, 700) << QSize(200, 200) << QPoint(600, 570);
        QTest::newRow("wider than the screen: negative left")
            << QPoint(0, 0) << QSize(900, 100) << QPoint(-100, 0);
        QTest::newRow("above and left of the screen: kept")
            << QPoint(-50, -40) << QSize(100, 100) << QPoint(-50, -40);
    }
    void placementKeepsTheWindowOnTheScreen() {
        QFETCH(QPoint, wanted);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(placeOnScreen(wanted, size, QSize(800, 800)), expected);
    }

    // A remembered main-window position, on two screens side by side (1280 x 1024, its bottom 40 pixels
    // a panel, then 1920 x 1080 to its right), brought back where its title bar can be reached.
    void aRememberedPositionIsBroughtOnScreen_data() {
        QTest::addColumn<QPoint>("remembered");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("on the first screen: kept") << QPoint(100, 50) << QPoint(100, 50);
        QTest::newRow("on the second screen: kept") << QPoint(1500, 300) << QPoint(1500, 300);
        QTest::newRow("far right and below") << QPoint(5000, 4000) << QPoint(3200 - 200, 1080 - 300);
        QTest::newRow("far left and above") << QPoint(-3000, -2000) << QPoint(0, 0);
        QTest::newRow("under the first screen's panel") << QPoint(100, 900) << QPoint(100, 984 - 300);
        QTest::newRow("across both screens: onto the one holding more")
            << QPoint(1200, 100) << QPoint(1280, 100);
    }
    void aRememberedPositionIsBroughtOnScreen() {
        QFETCH(QPoint, remembered);
        QFETCH(QPoint, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 984), QRect(1280, 0, 1920, 1080)};
        QCOMPARE(kv::ui::bringOnScreen(remembered, QSize(200, 300), screens), expected);
    }

    void noticeIsDueOnceADay_data() {
        QTest::addColumn<QString>("stored"); // empty: no SETUP.INI
        QTest::addColumn<bool>("due");
        QTest::newRow("first start, no file") << QString() << true;
        QTest::newRow("shown yesterday") << QStringLiteral("9.12.2026") << true;
        QTest::newRow("shown today already") << QStringLiteral("10.12.2026") << false;
        QTest::newRow("date in the future (clock set back)") << QStringLiteral("11.12.2026") << false;
        QTest::newRow("not a date counts as missing") << QStringLiteral("pondělí") << true;
    }
    void noticeIsDueOnceADay() {
        QFETCH(QString, stored);
        QFETCH(bool, due);
        if (!stored.isEmpty())
            IniProfile(setupIni())
                .writeString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka"), stored);
        const QDate today(2026, 12, 10);
        QCOMPARE(SetupIni().takeNoticeDue(today), due);
        QCOMPARE(IniProfile(setupIni()).readString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka")),
                 QStringLiteral("10.12.2026"));
        QVERIFY(!SetupIni().takeNoticeDue(today)); // the same day again
    }

    void unwritableSetupIniIsPassedOverSilently() {
        const QString path = folder_ + QLatin1String("missing-folder/SETUP.INI");
        SetupIni ini(path);
        QVERIFY(ini.takeNoticeDue(QDate(2026, 12, 10)));
        ini.writeMainWindowPosition(QPoint(5, 5));
        QCOMPARE(ini.mainWindowPosition(), QPoint(0, 0));
    }

    void mainWindowTakesItsStoredPositionAndWritesItBack() {
        IniProfile ini(setupIni());
        // Off the screen, stored by hand: brought back onto the screen, where it can be reached.
        ini.writeInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha zleva"), -3000);
        ini.writeInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha odshora"), 5000);
        ini.writeString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka"), QStringLiteral("1.1.2026"));
        AppWindows windows;
        {
            TFormObj main(windows);
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            QVERIFY2(screen.contains(QRect(main.pos(), main.frameGeometry().size())),
                     qPrintable(QStringLiteral("%1,%2").arg(main.pos().x()).arg(main.pos().y())));
            QCOMPARE(main.pos().x(), screen.left());
            main.move(120, 80);
        }
        QCOMPARE(ini.readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha zleva"), 0), 120);
        QCOMPARE(ini.readInteger(QStringLiteral("Hlavní okno"), QStringLiteral("Poloha odshora"), 0), 80);
        QCOMPARE(ini.readString(QStringLiteral("DAR"), QStringLiteral("Poslední ukázka")),
                 QStringLiteral("1.1.2026"));
    }

    void mainWindowHasTenButtonsInOrder() {
        AppWindows windows;
        TFormObj main(windows);
        QCOMPARE(main.windowTitle(), QStringLiteral("Kalmorvaty..."));
        const QList<std::pair<QPushButton*, QString>> expected{
            {main.tlNova, "Nová objednávka"},         {main.tlVyrizene, "Seznam objednávek"},
            {main.tlDodavatele, "Seznam dodavatelů"}, {main.tlUzivatele, "Seznam uživatelů"},
            {main.tlZpPlatby, "Způsoby platby"},      {main.tlTypDopravy, "Typy dopravy"},
            {main.tlNastaveni, "Nastavení systému"},  {main.tlManual, "Manuál"},
            {main.tlOprogramu, "O programu"},         {main.tlKonec, "Ukončení programu"}};
        main.show();
        int lastTop = -1;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QPushButton* b = expected[i].first;
            QCOMPARE(b->text(), expected[i].second);
            QCOMPARE(b->width(), main.tlNova->width()); // equal widths
            QVERIFY2(b->y() > lastTop, qPrintable(b->objectName()));
            lastTop = b->y();
            if (i + 1 < expected.size()) {
                // The next focusable widget in the tab chain is the next button.
                QWidget* next = b->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus))
                    next = next->nextInFocusChain();
                QCOMPARE(next, expected[i + 1].first);
            }
        }
        // Three separator lines: after "Seznam objednávek", "Typy dopravy" and "O programu".
        QVERIFY(main.tlDodavatele->y() - main.tlVyrizene->geometry().bottom() >
                main.tlUzivatele->y() - main.tlDodavatele->geometry().bottom());
        QVERIFY(main.tlNastaveni->y() - main.tlTypDopravy->geometry().bottom() >
                main.tlManual->y() - main.tlNastaveni->geometry().bottom());
        QVERIFY(main.tlKonec->y() - main.tlOprogramu->geometry().bottom() >
                main.tlManual->y() - main.tlNastaveni->geometry().bottom());
    }

    void buttonsOpenTheirWindowsModallyAtTheMainWindow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("Nová objednávka") << "tlNova"
                                         << "TFormNovaObj";
        QTest::newRow("Seznam dodavatelů") << "tlDodavatele"
                                           << "TFormDodavatele";
        QTest::newRow("Seznam uživatelů") << "tlUzivatele"
                                          << "TFormUzivatele";
        QTest::newRow("Způsoby platby") << "tlZpPlatby"
                                        << "TFormPlatba";
        QTest::newRow("Typy dopravy") << "tlTypDopravy"
                                      << "TFormDoprava";
        QTest::newRow("Nastavení systému") << "tlNastaveni"
                                           << "TFormSetup";
    }
    void buttonsOpenTheirWindowsModallyAtTheMainWindow() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        AppWindows windows;
        windows.add(window, dialog(window, QSize(300, 200)));
        TFormObj main(windows);
        ScriptedDialogs dialogs;
        QPoint shownAt;
        dialogs.onModal = [&](QDialog& d) {
            shownAt = d.pos();
            return int(QDialog::Accepted);
        };
        main.move(40, 60);
        main.findChild<QPushButton*>(button)->click();
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].text, window);
        QCOMPARE(shownAt, QPoint(40, 60));

        // From a main window near the bottom right corner the window is kept on the screen.
        main.move(screenSize().width() - 100, screenSize().height() - 50);
        main.findChild<QPushButton*>(button)->click();
        QCOMPARE(shownAt, QPoint(screenSize().width() - 300, screenSize().height() - 200 - 30));
    }

    void buttonsWithoutTheirWindowDoNothing() {
        AppWindows windows;
        TFormObj main(windows);
        ScriptedDialogs dialogs;
        for (QPushButton* b : {main.tlNova, main.tlVyrizene, main.tlDodavatele, main.tlUzivatele,
                               main.tlZpPlatby, main.tlTypDopravy, main.tlNastaveni, main.tlOprogramu})
            b->click();
        QVERIFY(dialogs.calls.isEmpty());
        QVERIFY(main.isHidden());
    }

    void settingsOpenOnTheirFirstPage() {
        AppWindows windows;
        auto settings = dialog(QStringLiteral("FormSetup"), QSize(400, 300));
        auto* pages = new QTabWidget(static_cast<QDialog*>(settings.get()));
        auto* firma = new QWidget;
        firma->setObjectName(QStringLiteral("tabFirma"));
        pages->addTab(firma, QStringLiteral("   Vaše firma....    "));
        pages->addTab(new QWidget, QStringLiteral("Dodací adresa"));
        pages->setCurrentIndex(1);
        windows.add(QStringLiteral("TFormSetup"), std::move(settings));
        TFormObj main(windows);
        ScriptedDialogs dialogs;
        QWidget* current = nullptr;
        dialogs.onModal = [&](QDialog&) {
            current = pages->currentWidget();
            return 0;
        };
        main.tlNastaveni->click();
        QCOMPARE(current, firma);
    }

    void aboutIsShownWithoutBeingModal() {
        AppWindows windows;
        windows.add(QStringLiteral("TFormAbout"), dialog(QStringLiteral("FormAbout"), QSize(200, 100)));
        TFormObj main(windows);
        ScriptedDialogs dialogs;
        main.tlOprogramu->click();
        QVERIFY(dialogs.calls.isEmpty());
        QVERIFY(windows.find<QWidget>(QStringLiteral("TFormAbout"))->isVisible());
    }

    void manualMenuOpensTheManualFiles_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file"); // empty: nothing opened
        QTest::newRow("Html") << "Html" << QStringLiteral("Návod.html");
        QTest::newRow("Pdf") << "Pdf" << QStringLiteral("Návod.pdf");
        QTest::newRow("Doc") << "Doc" << QStringLiteral("Návod.Doc");
        QTest::newRow("Nic") << "Nic" << QString();
    }
    void manualMenuOpensTheManualFiles() {
        QFETCH(QString, item);
        QFETCH(QString, file);
        QList<QUrl> opened;
        setShellOpener([&](const QUrl& url) { opened << url; });
        AppWindows windows;
        TFormObj main(windows);
        QStringList items;
        for (QAction* a : main.mnuManual->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"Html", "Pdf", "Doc", "-", "Nic"}));
        for (QAction* a : main.mnuManual->actions())
            if (a->text() == item)
                a->trigger();
        if (file.isEmpty())
            QVERIFY(opened.isEmpty());
        else
            QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(folder_ + QLatin1String("MAN/") + file)});
    }

    void anyMouseButtonOnManualPopsTheMenuUp_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void anyMouseButtonOnManualPopsTheMenuUp() {
        QFETCH(Qt::MouseButton, button);
        AppWindows windows;
        TFormObj main(windows);
        main.show();
        QTest::mousePress(main.tlManual, button, {}, QPoint(10, 5));
        QTRY_VERIFY(main.mnuManual->isVisible());
        main.mnuManual->hide();
    }

    void menuKeyOnManualPopsTheMenuUp() {
        AppWindows windows;
        TFormObj main(windows);
        main.show();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  main.tlManual->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(main.tlManual, &menuKey);
        QTRY_VERIFY(main.mnuManual->isVisible());
        main.mnuManual->hide();
    }

    void endingTheProgramClosesTheMainWindow() {
        AppWindows windows;
        TFormObj main(windows);
        main.show();
        QSignalSpy closed(&main, &TFormObj::closed);
        main.tlKonec->click();
        QCOMPARE(closed.size(), 1);
        QVERIFY(!main.isVisible());
    }

    void noticeCountsDownAndClosesItself() {
        ScriptedDialogs dialogs;
        TFormDar notice(60000);
        QCOMPARE(notice.size(), QSize(441, 310));
        notice.show();
        QCOMPARE(notice.tlZavri->text(), QStringLiteral("Zavřít (30s)"));
        QVERIFY(notice.Timer1->isActive());
        for (int left = 29; left >= 1; --left) {
            notice.Timer1Timer();
            QCOMPARE(notice.tlZavri->text(), QStringLiteral("Zavřít (%1s)").arg(left));
            QVERIFY(notice.isVisible());
        }
        notice.Timer1Timer();
        QVERIFY(!notice.isVisible());
        QVERIFY(!notice.Timer1->isActive());
        QCOMPARE(notice.tlZavri->text(), QStringLiteral("Zavřít (0s)"));
    }

    void noticeTimerClosesTheModalNotice() {
        TFormDar notice(1);
        QCOMPARE(notice.exec(), int(QDialog::Rejected));
        QCOMPARE(notice.secondsLeft(), 0);
    }

    void noticeCloseButtonClosesAtOnce() {
        TFormDar notice(60000);
        QTimer::singleShot(0, notice.tlZavri, &QPushButton::click);
        notice.exec();
        QCOMPARE(notice.secondsLeft(), 30);
        QVERIFY(!notice.Timer1->isActive());
    }

    void exceptionsInEventHandlersAreShownAndTheProgramGoesOn_data() {
        QTest::addColumn<bool>("standard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("standard exception: its text")
            << true << QStringLiteral("Dodavatel nenalezen: Žluťák");
        QTest::newRow("anything else: a general text") << false << QStringLiteral("Neznámá chyba aplikace.");
    }
    void exceptionsInEventHandlersAreShownAndTheProgramGoesOn() {
        QFETCH(bool, standard);
        QFETCH(QString, shown);
        ScriptedDialogs dialogs;
        QPushButton button;
        QObject::connect(&button, &QPushButton::clicked, [standard] {
            if (standard)
                throw std::runtime_error("Dodavatel nenalezen: Žluťák");
            throw 42;
        });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(dialogs.messages(), QStringList{shown});
        QCOMPARE(dialogs.calls[0].style, MsgStyle::Error);

        // A timer's handler goes the same way, and the loop keeps running afterwards.
        bool later = false;
        QTimer::singleShot(0, [] { throw std::logic_error("v časovači"); });
        QTimer::singleShot(5, [&later] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(dialogs.messages().last(), QStringLiteral("v časovači"));
    }

    void exceptionHandlerIsReplaceable() {
        ScriptedDialogs dialogs;
        QStringList seen;
        setExceptionHandler([&](const std::exception_ptr& e) { seen << exceptionMessage(e); });
        QTimer::singleShot(0, [] { throw std::runtime_error("první"); });
        QTRY_COMPARE(seen, QStringList{"první"});
        QVERIFY(dialogs.messages().isEmpty());

        // A handler that fails itself does not take the program down.
        setExceptionHandler([](const std::exception_ptr&) { throw std::runtime_error("handler"); });
        bool later = false;
        QTimer::singleShot(0, [] { throw std::runtime_error("druhá"); });
        QTimer::singleShot(5, [&later] { later = true; });
        QTest::ignoreMessage(QtWarningMsg, "Chyba při zpracování chyby: handler");
        QTRY_VERIFY(later);
    }
};

int main(int argc, char** argv) {
    KvApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
