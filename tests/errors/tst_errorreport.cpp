// The error report: the map tables and their lookups, the throw site of our own and of library
// exceptions found in this program's own map, the error log byte for byte, the exception window's
// queue and buttons, errors without the window, and the crash entry of a child that segfaults.
#include "errors/errorreport.h"
#include "errors/errorreporting.h"
#include "errors/formvyjimka.h"
#include "errors/mapfile.h"
#include "errors/throwsite.h"

#include "tests/support/accessiblenames.h"

#include "base/clock.h"
#include "base/codec1250.h"
#include "base/programfolder.h"
#include "ui/exceptionhook.h"
#include "ui/scripteddialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <stdexcept>
#include <vector>

using namespace kv::errors;

// Functions at known lines of this file, found again through the program's map.
namespace probes {
int throwLine = 0, atLine = 0;

[[gnu::noinline]] void throwOurs() {
    throwLine = __LINE__ + 1;
    throw std::runtime_error("ours");
}

[[gnu::noinline]] int readPastTheEnd(const std::vector<int>& v, size_t i) {
    atLine = __LINE__ + 1;
    return v.at(i) + 1;
}

// The sanitizer build would stop at the null store before it faults: this fault is the point.
[[gnu::noinline]] __attribute__((no_sanitize("undefined"))) void crashHere() {
    *static_cast<volatile int*>(nullptr) = 1;
}
} // namespace probes

