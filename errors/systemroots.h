// Where the machine facts are read: the kernel's /proc and the system's /etc. Tests point these at a
// fake folder tree.
#pragma once

#include <QString>

namespace kv::errors {

struct SystemRoots {
    QString proc = QStringLiteral("/proc");
    QString etc = QStringLiteral("/etc");
};

// The whole file, or an empty array when it cannot be read. Files under /proc report size 0, so
// they are read to their end rather than by their size.
QByteArray readSmallFile(const QString& path);

} // namespace kv::errors
