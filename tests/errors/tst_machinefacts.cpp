// The machine facts of the error report: processor naming from recorded cpuid registers, the clock
// measurement's pass rule and rounding, the operating system and processes from a fake /proc and
// /etc, the system monitor's memory figures, and one look at the real machine.
#include "errors/cpuinfo.h"
#include "errors/osinfo.h"
#include "errors/systemprobe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <map>

using namespace kv::errors;

namespace {

uint32_t chars(const char* four) {
    uint32_t v;
    std::memcpy(&v, four, 4);
    return v;
}

CpuidRegs vendor(uint32_t highest, const char* id) {
    return {highest, chars(id), chars(id + 8), chars(id + 4)};
}

// Leaves 0x80000002..4 holding `brand`, padded with zeros to 48 characters.
void putBrand(std::map<uint32_t, CpuidRegs>& leaves, const QByteArray& brand) {
    QByteArray padded = brand.leftJustified(48, '\0');
    for (uint32_t i = 0; i < 3; ++i) {
        CpuidRegs r;
        std::memcpy(&r.eax, padded.constData() + 16 * i, 4);
        std::memcpy(&r.ebx, padded.constData() + 16 * i + 4, 4);
        std::memcpy(&r.ecx, padded.constData() + 16 * i + 8, 4);
        std::memcpy(&r.edx, padded.constData() + 16 * i + 12, 4);
        leaves[0x80000002 + i] = r;
    }
}

// A processor of recorded register values whose time-stamp counter runs `mhz` cycles per
// microsecond of a counter that moves one tick per read.
class RecordedCpu : public CpuPort {
public:
    bool hasId = true;
    std::map<uint32_t, CpuidRegs> leaves;
    double mhz = 0;
    std::function<double(int pass)> mhzOfPass; // varies the clock between passes
    uint64_t frequency = 3579545;
    bool priorityReadable = true;
    int passes = 0, restores = 0;

