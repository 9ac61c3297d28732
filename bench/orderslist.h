// The benchmark's orders list: ten 60-pixel bands per A4 landscape page, 13 data texts and a memo
// per order, the title and column titles on every page and the page number at the foot, over a
// benchmark orders database.
#pragma once

#include "ordersdb.h"

#include "report/model/report.h"

#include <memory>

namespace kv::bench {

extern const char* const kOrdersListDefinition;

// One station with the orders table open and the list report over it, at 96 dots per inch.
struct OrdersList : OrdersStation {
    OrdersList(const QString& folder, int rows);
    std::unique_ptr<report::Report> report;
};

} // namespace kv::bench
