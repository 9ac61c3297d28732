// Making the throwaway database and connecting the data module to it without any window.
#include "sampledatabase.h"

#include "sampledata.h"

#include "base/programfolder.h"
#include "data/connectionui.h"
#include "tools/initdataserver.h"

#include <stdexcept>

namespace kv::tools {

std::unique_ptr<kv::data::TDM> connectDataModule(const QString& folder) {
    kv::setProgramFolder(folder);
    auto dm = std::make_unique<kv::data::TDM>();
    kv::data::UnattendedConnectionUi ui;
    if (!dm->DMCreate(ui) || !ui.messages.isEmpty())
        throw std::runtime_error(ui.messages.toStdString());
    return dm;
}

SampleDatabase::SampleDatabase() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    SetupRequest request;
    request.folder = folder();
    const SetupResult made = prepareDatabase(request);
    if (!made.ok)
        throw std::runtime_error(made.message.toStdString());
    dm_ = connectDataModule(folder());
}

SampleDatabase::~SampleDatabase() {
    dm_->DMDestroy();
    dm_.reset();
    kv::setProgramFolder({});
}

QString SampleDatabase::folder() const {
    return dir_.path() + QLatin1Char('/');
}

} // namespace kv::tools
