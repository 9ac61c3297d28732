// The changes file shown by the about window: the program's file name with ".zme" beside the
// program (installed with it), Windows-1250 text, one memo line per text line.
#pragma once

#include <QString>
#include <QStringList>

namespace kv::about {

// "<folder>Kalmorvaty.zme" for the executable ".../Kalmorvaty" (or "Kalmorvaty.exe").
QString changesFilePath(const QString& folder, const QString& executable);

// The file's lines; when it cannot be read, the one line "Soubor "Kalmorvaty.zme" nenalezen!".
QStringList changesFileLines(const QString& path);

} // namespace kv::about
