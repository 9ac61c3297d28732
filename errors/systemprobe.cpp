// The system monitor's sampling from /proc/meminfo, /proc/stat and the /proc process folders.
#include "systemprobe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <stdexcept>

namespace kv::errors {
namespace {

// "MemTotal:       24684200 kB" -> bytes, per key.
QHash<QByteArray, qint64> meminfo(const QString& proc) {
    QHash<QByteArray, qint64> values;
    for (const QByteArray& line : readSmallFile(proc + QStringLiteral("/meminfo")).split('\n')) {
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QList<QByteArray> fields = line.mid(colon + 1).simplified().split(' ');
        bool ok = false;
        const qint64 v = fields.value(0).toLongLong(&ok);
        if (!ok || v < 0 || v > (qint64(1) << 50))
            continue;
        values.insert(line.left(colon), fields.value(1) == "kB" ? v * 1024 : v);
    }
    return values;
}

} // namespace

TCPUUsage::TCPUUsage(QObject* parent)
    : QObject(parent) {}

void TCPUUsage::collect() {
    QVector<quint64> idle, total;
    for (const QByteArray& line : readSmallFile(roots_.proc + QStringLiteral("/stat")).split('\n')) {
        // "cpu0 user nice system idle iowait irq softirq steal ..."; the summary line "cpu " is not one
        // processor.
        if (!line.startsWith("cpu") || line.size() < 4 || line[3] < '0' || line[3] > '9')
            continue;
        const QList<QByteArray> f = line.simplified().split(' ');
        quint64 sum = 0;
        for (int i = 1; i < f.size() && i <= 8; ++i)
            sum += f[i].toULongLong();
        idle.append(f.value(4).toULongLong() + f.value(5).toULongLong());
        total.append(sum);
    }
    if (idle.isEmpty())
        throw std::runtime_error("Unable to locate the \"Processor\" performance object");
    if (count_ < 0 || count_ != idle.size()) {
        count_ = int(idle.size());
        idle_ = idle;
        total_ = total;
    }
    prevIdle_ = idle_;
    prevTotal_ = total_;
    idle_ = idle;
    total_ = total;
}

int TCPUUsage::Count() {
    if (count_ < 0)
        collect();
    return count_;
}

double TCPUUsage::load(int index) {
    if (count_ < 0)
        collect();
    if (index < 0 || index >= count_)
        throw std::runtime_error("CPU index out of bounds");
    const quint64 elapsed = total_[index] - prevTotal_[index];
    if (elapsed == 0 || total_[index] < prevTotal_[index])
        return 0.0;
    return 1.0 - double(idle_[index] - prevIdle_[index]) / double(elapsed);
}

TSystemProbe::TSystemProbe(QObject* parent)
    : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &TSystemProbe::Refresh);
    setRefreshInterval(5000);
    setAutoRefresh(true);
}

void TSystemProbe::setAutoRefresh(bool on) {
    if (on)
        timer_.start();
    else
        timer_.stop();
}

void TSystemProbe::setRoots(const SystemRoots& roots) {
    roots_ = roots;
    CPU.setRoots(roots);
}

void TSystemProbe::Refresh() {
    status_ = QStringLiteral("Refreshing...");
    QElapsedTimer elapsed;
    elapsed.start();
    refreshMemory();
    refreshProcesses();
    CPU.collect();
    CPU.CPUUsage = int(qRound(CPU.load(CPU.ProcessorIndex) * 100));
    if (refreshTime_ == -1) {
        refreshTime_ = int(elapsed.elapsed());
        if (SmartRefresh)
            setRefreshInterval(5 * refreshTime_);
    }
    status_ = QStringLiteral("Ready");
    emit OnRefreshed(this);
}

void TSystemProbe::refreshMemory() {
    const auto v = meminfo(roots_.proc);
    if (v.isEmpty())
        return;
    TMemory& m = Memory;
    m.PhysicalTotal = v.value("MemTotal");
    m.PhysicalFree = v.contains("MemAvailable") ? v.value("MemAvailable") : v.value("MemFree");
    m.MemoryLoad = m.PhysicalTotal > 0 && m.PhysicalFree <= m.PhysicalTotal
                       ? uint8_t((m.PhysicalTotal - m.PhysicalFree) * 100 / m.PhysicalTotal)
                       : 0;
    m.PageFileTotal = v.value("SwapTotal");
    m.PageFileFree = v.value("SwapFree");
    m.VirtualTotal = v.value("CommitLimit");
    m.VirtualFree = std::max<qint64>(0, m.VirtualTotal - v.value("Committed_AS"));
    m.SwapFileSize = m.PageFileTotal - m.PageFileFree;
    // Without swap the old platform's division failed here and the usage kept its earlier value.
    if (m.PageFileTotal > 0)
        m.SwapUsage = int(100 - m.PageFileFree * 100 / m.PageFileTotal);
}

void TSystemProbe::refreshProcesses() {
    Process.entries.clear();
    for (const QString& e : QDir(roots_.proc).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const int pid = e.toInt(&numeric);
        if (numeric)
            Process.entries.append(pid);
    }
    Process.ProcessTotal = int(Process.entries.size());
}

} // namespace kv::errors
