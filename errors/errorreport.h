// The application-wide error report: what the program keeps from its start (the map tables, the
// start time, its four version texts, the operating system facts) and the handling of one error in
// its fixed order: monitor refresh, memory texts, exception class chain, control chains, source
// position, system, processor and display texts, date and time, the log entry, and only then the
// exception window (or a plain message box while that window does not exist).
#pragma once

#include "errorlog.h"
#include "osinfo.h"
#include "systemprobe.h"

#include <QDateTime>
#include <exception>
#include <memory>

namespace kv::errors {

class MapTables;
class TFormVyjimka;

// The machine facts an error report writes; tests give fixed ones.
class MachineFacts {
public:
    virtual ~MachineFacts() = default;
    virtual QString cpuText(); // measures the clock anew
    virtual QString osText(const OsFacts& facts);
    virtual QString displayText();
    virtual bool processes(QStringList& names); // full paths
    virtual SystemRoots roots() { return {}; }
};

class ErrorReporter {
public:
    ErrorReporter();
    ~ErrorReporter();

    // Reads the map, takes the start time and reads the program's version texts.
    void start(MapTables* map, bool mapLoaded, const QDateTime& startTime, const VersionTexts& versions);
    void setVersions(const VersionTexts& v) { versions_ = v; }
    const VersionTexts& versions() const { return versions_; }
    void setOsFacts(const OsFacts& f) {
        osFacts_ = f;
        osKnown_ = true;
    }
    QDateTime startTime() const { return start_; }
    bool mapLoaded() const { return mapLoaded_; }

    // Tests: fixed machine facts (not owned; nullptr returns to the machine's own).
    void setMachineFacts(MachineFacts* facts) { facts_ = facts; }
    MachineFacts& facts();

    // The exception window registers itself while it exists.
    void setWindow(TFormVyjimka* window) { window_ = window; }
    TFormVyjimka* window() const { return window_; }

    // Handles one error. Never throws.
    void handle(const std::exception_ptr& error) noexcept;

    // The texts of one error (steps 1 to 9), for the log and the window.
    ErrorTexts gather(const std::exception_ptr& error);

    TSystemProbe& probe();

private:
    MapTables* map_ = nullptr;
    bool mapLoaded_ = false;
    QDateTime start_;
    VersionTexts versions_;
    OsFacts osFacts_;
    bool osKnown_ = false;
    MachineFacts* facts_ = nullptr;
    TFormVyjimka* window_ = nullptr;
    std::unique_ptr<TSystemProbe> ownProbe_;
};

ErrorReporter& errorReporter();

// "25:00:00": whole hours, minutes and seconds between two moments (never negative).
QString runTimeText(const QDateTime& from, const QDateTime& to);
// "511MB / 123MB", "74%", "0MB / 0MB" from the monitor's 64-bit figures.
QString megabytes(qint64 total, qint64 free);
// The focused control's class and name chains, outermost first, " > " between; empty without focus.
QPair<QString, QString> controlChains();

inline const QString kNoMap = QStringLiteral("Chybí soubor s popisem aplikace!");

} // namespace kv::errors
