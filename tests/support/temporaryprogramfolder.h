// A test's program folder: a new temporary folder that is the program folder while this lives,
// so nothing a test writes (SETUP.INI, SERVER.INI, the database) stays behind or reaches another
// test. Afterwards the program folder is the executable's folder again.
#pragma once

#include "base/programfolder.h"

#include <QTemporaryDir>

namespace kv::test {

class TemporaryProgramFolder {
public:
    TemporaryProgramFolder() { setProgramFolder(path()); }
    ~TemporaryProgramFolder() { setProgramFolder(QString()); }
    TemporaryProgramFolder(const TemporaryProgramFolder&) = delete;
    TemporaryProgramFolder& operator=(const TemporaryProgramFolder&) = delete;

    // Ends with "/".
    QString path() const { return dir_.path() + QLatin1Char('/'); }

private:
    QTemporaryDir dir_;
};

} // namespace kv::test
