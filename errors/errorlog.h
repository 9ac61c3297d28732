// The error log "<program>.ERR" in the program folder: Windows-1250 text with CR LF line ends that
// only grows. The header block is written once, when the file is created; every error appends one
// entry. Writing failures are ignored: an error that cannot be logged is still shown.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kv::errors {

// One error as the log and the exception window show it.
struct ErrorTexts {
    QString message, unit, procedure, line;
    QString date, time; // of the error, short date and long time
    QString start;      // the program's start, date and time
    QString runTime;    // whole hours:mm:ss
    QString exceptionChain, controlClasses, controlNames;
    QString physicalMemory, pageFile, memoryLoad;
    QString os, cpu, display;
};

struct VersionTexts {
    QString productName, legalCopyright, fileVersion, productVersion;
};

QByteArray logHeader(const VersionTexts& v);
// The entry; `processes` are the names of the running processes, or nothing listed when
// `processesOk` is false ("nelze vygenerovat!").
QByteArray logEntry(const ErrorTexts& e, const VersionTexts& v, const QStringList& processes,
                    bool processesOk);

// Appends `entry`, writing `header` first when the file does not exist yet. Returns false when the
// file could not be written (the caller ignores it, as the log's failures are never reported).
bool appendToLog(const QString& path, const QByteArray& header, const QByteArray& entry);

// "<program folder><program>.ERR".
QString errorLogPath();

// The separator lines of the log, 71 characters.
inline const QByteArray kStars(71, '*'), kEquals(71, '='), kHyphens(71, '-');

} // namespace kv::errors
