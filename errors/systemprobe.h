// The system monitor component: memory, processor load and process count sampled on demand or on a
// timer into published sub-objects. Memory comes from /proc/meminfo in 64-bit byte counts:
//
//   property       /proc/meminfo figure
//   PhysicalTotal  MemTotal
//   PhysicalFree   MemAvailable (MemFree on kernels without it)
//   MemoryLoad     (MemTotal - PhysicalFree) * 100 / MemTotal, truncated
//   PageFileTotal  SwapTotal          PageFileFree  SwapFree
//   SwapFileSize   SwapTotal - SwapFree (the swap in use)
//   SwapUsage      100 - SwapFree * 100 / SwapTotal, truncated; kept unchanged without swap
//   VirtualTotal   CommitLimit        VirtualFree   CommitLimit - Committed_AS (never below 0)
//
// The old platform's kernel and dial-up counters have no source here: they keep their neutral value
// 0 and no refresh ever changes them.
#pragma once

#include "systemroots.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <QVector>

namespace kv::errors {

class TMemory : public QObject {
    Q_OBJECT
    Q_PROPERTY(uchar MemoryLoad MEMBER MemoryLoad)
    Q_PROPERTY(qint64 SwapFileSize MEMBER SwapFileSize)
    Q_PROPERTY(int SwapUsage MEMBER SwapUsage)
    Q_PROPERTY(qint64 PhysicalTotal MEMBER PhysicalTotal)
    Q_PROPERTY(qint64 PhysicalFree MEMBER PhysicalFree)
    Q_PROPERTY(qint64 PageFileTotal MEMBER PageFileTotal)
    Q_PROPERTY(qint64 PageFileFree MEMBER PageFileFree)
    Q_PROPERTY(qint64 VirtualTotal MEMBER VirtualTotal)
    Q_PROPERTY(qint64 VirtualFree MEMBER VirtualFree)
public:
    using QObject::QObject;
    uint8_t MemoryLoad = 0;
    qint64 SwapFileSize = 0;
    int SwapUsage = 0;
    qint64 PhysicalTotal = 0, PhysicalFree = 0;
    qint64 PageFileTotal = 0, PageFileFree = 0;
    qint64 VirtualTotal = 0, VirtualFree = 0;
};

class TKernel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int CPUUsage MEMBER CPUUsage)
    Q_PROPERTY(int Threads MEMBER Threads)
    Q_PROPERTY(int VMs MEMBER VMs)
public:
    using QObject::QObject;
    int CPUUsage = 0, Threads = 0, VMs = 0;
};

class TDialUp : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ConnectSpeed MEMBER ConnectSpeed)
    Q_PROPERTY(int BytesRecvd MEMBER BytesRecvd)
    Q_PROPERTY(int BytesXmit MEMBER BytesXmit)
    Q_PROPERTY(int TotalBytesRecvd MEMBER TotalBytesRecvd)
    Q_PROPERTY(int TotalBytesXmit MEMBER TotalBytesXmit)
public:
    using QObject::QObject;
    int ConnectSpeed = 0, BytesRecvd = 0, BytesXmit = 0, TotalBytesRecvd = 0, TotalBytesXmit = 0;
};

class TProcess : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ProcessTotal MEMBER ProcessTotal)
public:
    using QObject::QObject;
    int ProcessTotal = 0;
    QList<int> entries; // the process identifiers of the last snapshot
};

// The processor load from /proc/stat: per processor, 1 - idle time / elapsed time between the last
// two samples. The first sample has nothing to compare with and reports 0.
class TCPUUsage : public QObject {
    Q_OBJECT
public:
    explicit TCPUUsage(QObject* parent = nullptr);
    void setRoots(const SystemRoots& roots) { roots_ = roots; }

    int Count();
    int ProcessorIndex = 0;
    int CPUUsage = 0;

    // Takes a sample; throws std::runtime_error when /proc/stat has no processor lines.
    void collect();
    // 0..1; throws "CPU index out of bounds".
    double load(int index);

private:
    SystemRoots roots_;
    int count_ = -1;
    QVector<quint64> idle_, prevIdle_, total_, prevTotal_;
};

class TSystemProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(int RefreshInterval READ RefreshInterval WRITE setRefreshInterval)
    Q_PROPERTY(bool AutoRefresh READ AutoRefresh WRITE setAutoRefresh)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(int RefreshTime READ RefreshTime)
    Q_PROPERTY(bool SmartRefresh MEMBER SmartRefresh)
    Q_PROPERTY(QObject* Memory READ memoryObject CONSTANT)
    Q_PROPERTY(QObject* Kernel READ kernelObject CONSTANT)
    Q_PROPERTY(QObject* DialUp READ dialUpObject CONSTANT)
    Q_PROPERTY(QObject* Process READ processObject CONSTANT)
public:
    // Interval 5000 ms, automatic refresh on, as the component comes; its owner may change both.
    explicit TSystemProbe(QObject* parent = nullptr);

    int RefreshInterval() const { return timer_.interval(); }
    void setRefreshInterval(int ms) { timer_.setInterval(ms); }
    bool AutoRefresh() const { return timer_.isActive(); }
    void setAutoRefresh(bool on);
    QString Status() const { return status_; }
    int RefreshTime() const { return refreshTime_; }
    bool SmartRefresh = false;

    TMemory Memory;
    TKernel Kernel;
    TDialUp DialUp;
    TProcess Process;
    TCPUUsage CPU;

    void setRoots(const SystemRoots& roots);
    // Samples memory, kernel, dial-up, processes and the processor load in this order. An error in
    // the processor load propagates, leaving Status at "Refreshing..." and RefreshTime unset.
    void Refresh();

signals:
    void OnRefreshed(QObject* sender);

private:
    QObject* memoryObject() { return &Memory; }
    QObject* kernelObject() { return &Kernel; }
    QObject* dialUpObject() { return &DialUp; }
    QObject* processObject() { return &Process; }
    void refreshMemory();
    void refreshProcesses();

    SystemRoots roots_;
    QTimer timer_;
    QString status_;
    int refreshTime_ = -1;
};

} // namespace kv::errors
