// TDBEdit: a single-line edit bound to one field. It shows the field's display text, starts editing
// the record when the user types, and writes its text into the field when the table posts.
#pragma once

#include "fieldlink.h"
#include "tedit.h"

namespace kv::controls {

class TDBEdit : public TEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    const QString& dataField() const { return link_.fieldName(); }
    void setDataField(const QString& name) { link_.setFieldName(name); }
    store::Field* field() const { return link_.field(); }

    // The length limit set on the control, 0 when unlimited. The limit in force is this, or for a
    // string field with no limit set, the field's size. It limits typing; a longer stored value is
    // shown and written back whole.
    int maxLengthSetting() const { return maxLength_; }
    void setMaxLengthSetting(int chars);
    int effectiveMaxLength() const;

    bool isReadOnlySetting() const { return readOnly_; }
    void setReadOnlySetting(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showField();
    void writeField();
    void applyLimits();

    FieldLink link_;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

} // namespace kv::controls
