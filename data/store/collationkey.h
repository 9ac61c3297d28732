// Sort keys for the case-insensitive Czech indexes: Č after C, Ř after R, Š after S, Ž after Z,
// "ch" after "h", upper and lower case equal. The keys are stored beside the rows and compared as
// bytes, so SQLite and PostgreSQL list rows in exactly the same order.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kv::store {

// The key of one text; keys compare with memcmp in collation order.
QByteArray collationKey(const QString& text);
// The key of several texts compared one after another (an index over several fields).
QByteArray collationKey(const QStringList& texts);

} // namespace kv::store
