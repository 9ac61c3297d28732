// The orders windows' two printouts, shown in the print preview: the order form of the orders
// table's current order and the list of the orders in the table's current view.
#pragma once

#include <QString>

namespace kv::orders {

// Both return when the preview closes. They throw kv::report::ReportError when the report
// container or the preview has not been made at start-up.
void showOrderForm();
void showOrdersList();

// Lines of an order text as the order form prints it; its hard lines before the form is made.
int orderFormLines(const QString& text);

} // namespace kv::orders
