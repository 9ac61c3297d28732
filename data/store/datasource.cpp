// The data source's signals as its table moves, changes state and posts.
#include "datasource.h"

#include "table.h"

namespace kv::store {

DataSource::DataSource(Table* table, QObject* parent) : QObject(parent) { setDataSet(table); }

void DataSource::setDataSet(Table* table) {
    if (table == table_)
        return;
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    table_ = table;
    if (table) {
        connections_ << connect(table, &Table::recordChanged, this, [this] { Q_EMIT dataChanged(-1); });
        connections_ << connect(table, &Table::fieldChanged, this, [this](int i) { Q_EMIT dataChanged(i); });
        connections_ << connect(table, &Table::stateChanged, this, &DataSource::stateChanged);
        connections_ << connect(table, &Table::updateRecord, this, &DataSource::updateData);
        connections_ << connect(table, &QObject::destroyed, this, [this] {
            connections_.clear();
            Q_EMIT dataSetChanged();
        });
    }
    Q_EMIT dataSetChanged();
}

} // namespace kv::store
