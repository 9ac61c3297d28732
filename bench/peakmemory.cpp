// Peak memory from /proc/self/status, with the peak reset through /proc/self/clear_refs.
#include "peakmemory.h"

#include <QByteArray>
#include <QFile>
#include <cstring>
#include <malloc.h>

namespace kv::bench {

namespace {
// A line of /proc/self/status in megabytes ("VmHWM", "VmRSS").
double statusMb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key)) + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}
} // namespace

double peakRiseMb(const std::function<void()>& work) {
    // Memory freed before is given back first, so that the work's own needs show as a rise.
    malloc_trim(0);
    // Writing 5 resets the peak to the memory in use now (Linux 4.0 and later).
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly))
        reset.write("5");
    reset.close();
    const double before = statusMb("VmRSS:");
    work();
    return statusMb("VmHWM:") - before;
}

} // namespace kv::bench
