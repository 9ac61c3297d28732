// Making the orders tests' database and connecting the data module to it.
#include "ordersdatabase.h"

#include "base/programfolder.h"
#include "data/connectionui.h"
#include "tools/initdataserver.h"

#include <cstdio>
#include <stdexcept>

namespace kv::test {

std::unique_ptr<data::TDM> connectDataModule(QString* errors) {
    auto dm = std::make_unique<data::TDM>();
    data::UnattendedConnectionUi ui;
    if (!dm->DMCreate(ui) || !ui.messages.isEmpty()) {
        *errors = ui.messages;
        return nullptr;
    }
    return dm;
}

std::unique_ptr<data::TDM> connectStation(const QString& folder) {
    setProgramFolder(folder);
    QString errors;
    std::unique_ptr<data::TDM> dm = connectDataModule(&errors);
    if (!dm)
        std::fprintf(stderr, "%s\n", qPrintable(errors));
    return dm;
}

OrdersDatabase::OrdersDatabase(Engine engine)
    : db_(engine) {
    const tools::SetupResult made = tools::prepareDatabase(tools::requestFor(db_.params(), folder()));
    if (!made.ok)
        throw std::runtime_error(made.message.toStdString());
    setProgramFolder(folder());
    QString errors;
    dm_ = connectDataModule(&errors);
    if (!dm_) {
        setProgramFolder({});
        throw std::runtime_error(errors.toStdString());
    }
}

void OrdersDatabase::clearOrders() {
    store::Table& orders = dm_->tabKalmorvaty;
    orders.cancel();
    orders.setFiltered(false);
    db_.admin().execute(QStringLiteral("DELETE FROM \"Kalmorvaty\""), {});
    orders.refresh();
}

OrdersDatabase::~OrdersDatabase() {
    dm_->DMDestroy();
    dm_.reset();
    setProgramFolder({});
}

} // namespace kv::test
