// Windows BMP files of 16 bits a pixel (RGB 5-6-5), written by our own code. Rows are stored bottom
// up, as every reader accepts; the writer places each block of rows where it belongs in the file.
//
//   offset  size  field (little-endian)
//   0       2     "BM"
//   2       4     file size in bytes
//   6       4     reserved, 0
//   10      4     offset of the pixel rows: 66
//   14      4     header size: 40 (BITMAPINFOHEADER)
//   18      4     width in pixels
//   22      4     height in pixels, positive: the last row of the picture comes first
//   26      2     planes: 1
//   28      2     bits a pixel: 16
//   30      4     compression: 3 (BI_BITFIELDS, the three masks follow the header)
//   34      4     size of the pixel rows in bytes
//   38      4     horizontal resolution, pixels a metre: 3780 (96 dpi)
//   42      4     vertical resolution: 3780
//   46      4     colours used: 0
//   50      4     important colours: 0
//   54      12    masks of red, green, blue: F800, 07E0, 001F
//   66            rows of width x 2 bytes, each padded to a multiple of 4 bytes
#pragma once

#include "imagewriter.h"

#include <QFile>

namespace kv::report {

class BmpWriter : public ImageWriter {
public:
    void begin(const QString& path, QSize size) override;
    void write(const QImage& rows) override;
    void finish() override;
    QImage::Format rowFormat() const override { return QImage::Format_RGB16; }

    static constexpr qint64 kHeaderSize = 66;
    // Bytes of one stored row of `width` pixels.
    static qint64 rowBytes(int width) { return (qint64(width) * 2 + 3) / 4 * 4; }

private:
    [[noreturn]] void fail(const QString& what) const;

    QFile file_;
    QSize size_;
    int nextRow_ = 0;
    QByteArray block_;
};

} // namespace kv::report
