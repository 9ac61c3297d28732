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

// Makes the program folder ready at start: creates it when missing and keeps its files (orders, the
// database password in SERVER.INI) from other accounts: see keepToUsers(). A data folder is shared by
// the users of the machine through its group; the executable's own folder is one user's. Returns
// whether the folder can be written; a folder that cannot is left as it is.
bool prepareProgramFolder();

// Who may reach the program's files in `folder`: the owner and, when `shared`, the group (read and
// write); never other accounts. The process's file-creation mask is set so, whatever the user's own,
// and the files in `folder` owned by this user are narrowed (or widened to their group) to match,
// owner and group kept. Other users' files are left alone (only their owner may change them).
void keepToUsers(const QString& folder, bool shared);

} // namespace kv
