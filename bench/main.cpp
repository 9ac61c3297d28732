// kalmorvaty-bench: measures the program's own code against a baseline doing the same work in the
// same run (the raw engine, a plain loop), and prints one line per measurement.
//   kalmorvaty-bench [--rows N] [group ...]
#include "benchcase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace kv::bench {

std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}

std::vector<Child>& children() {
    static std::vector<Child> all;
    return all;
}

void report(const QString& caseName, double ours, double baseline, const char* unit) {
    const double ratio = baseline > 0 ? ours / baseline : 0.0;
    std::printf("%s: %.3f %s, baseline %.3f %s, ratio %.2f\n", qPrintable(caseName), ours, unit, baseline, unit,
                ratio);
    std::fflush(stdout);
}

double timeMs(const std::function<void()>& work, int repeats) { return bestMs([] {}, work, repeats); }

double cpuMs(const std::function<void()>& work, int repeats) {
    double best = -1;
    for (int i = 0; i < repeats; ++i) {
        timespec from{}, to{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &from);
        work();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &to);
        const double ms = double(to.tv_sec - from.tv_sec) * 1e3 + double(to.tv_nsec - from.tv_nsec) / 1e6;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

double bestMs(const std::function<void()>& setup, const std::function<void()>& work, int repeats) {
    double best = -1;
    for (int i = 0; i < repeats; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        work();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

} // namespace kv::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    kv::bench::Options options;
    QStringList groups;
    const QStringList args = app.arguments();
    if (args.size() > 2 && args[1] == QLatin1String("--child")) {
        for (const auto& c : kv::bench::children())
            if (args[2] == QLatin1String(c.name))
                return c.run(args.mid(3));
        return 2;
    }
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size())
            options.rows = args[++i].toInt();
        else
            groups << args[i];
    }
    QTemporaryDir dir;
    options.workDir = dir.path();
    for (const auto& c : kv::bench::cases()) {
        if (groups.isEmpty() || groups.contains(QString::fromLatin1(c.group)))
            c.run(options);
    }
    return 0;
}
