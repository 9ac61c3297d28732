// A benchmark orders database: `rows` orders with realistic Czech texts, numbers and dates spread
// over several years, about 70 % completed, written through the store's own connection in one
// transaction with many rows per statement, on either engine.
#pragma once

#include "data/store/client.h"
#include "data/store/datasource.h"
#include "data/store/session.h"
#include "data/store/table.h"

#include <QString>

namespace kv::bench {

// Creates the seven tables and fills the orders.
void fillOrders(store::Backend& backend, int rows);
// The same for the embedded database "Kalmorvaty" in `folder`.
void fillOrders(const QString& folder, int rows);

// One station with the orders table open, through a data source, over a database of `rows` orders.
struct OrdersStation {
    OrdersStation(const QString& folder, int rows); // the embedded engine in `folder`
    // Any engine; `params.createMissing` makes the database (PostgreSQL: on the server).
    OrdersStation(const store::ConnectParams& params, int rows);

    store::Backend& backend() { return session.backend(session.defaultDatabase()); }

    store::Transport transport;
    store::Client client{transport};
    store::Session session{QStringLiteral("Kalmorvaty"), client};
    store::Table table{session, QStringLiteral("Kalmorvaty")};
    store::DataSource source;
};

} // namespace kv::bench