namespace {

const char kMap[] = " Start         Length     Name                   Class\r\n"
                    " 0001:00000000 00001000H .text                   CODE\r\n"
                    " 0002:00000000 00000100H .data                   DATA\r\n"
                    "\r\n"
                    "Detailed map of segments\r\n"
                    "\r\n"
                    " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=UnitA    ACBP=A9\r\n"
                    " 0001:00000100 00000100 C=CODE     S=.text    G=(none)   M=UnitB    ACBP=A9\r\n"
                    " 0002:00000000 00000010 C=DATA     S=.data    G=DGROUP   M=UnitA    ACBP=A9\r\n"
                    " 0001:0000XYZ0 00000010 C=CODE     S=.text    G=(none)   M=Broken   ACBP=A9\r\n"
                    "\r\n"
                    "  Address         Publics by Name\r\n"
                    "\r\n"
                    " 0001:00000010       ByNameIsNotRead\r\n"
                    "\r\n"
                    "  Address         Publics by Value\r\n"
                    "\r\n"
                    " 0001:00000010       UnitA.First\r\n"
                    " 0001:00000080       UnitA.Second\r\n"
                    " 0001:00000100       UnitB.Third\r\n"
                    " 0002:00000000       DataSymbol\r\n"
                    "\r\n"
                    "Line numbers for UnitA(UnitA.pas) segment .text\r\n"
                    "\r\n"
                    "    10 0001:00000010    11 0001:00000020   012 0001:00000030    14 0001:00000050\r\n"
                    "    99 0001:00000040    98 0001:0000004\r\n"
                    "\r\n"
                    "   Line numbers for UnitB(UnitB.pas) segment .text\r\n"
                    "\r\n"
                    "     5 0001:00000110     6 0001:00000120\r\n"
                    "\r\n"
                    "Bound resource files\r\n";

// Machine facts fixed by the test, the memory read from a fake /proc.
class FixedFacts : public MachineFacts {
public:
    explicit FixedFacts(const QString& proc)
        : proc_(proc) {}
    QString cpuText() override { return QStringLiteral("Intel, Pentium III, 800 MHz MMX"); }
    QString osText(const OsFacts&) override {
        return QStringLiteral("Debian GNU/Linux , Verze: 6.1, překlad: 0, \"12 (bookworm)\"");
    }
    QString displayText() override { return QStringLiteral("1024x768 bodů, 32 bpp"); }
    bool processes(QStringList& names) override {
        if (!processesOk)
            return false;
        names << QStringLiteral("/usr/lib/kalmorvaty/Kalmorvaty") << QStringLiteral("/usr/bin/Xvfb");
        return true;
    }
    SystemRoots roots() override { return {proc_, proc_}; }
    bool processesOk = true;

private:
    QString proc_;
};

std::exception_ptr errorOf(const char* message) {
    try {
        throw std::runtime_error(message);
    } catch (...) {
        return std::current_exception();
    }
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder, a fake /proc with 24 GB of memory, fixed facts, a fixed clock, no map.
struct ReportFixture {
    QTemporaryDir dir;
    FixedFacts facts{dir.filePath(QStringLiteral("proc"))};
    kv::ui::ScriptedDialogs dialogs;
    const QDateTime start{QDate(2026, 3, 9), QTime(8, 0, 0)};

    ReportFixture() {
        QDir().mkpath(dir.filePath(QStringLiteral("proc")));
        QFile m(dir.filePath(QStringLiteral("proc/meminfo")));
        if (m.open(QIODevice::WriteOnly))
            m.write("MemTotal: 25165824 kB\nMemAvailable: 22020096 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
        QFile s(dir.filePath(QStringLiteral("proc/stat")));
        if (s.open(QIODevice::WriteOnly))
            s.write("cpu0 1 1 1 1 0 0 0 0\n");
        kv::setProgramFolder(dir.path());
        errorReporter().setMachineFacts(&facts);
        errorReporter().start(nullptr, false, start,
                              {QStringLiteral("Kalmorvaty"), QStringLiteral("Copyright © Quelmarix"),
                               QStringLiteral("1.0.0"), QStringLiteral("1.0")});
    }
    ~ReportFixture() {
        errorReporter().setMachineFacts(nullptr);
        errorReporter().start(nullptr, false, {}, {});
        kv::setProgramFolder({});
    }
    QString log() const { return errorLogPath(); }
};

} // namespace

class TestErrorReport : public QObject {
    Q_OBJECT
private slots:
    void mapTablesAnswerLookups_data();
    void mapTablesAnswerLookups();
    void mapWithoutLinesCountsAsMissing();
    void theProgramsOwnMapResolvesItsFunctions();
    void throwSitesAreFoundInOurCode_data();
    void throwSitesAreFoundInOurCode();
    void exceptionClassChainRunsFromTheRoot();
    void runTimeKeepsWholeHoursAndMemoryIs64Bit();
    void firstErrorCreatesTheLogLaterOnesAppend();
    void processListFailureIsWrittenAsSuch();
    void queueShowsErrorsInOrder();
    void emptyingTheQueueKeepsTheErrorOnDisplay();
    void suppressedErrorsOnlyLengthenTheLog();
    void errorWindowAnswersInsideAModalWindow_data();
    void errorWindowAnswersInsideAModalWindow();
    void focusedControlGivesItsChains();
    void longMessageIsCutInTheLabelButWholeInTheLog();
    void reportCopiesTheLogOnlyWhenThereIsOne();
    void errorsWithoutTheWindowAreLoggedAndShownInAMessageBox();
    void theWindowHasItsNamedControls();
    void crashLeavesAnEntryInTheLog();
};

void TestErrorReport::mapTablesAnswerLookups_data() {
    QTest::addColumn<uint>("offset");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("line");
    QTest::newRow("below every public and line") << 0x00u << "UnitA"
                                                 << ""
                                                 << "";
    QTest::newRow("at a line record: the line before it (none)") << 0x10u << "UnitA"
                                                                 << "UnitA.First"
                                                                 << "";
    QTest::newRow("above a record: its line") << 0x15u << "UnitA"
                                              << "UnitA.First"
                                              << "10";
    QTest::newRow("at the next record: still the line before") << 0x20u << "UnitA"
                                                               << "UnitA.First"
                                                               << "10";
    QTest::newRow("line text as written, leading zero kept") << 0x35u << "UnitA"
                                                             << "UnitA.First"
                                                             << "012";
    QTest::newRow("after the last record of the unit: empty") << 0x90u << "UnitA"
                                                              << "UnitA.Second"
                                                              << "";
    QTest::newRow("a unit's end is inside it, but the next unit starts there") << 0x100u << "UnitB"
                                                                               << "UnitB.Third"
                                                                               << "";
    QTest::newRow("second unit, indented heading") << 0x115u << "UnitB"
                                                   << "UnitB.Third"
                                                   << "5";
    QTest::newRow("last unit's end is inclusive") << 0x200u << "UnitB"
                                                  << "UnitB.Third"
                                                  << "";
    QTest::newRow("outside every unit: only the procedure") << 0x300u << ""
                                                            << "UnitB.Third"
                                                            << "";
}

void TestErrorReport::mapTablesAnswerLookups() {
    QFETCH(uint, offset);
    QFETCH(QString, unit);
    QFETCH(QString, procedure);
    QFETCH(QString, line);
    MapTables map;
    QVERIFY(map.loadText(QByteArray(kMap)));
    // Segment 2 and the broken segment line are not kept; the line with a broken pair is skipped whole.
    QCOMPARE(map.units().size(), size_t(2));
    QCOMPARE(map.procedures().size(), size_t(3));
    QCOMPARE(map.lines().size(), size_t(6));
    QCOMPARE(map.lookupUnit(offset), unit);
    QCOMPARE(map.lookupProcedure(offset), procedure);
    QCOMPARE(map.lookupLine(offset), line);
}

void TestErrorReport::mapWithoutLinesCountsAsMissing() {
    MapTables map;
    QByteArray noLines(kMap);
    noLines.truncate(noLines.indexOf("Line numbers for UnitA"));
    QVERIFY(!map.loadText(noLines));
    QVERIFY(!map.load(QStringLiteral("/nonexistent/Kalmorvaty.map")));
    QVERIFY(!map.loadText(QByteArray("\x01\x02garbage\n:::\n \n M")));
}

void TestErrorReport::theProgramsOwnMapResolvesItsFunctions() {
    // This test program's map, written by the build as for Kalmorvaty.
    MapTables map;
    QVERIFY(map.load(programMapPath()));
    const auto offset = codeOffset(reinterpret_cast<uintptr_t>(&probes::crashHere));
    QVERIFY(offset);
    QCOMPARE(map.lookupProcedure(*offset), QStringLiteral("probes::crashHere()"));
    QCOMPARE(map.lookupUnit(*offset), QStringLiteral("tests/errors/tst_errorreport.cpp"));
    // An address of a shared library is never an offset.
    QVERIFY(!codeOffset(reinterpret_cast<uintptr_t>(&qVersion)));

    MapTables program;
    QVERIFY(program.load(QStringLiteral(KV_PROGRAM_MAP)));
    const auto main =
        std::find_if(program.procedures().begin(), program.procedures().end(), [&](const auto& p) {
            return program.lookupProcedure(p.offset) == QLatin1String("main");
        });
    QVERIFY(main != program.procedures().end());
    QCOMPARE(program.lookupUnit(main->offset), QStringLiteral("app/main.cpp"));
    QVERIFY(!program.lookupLine(main->offset + 8).isEmpty());
}

void TestErrorReport::throwSitesAreFoundInOurCode_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("procedure");
    QTest::newRow("our own throw") << 0 << "probes::throwOurs()";
    QTest::newRow("std::vector::at inside the C++ library")
        << 1 << "probes::readPastTheEnd(std::vector<int, std::allocator<int> > const&, unsigned long)";
}

void TestErrorReport::throwSitesAreFoundInOurCode() {
    QFETCH(int, which);
    QFETCH(QString, procedure);
    MapTables map;
    QVERIFY(map.load(programMapPath()));
    std::exception_ptr error;
    try {
        if (which == 0)
            probes::throwOurs();
        else
            probes::readPastTheEnd(std::vector<int>(3), 7);
    } catch (...) {
        error = std::current_exception();
    }
    // Later throws elsewhere do not lose this one's record.
    for (int i = 0; i < 3; ++i)
        try {
            throw std::logic_error("other");
        } catch (...) {
        }
    const auto offset = raiseOffset(throwStack(error), map);
    QVERIFY(offset);
    QCOMPARE(map.lookupUnit(*offset), QStringLiteral("tests/errors/tst_errorreport.cpp"));
    QCOMPARE(map.lookupProcedure(*offset), procedure);
    const int line = map.lookupLine(*offset).toInt();
    const int expected = which == 0 ? probes::throwLine : probes::atLine;
    QVERIFY2(std::abs(line - expected) <= 3,
             qPrintable(QStringLiteral("line %1, call at %2").arg(line).arg(expected)));
}

void TestErrorReport::exceptionClassChainRunsFromTheRoot() {
    QCOMPARE(exceptionClassChain(errorOf("x")), QStringLiteral("std::exception > std::runtime_error"));
    std::exception_ptr outOfRange;
    try {
        probes::readPastTheEnd(std::vector<int>(1), 2);
    } catch (...) {
        outOfRange = std::current_exception();
    }
    QCOMPARE(exceptionClassChain(outOfRange),
             QStringLiteral("std::exception > std::logic_error > std::out_of_range"));
    QCOMPARE(exceptionClassChain(std::make_exception_ptr(42)), QStringLiteral("int"));
}

void TestErrorReport::runTimeKeepsWholeHoursAndMemoryIs64Bit() {
    const QDateTime start(QDate(2026, 1, 1), QTime(10, 0, 0));
    QCOMPARE(runTimeText(start, start.addSecs(25 * 3600)), QStringLiteral("25:00:00"));
    QCOMPARE(runTimeText(start, start.addSecs(3725)), QStringLiteral("1:02:05"));
    QCOMPARE(megabytes(qint64(24) << 30, qint64(21) << 30), QStringLiteral("24576MB / 21504MB"));
}

void TestErrorReport::firstErrorCreatesTheLogLaterOnesAppend() {
    ReportFixture fx;
    {
        kv::clock::FixedClock clock(QDateTime(QDate(2026, 3, 10), QTime(9, 5, 7)));
        errorReporter().handle(errorOf("Chyba při čtení"));
    }
    const QByteArray header = kv::toCp1250(
        QStringLiteral("***********************************************************************\r\n"
                       "Název produktu:  Kalmorvaty\r\n"
                       "Copyright     :  Copyright © Quelmarix\r\n"
                       "***********************************************************************\r\n"
                       "\r\n"));
    const QByteArray entry = kv::toCp1250(
        QStringLiteral("=======================================================================\r\n"
                       "Verze souboru  :  1.0.0\r\n"
                       "Verze produktu :  1.0\r\n"
                       "Datum kompilace:  12.08.2004 12:15:20\r\n"
                       "-----------------------------------------------------------------------\r\n"
                       "Start programu : 9.3.2026 8:00:00\r\n"
                       "Datum a cas    : 10.3.2026 9:05:07\r\n"
                       "Doba behu prog.: 25:05:07\r\n"
                       "Popis          : Chyba při čtení\r\n"
                       "Jednotka       : Chybí soubor s popisem aplikace!\r\n"
                       "Procedura      : Chybí soubor s popisem aplikace!\r\n"
                       "Radek          : Chybí soubor s popisem aplikace!\r\n"
                       "Trida chyby    : std::exception > std::runtime_error\r\n"
                       "Tridy komponent: \r\n"
                       "Nazvy komponent: \r\n"
                       "-----------------------------------------------------------------------\r\n"
                       "System         : Debian GNU/Linux , Verze: 6.1, překlad: 0, \"12 (bookworm)\"\r\n"
                       "Procesor       : Intel, Pentium III, 800 MHz MMX\r\n"
                       "Monitor        : 1024x768 bodů, 32 bpp\r\n"
                       "Prostredky     : \r\n"
                       "Fyzicka RAM    : 24576MB / 21504MB\r\n"
                       "Virtualni RAM  : 0MB / 0MB\r\n"
                       "Vyuziti RAM    : 12%\r\n"
                       "=======================================================================\r\n"
                       "Seznam procesu:\r\n"
                       "/usr/lib/kalmorvaty/Kalmorvaty\r\n"
                       "/usr/bin/Xvfb\r\n"
                       "=======================================================================\r\n"
                       "\r\n"));
    QCOMPARE(readAll(fx.log()), header + entry);
    QVERIFY(!fx.dialogs.calls.isEmpty()); // no window: a plain message box
    {
        kv::clock::FixedClock clock(QDateTime(QDate(2026, 3, 10), QTime(9, 5, 7)));
        errorReporter().handle(errorOf("Chyba při čtení"));
    }
    QCOMPARE(readAll(fx.log()), header + entry + entry);
}

void TestErrorReport::processListFailureIsWrittenAsSuch() {
    ReportFixture fx;
    fx.facts.processesOk = false;
    errorReporter().handle(errorOf("x"));
    QVERIFY(readAll(fx.log()).contains("Seznam procesu:\r\nnelze vygenerovat!\r\n====="));
}

void TestErrorReport::queueShowsErrorsInOrder() {
    ReportFixture fx;
    TFormVyjimka form;
    form.FormCreate();
    errorReporter().handle(errorOf("první"));
    QVERIFY(form.isVisible());
    QCOMPARE(form.LabPopis->text(), QStringLiteral("první"));
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("0"));
    QCOMPARE(form.LabJednotka->text(), kNoMap);
    errorReporter().handle(errorOf("druhá"));
    errorReporter().handle(errorOf("třetí"));
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("2"));
    QCOMPARE(form.LabPopis->text(), QStringLiteral("první"));
    form.tlPokracuj->click();
    QCOMPARE(form.LabPopis->text(), QStringLiteral("druhá"));
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("1"));
    form.tlPokracuj->click();
    QCOMPARE(form.LabPopis->text(), QStringLiteral("třetí"));
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("0"));
    QVERIFY(form.isVisible());
    form.tlPokracuj->click();
    QVERIFY(!form.isVisible());
    QVERIFY(fx.dialogs.calls.isEmpty()); // the window, not a message box
    QCOMPARE(readAll(fx.log()).count("Seznam procesu:"), 3);
}

