// TDBText: a label that shows the display text of one field of the current record and follows the
// cursor. It never writes. A screen reader hears its caption with the value shown now.
#pragma once

#include "fieldlink.h"

#include <QLabel>

namespace kv::controls {

class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    const QString& dataField() const { return link_.fieldName(); }
    void setDataField(const QString& name) { link_.setFieldName(name); }
    store::Field* field() const { return link_.field(); }
    // What the value is ("Poslední číslo objednávky"): the accessible name is the caption and the
    // value shown, kept current as the value changes.
    void setCaption(const QString& caption);

private:
    void showField();

    FieldLink link_;
    QString caption_;
};

} // namespace kv::controls
