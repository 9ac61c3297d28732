// TDBCheckBox: a check box bound to one Boolean field. It shows the field of the current record;
// a click starts editing the record and writes the new state into the field at once.
#pragma once

#include "fieldlink.h"

#include <QCheckBox>

namespace kv::controls {

class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    const QString& dataField() const { return link_.fieldName(); }
    void setDataField(const QString& name) { link_.setFieldName(name); }
    store::Field* field() const { return link_.field(); }

    // A read-only box ignores clicks and keys but still follows the record.
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on) { readOnly_ = on; }

protected:
    void nextCheckState() override;

private:
    void showField();

    FieldLink link_;
    bool readOnly_ = false;
};

} // namespace kv::controls