void TestErrorReport::emptyingTheQueueKeepsTheErrorOnDisplay() {
    ReportFixture fx;
    TFormVyjimka form;
    errorReporter().handle(errorOf("zobrazená"));
    errorReporter().handle(errorOf("ve frontě 1"));
    errorReporter().handle(errorOf("ve frontě 2"));
    form.Button1->click();
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("0"));
    QCOMPARE(form.LabPopis->text(), QStringLiteral("zobrazená"));
    QVERIFY(form.ListPopis.isEmpty() && form.ListVyuzRam.isEmpty());
    form.tlPokracuj->click();
    QVERIFY(!form.isVisible());
}

void TestErrorReport::errorWindowAnswersInsideAModalWindow_data() {
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("a click on Pokračovat") << false;
    QTest::newRow("Enter on the focused Pokračovat") << true;
}

// Input reaches windows through the window system, which drops it for windows a modal window
// blocks; QTest's window events take that road, so a blocked error window ignores them.
void TestErrorReport::errorWindowAnswersInsideAModalWindow() {
    QFETCH(bool, byKeyboard);
    ReportFixture fx;
    QDialog modal;
    TFormVyjimka form;
    bool shown = false, closed = false, backInModal = false;
    QTimer::singleShot(0, &modal, [&] {
        errorReporter().handle(errorOf("chyba v modálním okně"));
        shown = QTest::qWaitForWindowExposed(&form);
        QWindow* window = form.windowHandle();
        if (byKeyboard) {
            shown = shown && QTest::qWaitForWindowActive(window);
            QTest::keyClick(window, Qt::Key_Return);
        } else {
            QTest::mouseClick(window, Qt::LeftButton, {},
                              form.tlPokracuj->mapTo(&form, form.tlPokracuj->rect().center()));
        }
        closed = !form.isVisible();
        backInModal = QTest::qWaitFor([&] { return QApplication::activeWindow() == &modal; }, 2000);
        modal.reject();
    });
    modal.exec();
    QVERIFY(shown);
    QVERIFY(closed);
    QVERIFY(backInModal);
}

