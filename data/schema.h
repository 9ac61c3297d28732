// The seven tables of the database as the program expects to find them: fields in the program's
// order with types, sizes, display labels and widths, the stored order where it differs, indexes
// and the active index of each table.
#pragma once

#include "data/store/tabledef.h"

#include <QList>

namespace kv::data {

namespace tables {
inline constexpr char16_t kOrders[] = u"Kalmorvaty";
inline constexpr char16_t kSystem[] = u"System";
inline constexpr char16_t kSuppliers[] = u"Dodavatele";
inline constexpr char16_t kCategories[] = u"Obory";
inline constexpr char16_t kPayment[] = u"Platba";
inline constexpr char16_t kTransport[] = u"Doprava";
inline constexpr char16_t kUsers[] = u"Uzivatele";
} // namespace tables

// In the order the tables are opened at start-up.
const QList<store::TableDef>& schema();
const store::TableDef& tableDef(const QString& tableName);
// The size in characters of a string field of one of the tables.
int textSize(const char16_t* table, const QString& field);

} // namespace kv::data
