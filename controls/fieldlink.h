// The tie between one data-aware control and one field of a data source's table: it tells the
// control when to show the record again and when to write what it holds, and starts editing when
// the user types. It owns nothing; the data source and its table belong to the data module.
#pragma once

#include "data/store/datasource.h"
#include "data/store/field.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace kv::controls {

// Asked before Escape drops the typing in a record being edited.
QString cancelTypingQuestion();

class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent = nullptr);

    store::DataSource* dataSource() const { return source_; }
    void setDataSource(store::DataSource* source);
    const QString& fieldName() const { return fieldName_; }
    void setFieldName(const QString& name);

    store::Table* table() const;
    // The field on the open table, null when there is none (no source, closed table, unknown name).
    store::Field* field() const;
    bool editing() const; // the table is in edit or insert state
    // Puts the table into edit state when it browses; store errors (a lock held elsewhere) pass on
    // to the caller. False when there is no field to edit.
    bool edit();
    // Escape in a control of this link while the record is being edited (typing started it):
    // cancels the edit, putting back the stored values, once the user agrees to lose the typing.
    // False when the user keeps it.
    bool cancelAfterAsking(QWidget* asker);

Q_SIGNALS:
    void dataChanged();  // show the field again: another record, or the field's value changed
    void updateData();   // write the pending value into the field now
    void stateChanged(); // browse / edit / insert / inactive, or another data set

private:
    void reconnect();

    QPointer<store::DataSource> source_;
    QString fieldName_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace kv::controls
