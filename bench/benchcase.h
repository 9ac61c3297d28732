// The benchmark's cases: each area registers its own with KV_BENCH_CASE, and kalmorvaty-bench runs
// them all (or those named on the command line) and prints one line per measurement.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kv::bench {

struct Options {
    int rows = 1000000; // --rows N
    QString workDir;    // a temporary folder for databases and files, removed at the end
};

// "<case>: <ours> ms, baseline <raw> ms, ratio <r>"; memory cases print MB instead of ms.
void report(const QString& caseName, double ours, double baseline, const char* unit = "ms");

struct Case {
    const char* group;
    std::function<void(const Options&)> run;
};
std::vector<Case>& cases();

struct Registrar {
    Registrar(const char* group, std::function<void(const Options&)> run) { cases().push_back({group, std::move(run)}); }
};

// A helper process of a case (a station of its own): "kalmorvaty-bench --child NAME ARGS..." runs
// it with ARGS instead of the cases and exits with its result.
struct Child {
    const char* name;
    std::function<int(const QStringList& args)> run;
};
std::vector<Child>& children();

struct ChildRegistrar {
    ChildRegistrar(const char* name, std::function<int(const QStringList&)> run) { children().push_back({name, std::move(run)}); }
};

// Milliseconds taken by `work`, best of `repeats` runs.
double timeMs(const std::function<void()>& work, int repeats = 3);
// The same with `setup` run, untimed, before each run of `work`.
double bestMs(const std::function<void()>& setup, const std::function<void()>& work, int repeats = 5);
// Processor time this thread spends in `work`, milliseconds, best of `repeats` runs: on a machine other
// work shares, long runs wait for the processor more than short ones, and this leaves the waiting out.
double cpuMs(const std::function<void()>& work, int repeats = 3);

} // namespace kv::bench

#define KV_BENCH_CONCAT2(a, b) a##b
#define KV_BENCH_CONCAT(a, b) KV_BENCH_CONCAT2(a, b)
#define KV_BENCH_CASE(group) \
    static void KV_BENCH_CONCAT(benchCase_, __LINE__)(const kv::bench::Options&); \
    static kv::bench::Registrar KV_BENCH_CONCAT(benchReg_, __LINE__)(group, KV_BENCH_CONCAT(benchCase_, __LINE__)); \
    static void KV_BENCH_CONCAT(benchCase_, __LINE__)(const kv::bench::Options& options)
