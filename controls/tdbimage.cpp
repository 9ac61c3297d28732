// Reading, showing and writing the bitmap of a Graphic field.
#include "tdbimage.h"

#include "data/store/graphicblob.h"

#include <QBuffer>
#include <QPainter>

namespace kv::controls {

QByteArray storedPicture(const QImage& picture) {
    if (picture.isNull())
        return {};
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    // A bitmap has no alpha channel to keep; 24-bit colour is what every reader takes.
    picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return store::wrapBitmap(bmp);
}

QImage pictureFromStored(const QByteArray& stored) {
    const QByteArray bmp = store::unwrapBitmap(stored);
    if (bmp.isEmpty())
        return {};
    return QImage::fromData(bmp, "BMP");
}

TDBImage::TDBImage(QWidget* parent)
    : QWidget(parent) {
    connect(&link_, &FieldLink::dataChanged, this, &TDBImage::showField);
    connect(&link_, &FieldLink::updateData, this, &TDBImage::writeField);
}

void TDBImage::setPicture(const QImage& picture) {
    if (!link_.editing())
        link_.edit();
    picture_ = picture;
    modified_ = true;
    update();
}

void TDBImage::setStretch(bool on) {
    stretch_ = on;
    update();
}

void TDBImage::showField() {
    if (writing_)
        return;
    const store::Field* f = link_.field();
    picture_ = f ? pictureFromStored(f->asBytes()) : QImage();
    modified_ = false;
    update();
}

void TDBImage::writeField() {
    store::Field* f = link_.field();
    if (!f || !modified_)
        return;
    writing_ = true;
    try {
        if (picture_.isNull())
            f->clear();
        else
            f->setAsBytes(storedPicture(picture_));
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    modified_ = false;
}

void TDBImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_)
        p.drawImage(rect(), picture_);
    else
        p.drawImage(QPoint(0, 0), picture_);
}

} // namespace kv::controls
