// The stored form of a picture in a Graphic field: an 8-byte header, then a Windows BMP file.
//
//   offset  size  content
//   0       2     count, little-endian, always 1
//   2       2     type, little-endian, always 0x0100
//   4       4     byte size of the image that follows, little-endian
//   8       n     the BMP file exactly as written, starting with "BM"
#pragma once

#include <QByteArray>

namespace kv::store {

QByteArray wrapBitmap(const QByteArray& bmpFile);
// The BMP file inside a stored value; empty when the value is empty or not of this form.
QByteArray unwrapBitmap(const QByteArray& stored);

} // namespace kv::store