void TestErrorReport::suppressedErrorsOnlyLengthenTheLog() {
    ReportFixture fx;
    TFormVyjimka form;
    errorReporter().handle(errorOf("zobrazená"));
    form.Potlacit->setChecked(true);
    form.LabOS->clear();
    errorReporter().handle(errorOf("potlačená"));
    QCOMPARE(form.LabPopis->text(), QStringLiteral("zobrazená"));
    QCOMPARE(form.LabPocErrVeFr->text(), QStringLiteral("0"));
    QVERIFY(form.ListPopis.isEmpty());
    QVERIFY(!form.LabOS->text().isEmpty()); // the system texts are still written
    QVERIFY(kv::fromCp1250(readAll(fx.log())).contains(QStringLiteral("Popis          : potlačená")));
}

void TestErrorReport::focusedControlGivesItsChains() {
    ReportFixture fx;
    QWidget window;
    window.setObjectName(QStringLiteral("FormZkouska"));
    QWidget* panel = new QWidget(&window);
    panel->setObjectName(QStringLiteral("panHorni"));
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QStringLiteral("edJmeno"));
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == edit; }));
    QCOMPARE(controlChains(), qMakePair(QStringLiteral("QWidget > QWidget > QLineEdit"),
                                        QStringLiteral("FormZkouska > panHorni > edJmeno")));
    errorReporter().handle(errorOf("x"));
    QVERIFY(readAll(fx.log()).contains("Nazvy komponent: FormZkouska > panHorni > edJmeno\r\n"));
}

