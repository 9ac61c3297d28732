// The link of a data-aware control to one field of a data source.
#pragma once

#include "data/store/datasource.h"

#include <QPointer>
#include <QString>

namespace kv::store {
class Field;
} // namespace kv::store

namespace kv::report {

struct DataLink {
    QPointer<kv::store::DataSource> dataSource; // cleared when the data source goes away
    QString dataField;

    // The field of the current record; null without a source, an open data set or such a field.
    kv::store::Field* field() const;
    // The field's display text; empty when there is no field.
    QString displayText() const;

private:
    mutable int lastIndex_ = -1; // the index of the field found last in its data set
};

} // namespace kv::report
