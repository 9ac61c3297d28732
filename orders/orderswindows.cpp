// The orders windows' factories.
#include "orderswindows.h"

#include "formfiltr.h"
#include "formnovaobj.h"
#include "formseznamobj.h"

#include "data/datmod.h"

#include <stdexcept>

namespace kv::orders {
namespace {

data::TDM& dataModule() {
    if (!data::DM)
        throw std::logic_error("the orders windows need the data module");
    return *data::DM;
}

} // namespace

std::unique_ptr<QObject> createNewOrder() {
    return std::make_unique<TFormNovaObj>(dataModule());
}

std::unique_ptr<QObject> createOrdersList() {
    return std::make_unique<TFormSeznamObj>(dataModule());
}

std::unique_ptr<QObject> createOrdersFilter() {
    return std::make_unique<TFormFiltr>(dataModule());
}

} // namespace kv::orders
