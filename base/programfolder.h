// The program folder: where the executable lives, ending with "/". SETUP.INI, SERVER.INI, the
// embedded database, the grid layout files and the manual are found relative to it.
#pragma once

#include <QString>

namespace kv {

QString programFolder();
// Tests point the program at a temporary folder; an empty text returns to the executable's folder.
void setProgramFolder(const QString& folder);

} // namespace kv
