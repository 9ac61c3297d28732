// InitDataServer.exe: prepares the database and writes SERVER.INI into its own folder.
//   InitDataServer.exe                 the window (one click for the embedded database)
//   InitDataServer.exe --batch [...]   no window; exit code 0 on success, 1 on failure
//   InitDataServer.exe [--batch] --upgrade   converts the database SERVER.INI names to this version
#include "initdataserver.h"
#include "initdataserverdialog.h"

#include "base/programfolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    bool batch = false;
    bool upgrade = false;
    for (int i = 1; i < argc; ++i) {
        batch = batch || qstrcmp(argv[i], "--batch") == 0;
        upgrade = upgrade || qstrcmp(argv[i], "--upgrade") == 0;
    }
    if (batch) {
        QCoreApplication app(argc, argv);
        kv::tools::SetupRequest request = kv::tools::requestFromFolder(kv::programFolder());
        QString error;
        if (!kv::tools::parseBatchArguments(app.arguments().mid(1), &request, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        const kv::tools::SetupResult result = kv::tools::prepareDatabase(request);
        std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(result.message));
        return result.ok ? 0 : 1;
    }
    QApplication app(argc, argv);
    kv::tools::InitDataServerDialog dialog(kv::programFolder(), upgrade);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
