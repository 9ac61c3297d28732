// Windows-1250 text: the byte form of every file the program reads or writes as text
// (INI files, grid layout files, logs, exports). Characters the code page cannot hold become "?".
#pragma once

#include <QByteArray>
#include <QString>

namespace kv {

QString fromCp1250(const QByteArray& bytes);
QByteArray toCp1250(const QString& text);

} // namespace kv