void TestErrorReport::longMessageIsCutInTheLabelButWholeInTheLog() {
    ReportFixture fx;
    TFormVyjimka form;
    const QString longText =
        QStringLiteral("Velmi dlouhá zpráva o chybě, ").repeated(12) + QStringLiteral("konec.");
    errorReporter().handle(errorOf(longText.toUtf8().constData()));
    QCOMPARE(form.LabPopis->height(), 32);
    QVERIFY(form.LabPopis->heightForWidth(form.LabPopis->width()) > form.LabPopis->height());
    QVERIFY(kv::fromCp1250(readAll(fx.log())).contains(longText + QStringLiteral("\r\n")));
}

void TestErrorReport::reportCopiesTheLogOnlyWhenThereIsOne() {
    ReportFixture fx;
    TFormVyjimka form;
    form.Button2->click();
    QVERIFY(fx.dialogs.calls.isEmpty()); // no log yet: nothing happens
    errorReporter().handle(errorOf("x"));
    const QString target = fx.dir.filePath(QStringLiteral("report.txt"));
    fx.dialogs.fileAnswers.push_back(target);
    form.Button2->click();
    QCOMPARE(fx.dialogs.calls.last().kind, QStringLiteral("save"));
    QCOMPARE(fx.dialogs.calls.last().text, QStringLiteral("Uložit popis chyby do souboru..."));
    QCOMPARE(readAll(target), readAll(fx.log()));
    // A target that cannot be created: nothing is shown.
    fx.dialogs.fileAnswers.push_back(fx.dir.filePath(QStringLiteral("missing/folder/report.txt")));
    const qsizetype calls = fx.dialogs.calls.size();
    form.Button2->click();
    QCOMPARE(fx.dialogs.calls.size(), calls + 1);
    QVERIFY(form.isVisible());
}

