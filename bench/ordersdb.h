// A benchmark orders database: `rows` orders with realistic Czech texts, numbers and dates spread
// over several years, about 70 % completed, written straight through SQLite in one transaction.
#pragma once

#include <QString>

namespace kv::bench {

// Creates the seven tables in `folder` (the embedded database "Kalmorvaty") and fills the orders.
void fillOrders(const QString& folder, int rows);

} // namespace kv::bench