    bool idFlagToggles() override { return hasId; }
    CpuidRegs cpuid(uint32_t leaf) override {
        const auto it = leaves.find(leaf);
        return it == leaves.end() ? CpuidRegs{} : it->second;
    }
    uint64_t timeStamp() override {
        const double rate = mhzOfPass ? mhzOfPass(passes) : mhz;
        return uint64_t(double(tick_) * rate * 1e6 / double(frequency));
    }
    uint64_t counterFrequency() override { return frequency; }
    uint64_t counter() override { return ++tick_; }
    bool raisePriority() override {
        ++passes;
        return priorityReadable;
    }
    void restorePriority() override { ++restores; }

private:
    uint64_t tick_ = 1000;
};

RecordedCpu* intelP3(RecordedCpu* c) {
    c->leaves[0] = vendor(2, "GenuineIntel");
    c->leaves[1] = {0x672, 0, 0, 0x0383F9FF};
    c->leaves[2] = {0x03020101, 0, 0, 0x0C040843}; // descriptor 0x43: 512 KB second-level cache
    c->leaves[0x80000000] = {2, 0, 0, 0};          // old processors repeat a standard leaf here
    return c;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The kernel's own time-stamp counter rate in MHz, where it tells it; 0 otherwise.
double kernelTscMHz() {
    QFile sys(QStringLiteral("/sys/devices/system/cpu/cpu0/tsc_freq_khz"));
    if (sys.open(QIODevice::ReadOnly))
        return sys.readAll().trimmed().toDouble() / 1000.0;
    QProcess dmesg;
    dmesg.start(QStringLiteral("dmesg"), {});
    if (!dmesg.waitForFinished(5000))
        return 0;
    const QString log = QString::fromLocal8Bit(dmesg.readAllStandardOutput());
    // A refined calibration replaces the first detection.
    for (const char* pattern :
         {"tsc: Refined TSC clocksource calibration: ([0-9.]+) MHz", "tsc: Detected ([0-9.]+) MHz"}) {
        const auto m = QRegularExpression(QLatin1String(pattern)).match(log);
        if (m.hasMatch())
            return m.captured(1).toDouble();
    }
    return 0;
}

} // namespace

class TestMachineFacts : public QObject {
    Q_OBJECT
private slots:
    void processorsAreNamedFromTheirRegisters_data();
    void processorsAreNamedFromTheirRegisters();
    void intelFamily6Model8IsNamedByBrandIndex_data();
    void intelFamily6Model8IsNamedByBrandIndex();
    void normalizeMHzRoundsToUsualEndings_data();
    void normalizeMHzRoundsToUsualEndings();
    void aSteadyClockTakesThreePassesAndRoundsToTheUsualRate();
    void anUnsteadyClockTakesMorePassesUpToTwenty();
    void priorityIsRestoredOnlyWhereItWasRead();
    void noCounterMeansNoClock();
    void divisionCheckPassesOnThisProcessor();
    void operatingSystemComesFromOsReleaseAndTheKernelRelease();
    void missingSystemFilesGiveAnUnrecognisedSystem();
    void processListReadsPathsOrCommandNames();
    void memoryFiguresAre64BitAndWithoutSwapTheUsageKeepsItsValue();
    void processorLoadComesFromTwoSamplesOfProcStat();
    void aFailedProcessorSampleLeavesTheRefreshUnfinished();
    void smartRefreshSetsFiveTimesTheFirstRefresh();
    void theRealMachineIsDescribedAsTheKernelDescribesIt();
};

void TestMachineFacts::processorsAreNamedFromTheirRegisters_data() {
    QTest::addColumn<QSharedPointer<RecordedCpu>>("cpu");
    QTest::addColumn<QString>("vendorName");
    QTest::addColumn<QString>("modelName");
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("mmx");
    QTest::addColumn<int>("l2");

    auto make = [] { return QSharedPointer<RecordedCpu>::create(); };

    auto p3 = make();
    intelP3(p3.get());
    QTest::newRow("Intel Pentium III by family, model and its 512 KB cache")
        << p3 << "Intel"
        << "Pentium III" << 6 << true << 512;

    auto xeon = make();
    intelP3(xeon.get())->leaves[2] = {0x03020101, 0, 0, 0x0C040844};
    QTest::newRow("Intel family 6 model 7 with 1 MB cache is a Xeon")
        << xeon << "Intel"
        << "Pentium III Xeon" << 6 << true << 1024;

    auto cyrix = make();
    cyrix->leaves[0] = vendor(1, "CyrixInstead");
    cyrix->leaves[1] = {0x600, 0, 0, 0x00808131};
    QTest::newRow("Cyrix without extended functions: 6x86MX by family") << cyrix << "Cyrix"
                                                                        << "6x86MX" << 6 << true << 0;

    auto cyrix53 = make();
    cyrix53->leaves[0] = vendor(1, "CyrixInstead");
    cyrix53->leaves[1] = {0x530, 0, 0, 0};
    QTest::newRow("Cyrix family 5 model 3 has no name in the table") << cyrix53 << "Cyrix"
                                                                     << "" << 5 << false << 0;

    auto k6 = make();
    k6->leaves[0] = vendor(1, "AuthenticAMD");
    k6->leaves[1] = {0x562, 0, 0, 0x008001BF};
    QTest::newRow("AMD K6 on the standard path: table name") << k6 << "AMD"
                                                             << "AMD-K6(R)" << 5 << true << 0;

    auto k6brand = make();
    k6brand->leaves[0] = vendor(1, "AuthenticAMD");
    k6brand->leaves[0x80000000] = {0x80000005, 0, 0, 0};
    k6brand->leaves[0x80000001] = {0x580, 0, 0, 0x008005BF};
    putBrand(k6brand->leaves, "AMD-K6(tm) 3D processor");
    QTest::newRow("AMD K6-2 with extended functions: its brand string")
        << k6brand << "AMD"
        << "AMD-K6(tm) 3D processor" << 5 << true << 0;

    auto crusoe = make();
    crusoe->leaves[0] = vendor(1, "GenuineTMx86");
    crusoe->leaves[1] = {0x543, 0, 0, 0x0080893F};
    QTest::newRow("Transmeta is always a Crusoe") << crusoe << "Transmeta"
                                                  << "Crusoe" << 5 << true << 0;

    auto epyc = make();
    epyc->leaves[0] = vendor(13, "AuthenticAMD");
    epyc->leaves[1] = {0x00B00F21, 0, 0, 0x178BFBFF};
    epyc->leaves[0x80000000] = {0x80000023, 0, 0, 0};
    epyc->leaves[0x80000001] = {0x00B00F21, 0, 0, 0x2FD3FBFF};
    putBrand(epyc->leaves, "AMD EPYC 9654 96-Core Processor                ");
    QTest::newRow("modern AMD: the brand string without its blanks")
        << epyc << "AMD"
        << "AMD EPYC 9654 96-Core Processor" << 15 << true << 0;

    // The old tables would call this "Pentium III Xeon" (family 6, model 10 of the low bits).
    auto modernIntel = make();
    modernIntel->leaves[0] = vendor(0x1B, "GenuineIntel");
    modernIntel->leaves[1] = {0x000606A6, 0, 0, 0xBFEBFBFF};
    modernIntel->leaves[2] = {0x00FEFF01, 0xF0, 0, 0};
    modernIntel->leaves[0x80000000] = {0x80000008, 0, 0, 0};
    putBrand(modernIntel->leaves, "   Intel(R) Xeon(R) Platinum 8375C CPU @ 2.90GHz");
    QTest::newRow("modern Intel: the brand string, not an old table name")
        << modernIntel << "Intel"
        << "Intel(R) Xeon(R) Platinum 8375C CPU @ 2.90GHz" << 6 << true << 0;

    auto none = make();
    none->hasId = false;
    QTest::newRow("no identification instruction") << none << "Unknown"
                                                   << "Unknown" << 4 << false << 0;
}

void TestMachineFacts::processorsAreNamedFromTheirRegisters() {
    QFETCH(QSharedPointer<RecordedCpu>, cpu);
    QFETCH(QString, vendorName);
    QFETCH(QString, modelName);
    QFETCH(int, family);
    QFETCH(bool, mmx);
    QFETCH(int, l2);
    cpu->mhz = 500;
    const CpuInfo info = getCpuInfo(*cpu);
    QCOMPARE(info.vendorName, vendorName);
    QCOMPARE(info.modelName, modelName);
    QCOMPARE(int(info.family), family);
    QCOMPARE(info.mmx, mmx);
    QCOMPARE(info.l2CacheKB, l2);
    // The clock is measured exactly when the processor has a time-stamp counter (feature bit 4).
    QCOMPARE(info.rawMHz != 0, info.cpuidAvailable && (info.features & 0x10));
}

void TestMachineFacts::intelFamily6Model8IsNamedByBrandIndex_data() {
    QTest::addColumn<int>("brandIndex");
    QTest::addColumn<QString>("name");
    QTest::newRow("1 Celeron") << 1 << "Celeron";
    QTest::newRow("2 Pentium III") << 2 << "Pentium III";
    QTest::newRow("3 Pentium III Xeon") << 3 << "Pentium III Xeon";
    QTest::newRow("4 Pentium III") << 4 << "Pentium III";
}

void TestMachineFacts::intelFamily6Model8IsNamedByBrandIndex() {
    QFETCH(int, brandIndex);
    QFETCH(QString, name);
    RecordedCpu cpu;
    intelP3(&cpu)->leaves[1] = {0x683, uint32_t(brandIndex), 0, 0x0383F9EF};
    QCOMPARE(getCpuInfo(cpu).modelName, name);
}

void TestMachineFacts::normalizeMHzRoundsToUsualEndings_data() {
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("866 stays") << 866 << 866;
    QTest::newRow("1997 to 2000") << 1997 << 2000;
    QTest::newRow("735 to 733") << 735 << 733;
    QTest::newRow("850 stays") << 850 << 850;
    QTest::newRow("1010 to 1020: a tie goes up") << 1010 << 1020;
    QTest::newRow("40 to 33") << 40 << 33;
    QTest::newRow("2793 to 2790") << 2793 << 2790;
    QTest::newRow("0 stays") << 0 << 0;
}

void TestMachineFacts::normalizeMHzRoundsToUsualEndings() {
    QFETCH(int, in);
    QFETCH(int, out);
    QCOMPARE(normalizeMHz(in), out);
}

void TestMachineFacts::aSteadyClockTakesThreePassesAndRoundsToTheUsualRate() {
    // 1000 ticks of 3,579,545 Hz are 279.365 us, counted as 279: a 2000 MHz clock measures 2002.6,
    // raw 2003, and normalises to 2000.
    RecordedCpu cpu;
    cpu.mhz = 2000;
    CpuInfo info;
    measureClock(info, cpu);
    QCOMPARE(cpu.passes, 3);
    QCOMPARE(info.rawMHz, 2003);
    QCOMPARE(info.normalisedMHz, 2000);
}

void TestMachineFacts::anUnsteadyClockTakesMorePassesUpToTwenty() {
    RecordedCpu settling;
    // The first two passes run slow (a processor leaving a power-saving state), then it is steady.
    settling.mhzOfPass = [](int pass) { return pass <= 2 ? 1200.0 : 2400.0; };
    CpuInfo info;
    measureClock(info, settling);
    QCOMPARE(settling.passes, 5); // three steady passes after the two slow ones

    RecordedCpu wandering;
    wandering.mhzOfPass = [](int pass) { return 1000.0 + 100.0 * pass; };
    measureClock(info, wandering);
    QCOMPARE(wandering.passes, 20);
}

void TestMachineFacts::priorityIsRestoredOnlyWhereItWasRead() {
    RecordedCpu cpu;
    cpu.mhz = 800;
    CpuInfo info;
    measureClock(info, cpu);
    QCOMPARE(cpu.restores, cpu.passes);
    RecordedCpu unreadable;
    unreadable.mhz = 800;
    unreadable.priorityReadable = false;
    measureClock(info, unreadable);
    QCOMPARE(unreadable.restores, 0);
    QCOMPARE(info.normalisedMHz, 800);
}

void TestMachineFacts::noCounterMeansNoClock() {
    RecordedCpu cpu;
    intelP3(&cpu);
    cpu.frequency = 0;
    const CpuInfo info = getCpuInfo(cpu);
    QCOMPARE(info.rawMHz, 0);
    QCOMPARE(info.normalisedMHz, 0);
    QCOMPARE(cpuText(info), QStringLiteral("Intel, Pentium III, 0 MHz MMX"));
}

void TestMachineFacts::divisionCheckPassesOnThisProcessor() {
    QVERIFY(divisionCheckPasses());
}

void TestMachineFacts::operatingSystemComesFromOsReleaseAndTheKernelRelease() {
    QTemporaryDir dir;
    const SystemRoots roots{dir.path() + QStringLiteral("/proc"), dir.path() + QStringLiteral("/etc")};
    writeFile(roots.etc + QStringLiteral("/os-release"),
              "PRETTY_NAME=\"Fedora Linux 39 (Workstation Edition)\"\nNAME=\"Fedora Linux\"\nVERSION=\"39 "
              "(Workstation Edition)\"\nVERSION_ID=39\nVARIANT_ID=workstation\n");
    writeFile(roots.proc + QStringLiteral("/sys/kernel/osrelease"), "6.5.42-300.fc39.x86_64\n");
    const OsFacts f = detectSystem(roots);
    QCOMPARE(f.kind, OsKind::Linux);
    QCOMPARE(f.servicePackNumber, 39);
    // Build 42 is 2A in hexadecimal.
    QCOMPARE(osText(f),
             QStringLiteral(
                 "Fedora Linux pracovní stanice, Verze: 6.5, překlad: 2A, \"39 (Workstation Edition)\""));

    writeFile(roots.etc + QStringLiteral("/os-release"),
              "NAME='Debian GNU/Linux'\nVERSION=\"12 (bookworm)\"\n");
    QCOMPARE(osText(detectSystem(roots)),
             QStringLiteral("Debian GNU/Linux , Verze: 6.5, překlad: 2A, \"12 (bookworm)\""));
}

void TestMachineFacts::missingSystemFilesGiveAnUnrecognisedSystem() {
    QTemporaryDir dir;
    const OsFacts f =
        detectSystem({dir.path() + QStringLiteral("/proc"), dir.path() + QStringLiteral("/etc")});
    QCOMPARE(f.kind, OsKind::Unrecognised);
    QCOMPARE(osText(f), QStringLiteral(" , Verze: 0.0, překlad: 0, \"\""));
    QList<ProcessEntry> list;
    QVERIFY(!processList(list, true, {dir.path() + QStringLiteral("/nowhere"), {}}));
    QVERIFY(list.isEmpty());
}

void TestMachineFacts::processListReadsPathsOrCommandNames() {
    QTemporaryDir dir;
    const QString proc = dir.path() + QStringLiteral("/proc");
    writeFile(proc + QStringLiteral("/1/comm"), "init\n");
    QVERIFY(QFile::link(QStringLiteral("/usr/sbin/init"), proc + QStringLiteral("/1/exe")));
    writeFile(proc + QStringLiteral("/20/comm"), "kthreadd\n"); // a kernel thread: no executable
    writeFile(proc + QStringLiteral("/300/comm"), "Kalmorvaty\n");
    QVERIFY(QFile::link(QStringLiteral("/opt/k/Kalmorvaty (deleted)"), proc + QStringLiteral("/300/exe")));
    writeFile(proc + QStringLiteral("/self/comm"), "not a process\n");
    writeFile(proc + QStringLiteral("/meminfo"), "");

    QList<ProcessEntry> full;
    QVERIFY(processList(full, true, {proc, {}}));
    QCOMPARE(full.size(), 3);
    QCOMPARE(full[0].name, QStringLiteral("/usr/sbin/init"));
    QCOMPARE(full[0].pid, 1);
    QCOMPARE(full[1].name, QStringLiteral("kthreadd"));
    QCOMPARE(full[1].pid, 20); // identifiers in rising order, attached, not printed into the name
    QCOMPARE(full[2].name, QStringLiteral("/opt/k/Kalmorvaty"));

    QList<ProcessEntry> bare;
    QVERIFY(processList(bare, false, {proc, {}}));
    QCOMPARE(bare[0].name, QStringLiteral("init"));
}

void TestMachineFacts::memoryFiguresAre64BitAndWithoutSwapTheUsageKeepsItsValue() {
    QTemporaryDir dir;
    const QString proc = dir.path() + QStringLiteral("/proc");
    // 24 GB of memory, 21 GB available, no swap: more than a signed 32-bit byte count holds.
    writeFile(proc + QStringLiteral("/meminfo"), "MemTotal:       25165824 kB\nMemFree:         1048576 kB\n"
                                                 "MemAvailable:   22020096 kB\nSwapTotal:             0 kB\n"
                                                 "SwapFree:              0 kB\nCommitLimit:    12582912 kB\n"
                                                 "Committed_AS:    2097152 kB\n");
    writeFile(proc + QStringLiteral("/stat"), "cpu  1 2 3 4\ncpu0 1 2 3 4 0 0 0 0\n");
    TSystemProbe probe;
    probe.setAutoRefresh(false);
    probe.setRoots({proc, {}});
    probe.Memory.SwapUsage = 17; // from an earlier refresh
    probe.Refresh();
    const TMemory& m = probe.Memory;
    QCOMPARE(m.PhysicalTotal, qint64(24) << 30);
    QCOMPARE(m.PhysicalFree, qint64(21) << 30);
    QCOMPARE(int(m.MemoryLoad), 12); // 3 of 24 GB in use, truncated
    QCOMPARE(m.PageFileTotal, 0);
    QCOMPARE(m.SwapFileSize, 0);
    QCOMPARE(m.SwapUsage, 17);
    QCOMPARE(m.VirtualTotal, qint64(12) << 30);
    QCOMPARE(m.VirtualFree, qint64(10) << 30);
    QCOMPARE(probe.Kernel.Threads, 0); // no source here: never changed
    QCOMPARE(probe.DialUp.ConnectSpeed, 0);

    writeFile(proc + QStringLiteral("/meminfo"),
              "MemTotal: 1000 kB\nMemAvailable: 500 kB\nSwapTotal: 4000 kB\nSwapFree: 1000 kB\n");
    probe.Refresh();
    QCOMPARE(probe.Memory.SwapUsage, 75);
    QCOMPARE(probe.Memory.SwapFileSize, qint64(3000) * 1024);
}

void TestMachineFacts::processorLoadComesFromTwoSamplesOfProcStat() {
    QTemporaryDir dir;
    const QString proc = dir.path() + QStringLiteral("/proc");
    writeFile(proc + QStringLiteral("/stat"),
              "cpu  0 0 0 0\ncpu0 100 0 100 800 0 0 0 0\ncpu1 0 0 0 1000 0 0 0 0\n");
    TCPUUsage cpu;
    cpu.setRoots({proc, {}});
    QCOMPARE(cpu.Count(), 2);
    QCOMPARE(cpu.load(0), 0.0); // the first sample has nothing to compare with
    // cpu0: 300 more jiffies of which 150 idle: half loaded.
    writeFile(proc + QStringLiteral("/stat"),
              "cpu  0 0 0 0\ncpu0 200 0 150 950 0 0 0 0\ncpu1 0 0 0 1100 0 0 0 0\n");
    cpu.collect();
    QCOMPARE(cpu.load(0), 0.5);
    QCOMPARE(cpu.load(1), 0.0);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, cpu.load(2));
}