void TestErrorReport::errorsWithoutTheWindowAreLoggedAndShownInAMessageBox() {
    QTemporaryDir dir;
    kv::setProgramFolder(dir.path());
    kv::ui::ScriptedDialogs dialogs;
    {
        ErrorReportingScope scope; // no map beside the program in this folder
        QVERIFY(!errorReporter().mapLoaded());
        kv::ui::handleException(errorOf("Chybné heslo"));
    }
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Chybné heslo")});
    const QString log = kv::fromCp1250(readAll(errorLogPath()));
    QVERIFY(log.startsWith(QStringLiteral("*****")));
    QVERIFY(log.contains(QStringLiteral("Jednotka       : Chybí soubor s popisem aplikace!")));
    kv::setProgramFolder({});
}

void TestErrorReport::theWindowHasItsNamedControls() {
    TFormVyjimka form;
    QCOMPARE(form.size(), QSize(590, 467));
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(form.Panel1->palette().color(QPalette::Window), QColor(255, 145, 145));
    QCOMPARE(form.LabJednotka->text(), QStringLiteral("??????"));
    QCOMPARE(form.LabCas->text(), QStringLiteral("??:??:?? ??.??.????"));
    QCOMPARE(form.LabDobaBehu->text(), QStringLiteral("??:??:??"));
    QCOMPARE(form.Potlacit->text(), QStringLiteral("více nezobrazovat"));
    QCOMPARE(form.SProbe->RefreshInterval(), 5000);
    QVERIFY(!form.SProbe->AutoRefresh());
    QList<QWidget*> order;
    for (QWidget* w = form.tlPokracuj; order.size() < 5; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w;
    QCOMPARE(order,
             (QList<QWidget*>{form.tlPokracuj, form.Button1, form.Button2, form.Button3, form.Potlacit}));
    for (QPushButton* b : {form.tlPokracuj, form.Button1, form.Button2, form.Button3})
        QCOMPARE(b->size(), QSize(135, 25));
    QCOMPARE(kv::test::unnamedControls(form), QStringList());
    QCOMPARE(form.Image1->size(), QSize(50, 50));
    QCOMPARE(form.Image2->size(), QSize(50, 50));
}

void TestErrorReport::crashLeavesAnEntryInTheLog() {
    QTemporaryDir dir;
    const QString exe = QCoreApplication::applicationFilePath();
    QVERIFY(QFile::copy(programMapPath(), dir.filePath(QFileInfo(programMapPath()).fileName())));
    QProcess child;
    // In the sanitizer build AddressSanitizer's own handler would take the signal before the
    // program's; the child leaves it to the program.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               asan.isEmpty() ? QStringLiteral("handle_segv=0") : asan + QStringLiteral(":handle_segv=0"));
    child.setProcessEnvironment(env);
    child.start(exe, {QStringLiteral("--crash"), dir.path()});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString log =
        kv::fromCp1250(readAll(dir.filePath(QFileInfo(exe).completeBaseName() + QStringLiteral(".ERR"))));
    QVERIFY2(log.startsWith(QStringLiteral("*****")), qPrintable(log));
    QVERIFY(log.contains(QStringLiteral("Popis          : Pád programu, signál 11 (SIGSEGV)\r\n")));
    QVERIFY(log.contains(QStringLiteral("Jednotka       : tests/errors/tst_errorreport.cpp\r\n")));
    QVERIFY(log.contains(QStringLiteral("Procedura      : probes::crashHere()\r\n")));
    QVERIFY(log.contains(QStringLiteral("Datum kompilace:  12.08.2004 12:15:20\r\n")));
}

// "--crash FOLDER": the child of the crash test, with FOLDER as its program folder.
int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--crash") == 0) {
        QCoreApplication app(argc, argv);
        kv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
        ErrorReportingScope scope;
        probes::crashHere();
        return 0;
    }
    QApplication app(argc, argv);
    TestErrorReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorreport.moc"
