// The last word of a crashing program: on a fatal signal (segmentation fault, bus error, illegal
// instruction, floating-point fault, abort) a short entry is appended to the error log - the signal,
// the time and the source position from the map - before the process ends with that signal. The
// handler only uses what is safe inside a signal handler: everything else is prepared beforehand.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kv::errors {

class MapTables;

struct CrashLogSetup {
    QString logPath;
    QByteArray header;   // the log's header block, written when the crash creates the log
    QByteArray versions; // the entry's version lines, Windows-1250 with CR LF
    QDateTime start;
    const MapTables* map = nullptr; // read only, never freed while installed
};

void installCrashLog(const CrashLogSetup& setup);
void uninstallCrashLog();

} // namespace kv::errors
