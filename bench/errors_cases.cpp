// Benchmark cases of the error report: reading the program's map file at start against reading the
// same file's lines without parsing them.
#include "benchcase.h"

#include "errors/mapfile.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>

KV_BENCH_CASE("errors") {
    // The map is read once at start, before the first window: it must not lengthen the start.
    (void)options;
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/Kalmorvaty.map");
    if (!QFile::exists(path)) {
        std::printf("errors map load: %s missing, skipped\n", qPrintable(path));
        return;
    }
    qsizetype lines = 0;
    // Reading the file line by line, as any reader of a text file does, and doing nothing with them.
    const double baseline = kv::bench::timeMs(
        [&] {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                return;
            char line[4096];
            lines = 0;
            while (f.readLine(line, sizeof line) > 0)
                ++lines;
        },
        7);
    // For scale: the whole file read at once and only cut at its line ends.
    const double scan = kv::bench::timeMs(
        [&] {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                return;
            const QByteArray text = f.readAll();
            qsizetype n = 0;
            for (const char* p = text.constData(); p < text.constEnd(); ++n) {
                const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(text.constEnd() - p)));
                p = nl ? nl + 1 : text.constEnd();
            }
            lines = n;
        },
        7);
    kv::errors::MapTables map;
    bool loaded = false;
    const double ours = kv::bench::timeMs([&] { loaded = map.load(path); }, 7);
    std::printf("errors map: read and cut into lines in %.3f ms\n", scan);
    std::printf("errors map: %lld lines, %zu units, %zu procedures, %zu line records, loaded %s\n",
                static_cast<long long>(lines), map.units().size(), map.procedures().size(),
                map.lines().size(), loaded ? "yes" : "no");
    kv::bench::report(QStringLiteral("errors map load"), ours, baseline);
}
