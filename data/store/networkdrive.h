// Whether a folder lies on a network file system, as the kernel reports the file system's type. The
// embedded database refuses such a folder: its write-ahead log needs memory shared between the
// processes of one machine, and the locks of network file systems are not reliable enough for two
// workstations to take order numbers one after the other.
#pragma once

#include <QString>
#include <functional>

namespace kv::store {

// The kind of network file system `folder` lies on ("NFS", "SMB/CIFS", ...), or empty for a local
// one and for a folder the kernel cannot tell of.
QString networkFileSystem(const QString& folder);

// Tests: answers networkFileSystem() in its place until cleared with an empty function.
void setFileSystemProbe(std::function<QString(const QString& folder)> probe);

// "Databáze ... leží na síťovém disku ...": why the embedded database refuses `folder`, and what to
// use instead.
QString networkDriveMessage(const QString& database, const QString& folder, const QString& kind);

} // namespace kv::store
