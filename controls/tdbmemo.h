// TDBMemo: a multi-line text bound to one field (a memo or string field). It shows the field of the
// current record, starts editing the record when the user types, and writes its text into the field
// when the table posts (which a cursor move does first). Escape drops the record's changes.
#pragma once

#include "fieldlink.h"

#include <QPlainTextEdit>

namespace kv::controls {

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    const QString& dataField() const { return link_.fieldName(); }
    void setDataField(const QString& name) { link_.setFieldName(name); }
    store::Field* field() const { return link_.field(); }

    // Read-only as set by the window; without a field the memo is read-only anyway.
    bool isReadOnlySetting() const { return readOnly_; }
    void setReadOnlySetting(bool on);

    // Stored text uses CR LF between lines; the memo shows plain line breaks.
    static QString toShown(const QString& stored);
    static QString toStored(const QString& shown);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showField();
    void writeField();
    void applyReadOnly();
    bool startEditing();

    FieldLink link_;
    bool readOnly_ = false;
    bool writing_ = false;
};

} // namespace kv::controls
