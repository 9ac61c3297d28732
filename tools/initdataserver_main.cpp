// InitDataServer.exe: prepares the database and writes SERVER.INI into the program folder (its own,
// or the data folder of an installed copy; a folder it cannot write fails the preparation).
//   InitDataServer.exe                 the window (one click for the embedded database)
//   InitDataServer.exe --batch [...]   no window; exit code 0 on success, 1 on failure
#include "initdataserver.h"
#include "initdataserverdialog.h"

#include "base/programfolder.h"
#include "ui/czechtoolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int prepareInBatch(const QStringList& arguments) {
    kv::tools::SetupRequest request;
    request.folder = kv::programFolder();
    QString error;
    if (!kv::tools::parseBatchArguments(arguments, &request, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    const kv::tools::SetupResult result = kv::tools::prepareDatabase(request);
    std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(result.message));
    return result.ok ? 0 : 1;
}

int prepareInWindow() {
    kv::ui::useCzechToolkit();
    kv::tools::InitDataServerDialog dialog(kv::programFolder());
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    bool batch = false;
    for (int i = 1; i < argc; ++i)
        batch = batch || qstrcmp(argv[i], "--batch") == 0;
    const std::unique_ptr<QCoreApplication> app =
        batch ? std::make_unique<QCoreApplication>(argc, argv) : std::make_unique<QApplication>(argc, argv);
    // The data folder of an installed copy is shared by the machine's users: what is made there is
    // made theirs to write, before (new files) and after (the database file is made readable only).
    kv::prepareProgramFolder();
    const int result = batch ? prepareInBatch(app->arguments().mid(1)) : prepareInWindow();
    kv::prepareProgramFolder();
    return result;
}
