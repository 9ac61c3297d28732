// TProDBLabelEdit: the labelled edit whose edit box is bound to a table field through a data
// source. With no length set, a string field's size is the length limit the fill bar measures.
#pragma once

#include "prolabeledit.h"
#include "tdbedit.h"

namespace kv::controls {

class TProDBLabelEdit : public TProLabelEdit {
    Q_OBJECT
public:
    explicit TProDBLabelEdit(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return dbEdit_->dataSource(); }
    void setDataSource(store::DataSource* source) { dbEdit_->setDataSource(source); }
    const QString& dataField() const { return dbEdit_->dataField(); }
    void setDataField(const QString& name) { dbEdit_->setDataField(name); }
    store::Field* field() const { return dbEdit_->field(); }

    // The limit in force: as set, or for 0 and a string field, the field's size.
    int maxLength() const override { return dbEdit_->effectiveMaxLength(); }
    // Also sets the fill bar's maximum at once.
    void setMaxLength(int chars) override;
    void setReadOnly(bool on) override { dbEdit_->setReadOnlySetting(on); }

    TDBEdit* dbEdit() const { return dbEdit_; }

private:
    TDBEdit* dbEdit_;
};

} // namespace kv::controls