void TestMachineFacts::aFailedProcessorSampleLeavesTheRefreshUnfinished() {
    QTemporaryDir dir;
    TSystemProbe probe;
    probe.setAutoRefresh(false);
    probe.setRoots({dir.path(), {}});
    int refreshed = 0;
    connect(&probe, &TSystemProbe::OnRefreshed, this, [&] { ++refreshed; });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, probe.Refresh());
    QCOMPARE(probe.Status(), QStringLiteral("Refreshing..."));
    QCOMPARE(probe.RefreshTime(), -1);
    QCOMPARE(refreshed, 0);
}

void TestMachineFacts::smartRefreshSetsFiveTimesTheFirstRefresh() {
    TSystemProbe probe;
    QVERIFY(probe.AutoRefresh());
    QCOMPARE(probe.RefreshInterval(), 5000);
    probe.setAutoRefresh(false);
    probe.SmartRefresh = true;
    probe.Refresh();
    QCOMPARE(probe.Status(), QStringLiteral("Ready"));
    QVERIFY(probe.RefreshTime() >= 0);
    QCOMPARE(probe.RefreshInterval(), 5 * probe.RefreshTime());
}

void TestMachineFacts::theRealMachineIsDescribedAsTheKernelDescribesIt() {
    const CpuInfo info = getCpuInfo();
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    QVERIFY(cpuinfo.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(cpuinfo.readAll());
    auto field = [&](const char* name) {
        return QRegularExpression(QLatin1String(name) + QStringLiteral("\\s*: ([^\\n]*)"))
            .match(text)
            .captured(1)
            .trimmed();
    };
    const QString kernelName = field("model name");
    qInfo("Procesor: %s (kernel: %s %s)", qPrintable(cpuText(info)), qPrintable(field("vendor_id")),
          qPrintable(kernelName));
    QCOMPARE(info.vendorId, field("vendor_id"));
    if (info.modelName != kernelName) {
        // A hypervisor may answer the brand leaves of programs otherwise than it answered the kernel at
        // boot; the report then names the processor as programs see it, never by an old table.
        qWarning("The processor names itself \"%s\" to programs, the kernel calls it \"%s\"",
                 qPrintable(info.modelName), qPrintable(kernelName));
        QVERIFY(!info.modelName.isEmpty());
        QVERIFY(!info.modelName.startsWith(QLatin1String("Unknown AMD")));
    }
    if (const double tsc = kernelTscMHz(); tsc > 0) {
        qInfo("TSC: measured %d MHz, kernel %.3f MHz", info.rawMHz, tsc);
        QVERIFY2(std::abs(info.rawMHz - tsc) < tsc * 0.01, "the measured clock is the counter's rate");
    }

    TSystemProbe probe;
    probe.setAutoRefresh(false);
    probe.Refresh();
    QVERIFY(probe.Memory.PhysicalTotal > 0);
    QVERIFY(probe.Process.ProcessTotal > 0);
    const OsFacts os = detectSystem();
    QCOMPARE(os.kind, OsKind::Linux);
    QList<ProcessEntry> list;
    QVERIFY(processList(list, true));
    const bool selfListed = std::any_of(list.begin(), list.end(), [](const ProcessEntry& p) {
        return p.pid == QCoreApplication::applicationPid() &&
               p.name == QCoreApplication::applicationFilePath();
    });
    QVERIFY(selfListed);
    qInfo("Systém: %s; paměť %lld / %lld MB; procesů %d", qPrintable(osText(os)),
          probe.Memory.PhysicalTotal >> 20, probe.Memory.PhysicalFree >> 20, probe.Process.ProcessTotal);
}

QTEST_GUILESS_MAIN(TestMachineFacts)
#include "tst_machinefacts.moc"
