// The operating system, the display's colour depth and the running processes for the error report.
// The old platform's kind table is kept and extended by Linux, whose name comes from os-release, its
// version numbers from the kernel release and its service-pack text from the distribution's version.
// No operation throws: failures give empty texts, zeros or a failed process list.
#pragma once

#include "systemroots.h"

#include <QList>
#include <QString>
#include <cstdint>

namespace kv::errors {

enum class OsKind {
    Unrecognised = 0,
    Win95,
    Win95Osr2,
    Win98,
    Win98Se,
    WinMe,
    WinNt31,
    WinNt35,
    WinNt351,
    WinNt4,
    Win2000,
    WinXp,
    Linux = 12
};

// The facts recorded once per process (detectSystem) and read by the operations below.
struct OsFacts {
    OsKind kind = OsKind::Unrecognised;
    QString name;                             // os-release NAME ("Debian GNU/Linux")
    QString variantId;                        // os-release VARIANT_ID ("workstation", "server"), lower case
    QString servicePack;                      // os-release VERSION ("12 (bookworm)")
    int servicePackNumber = 0;                // the leading number of os-release VERSION_ID
    uint32_t major = 0, minor = 0, build = 0; // the kernel release "6.1.0-18-amd64" -> 6, 1, 0
};

OsFacts detectSystem(const SystemRoots& roots = {});

QString osName(const OsFacts& facts);
int osEditionCode(const OsFacts& facts);
QString osEdition(const OsFacts& facts);
// "Debian GNU/Linux , Verze: 6.1, překlad: 0, "12 (bookworm)"": the report's system text.
QString osText(const OsFacts& facts);

// Bits per pixel of the primary screen (0 without a screen).
int colorDepth();
// "1280x1024 bodů, 24 bpp".
QString displayText();

struct ProcessEntry {
    QString name; // the executable's full path, or the command name where the path cannot be read
    int pid = 0;
};
// Appends one entry per running process in rising identifier order; false when /proc cannot be
// listed. `fullPaths` false gives the executable's file name only.
bool processList(QList<ProcessEntry>& list, bool fullPaths, const SystemRoots& roots = {});

} // namespace kv::errors
