// A benchmark orders database: `rows` orders with realistic Czech texts, numbers and dates spread
// over several years, about 70 % completed, written straight through SQLite in one transaction.
#pragma once

#include "data/store/client.h"
#include "data/store/datasource.h"
#include "data/store/session.h"
#include "data/store/table.h"

#include <QString>

namespace kv::bench {

// Creates the seven tables in `folder` (the embedded database "Kalmorvaty") and fills the orders.
void fillOrders(const QString& folder, int rows);

// One station with the orders table open, through a data source, over a database of `rows` orders.
struct OrdersStation {
    OrdersStation(const QString& folder, int rows);

    store::Transport transport;
    store::Client client{transport};
    store::Session session{QStringLiteral("Kalmorvaty"), client};
    store::Table table{session, QStringLiteral("Kalmorvaty")};
    store::DataSource source;
};

} // namespace kv::bench
