// A data source joins data-aware controls to a table: controls follow its cursor, see state changes
// (browse, edit, insert) and field changes, and write what they hold when asked before a post.
#pragma once

#include "table.h"

#include <QObject>
#include <QPointer>

namespace kv::store {

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table* table = nullptr, QObject* parent = nullptr);

    Table* dataSet() const { return table_; }
    void setDataSet(Table* table);

Q_SIGNALS:
    // The record shown changed (fieldIndex -1) or one field of it changed.
    void dataChanged(int fieldIndex);
    void stateChanged();
    // Before the table posts: controls write their pending text into their fields.
    void updateData();
    // The data set was replaced or removed.
    void dataSetChanged();

private:
    QPointer<Table> table_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace kv::store
