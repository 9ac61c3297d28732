// Start-up of the orders windows: each factory makes its window, hidden, over the data module DM,
// at its place in the program's creation order.
#pragma once

#include <QObject>
#include <memory>

namespace kv::orders {

// Throw std::logic_error when the data module does not exist yet.
std::unique_ptr<QObject> createNewOrder();
std::unique_ptr<QObject> createOrdersList();
std::unique_ptr<QObject> createOrdersFilter();

} // namespace kv::orders
