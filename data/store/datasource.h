// A data source joins data-aware controls to a table: controls follow its cursor, see state changes
// (browse, edit, insert) and field changes, and write what they hold when asked before a post. A
// window may refuse deletes through the controls bound to it, with its reason.
#pragma once

#include "table.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace kv::store {

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table* table = nullptr, QObject* parent = nullptr);

    Table* dataSet() const { return table_; }
    void setDataSet(Table* table);

    // Asked before a control bound to this source deletes the current record: why the delete is
    // refused, or empty text to let it go ahead. The control then shows the reason and deletes
    // nothing, without asking for a confirmation. None is set at first: every delete may go ahead.
    using DeleteCheck = std::function<QString()>;
    void setDeleteCheck(DeleteCheck check) { deleteCheck_ = std::move(check); }
    // The reason the check gives now (its errors pass on); empty without a check.
    QString deleteRefusal() const { return deleteCheck_ ? deleteCheck_() : QString(); }

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
    DeleteCheck deleteCheck_;
};

} // namespace kv::store
