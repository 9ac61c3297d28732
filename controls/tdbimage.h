// TDBImage: a picture bound to one Graphic field holding a bitmap in its stored form (an 8-byte
// header before a BMP file). It shows the picture of the current record at its natural size from
// the top-left corner, or stretched over the control; a picture the program assigns is written into
// the field, as a BMP, when the table posts.
#pragma once

#include "fieldlink.h"

#include <QImage>
#include <QWidget>

namespace kv::controls {

// A picture in the field's stored form; a null image gives an empty value.
QByteArray storedPicture(const QImage& picture);
// The picture held in a stored value; a null image when the value is empty or not a bitmap.
QImage pictureFromStored(const QByteArray& stored);

class TDBImage : public QWidget {
    Q_OBJECT
public:
    explicit TDBImage(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    const QString& dataField() const { return link_.fieldName(); }
    void setDataField(const QString& name) { link_.setFieldName(name); }
    store::Field* field() const { return link_.field(); }

    const QImage& picture() const { return picture_; }
    // Puts the record into edit state (store errors pass on, the picture stays) and holds the
    // picture until the table posts. A null image empties the field then.
    void setPicture(const QImage& picture);
    bool modified() const { return modified_; }

    bool stretch() const { return stretch_; }
    void setStretch(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showField();
    void writeField();

    FieldLink link_;
    QImage picture_;
    bool modified_ = false;
    bool stretch_ = false;
    bool writing_ = false;
};

} // namespace kv::controls
