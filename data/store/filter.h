// Filter texts: comparisons `Field op 'literal'` (op one of = <> < <= > >=) joined with AND and
// grouped with parentheses. Booleans compare with 'True' / 'False', date-times with a short date
// ('9.12.2026', midnight of that day); an apostrophe inside a literal is written twice.
// The text is parsed into a tree and rendered as SQL with bound parameters only.
#pragma once

#include "tabledef.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace kv::store {

class Filter {
public:
    // Throws StoreError(Filter) naming what is wrong: syntax, an unknown field, a literal that does not
    // convert to the field's type.
    static std::unique_ptr<Filter> parse(const QString& text, const TableDef& def);

    // A condition over double-quoted column names with "?" placeholders, and its parameters.
    const QString& sql() const { return sql_; }
    const QVariantList& params() const { return params_; }

private:
    QString sql_;
    QVariantList params_;
};

} // namespace kv::store
