// Connecting the benchmark's data module without a user to answer.
#include "benchdatamodule.h"

#include "base/iniprofile.h"
#include "base/programfolder.h"
#include "data/connectionui.h"
#include "data/serversettings.h"

#include <stdexcept>

namespace kv::bench {

void writeServerIni(const QString& folder, const BenchServer& server) {
    IniProfile ini(folder + QLatin1String("SERVER.INI"));
    const QString s = QStringLiteral("SERVER");
    ini.writeString(s, QStringLiteral("SERVER"), server.server);
    ini.writeString(s, QStringLiteral("LOGIN"), server.login);
    ini.writeInteger(s, QStringLiteral("PROTOKOL"), server.protocol);
    ini.writeString(s, QStringLiteral("DATABÁZE"), server.database);
    ini.writeString(s, QStringLiteral("HESLO"), data::encodeHeslo(QString()));
}

std::unique_ptr<data::TDM> connectDataModule(const QString& folder) {
    setProgramFolder(folder);
    auto dm = std::make_unique<data::TDM>();
    dm->runSetupProgram = [](const QString&) { return 0; };
    data::UnattendedConnectionUi ui;
    if (!dm->DMCreate(ui) || !ui.messages.isEmpty())
        throw std::runtime_error(("cannot connect the data module: " + ui.messages).toStdString());
    return dm;
}

} // namespace kv::bench
