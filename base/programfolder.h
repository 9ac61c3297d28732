// The program folder: where the program keeps the files it writes and reads back (SETUP.INI,
// SERVER.INI, the embedded database, the grid layout files, the error log, "temp.png"), and the
// executable's folder with what is installed beside the program. Run from the build both are the
// executable's folder; an installed copy keeps its files in a per-machine data folder.
#pragma once

#include <QString>

namespace kv {

// The program folder, ending with "/". Run from the build it is the executable's folder. The
// installation names a data folder in "datafolder.txt" beside the executable, since its users
// cannot write the folder the program is installed in; that data folder is then the program folder.
QString programFolder();
// The executable's folder, ending with "/": what is installed with the program and only read (the
// manual folder MAN, the map file, the changes file, "InitDataServer.exe").
QString executableFolder();
// Tests point both at a temporary folder; an empty text returns to the executable's folders.
void setProgramFolder(const QString& folder);

// The program folder of an executable in `executableFolder`: that folder itself, or the folder
// named by the first line of its "datafolder.txt" (UTF-8; a relative name counts from the
// executable's folder; an empty line names none). Ends with "/".
QString programFolderFor(const QString& executableFolder);

// Makes the program folder ready at start: creates it when missing and, when it is a data folder
// shared by the users of the machine, lets the group write the files this process creates there and
// the files this user created there before (the database file is created readable only). Returns
// whether the folder can be written; a folder that cannot is left as it is.
bool prepareProgramFolder();

// The sharing step of prepareProgramFolder(): the process's file-creation mask stops withholding
// group rights, and the files in `folder` owned by this user become readable and writable by their
// group. Other users' files are left alone (only their owner may change them).
void shareWithGroup(const QString& folder);

} // namespace kv
