// Image files written row by row, so that a picture of any height needs the memory of a few rows:
// PNG through libpng, JPEG through libjpeg, BMP by our own writer. The kind of a file follows its
// lower-cased extension.
#pragma once

#include "report/model/reporterror.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace kv::report {

enum class ImageKind { None, Bmp, Jpeg, Png };

// ".bmp", ".jpg" or ".png" in any case; anything else is None.
ImageKind imageKindOf(const QString& fileName);

// A writer that failed; the text says why (the library's or the system's own words).
class ImageWriteError : public ReportError {
public:
    using ReportError::ReportError;
};
// A JPEG step that failed: the export falls back to PNG for that picture.
class JpegWriteError : public ImageWriteError {
public:
    using ImageWriteError::ImageWriteError;
};

class ImageWriter {
public:
    virtual ~ImageWriter() = default;
    // Creates `path` for a picture of `size` pixels. Throws ImageWriteError.
    virtual void begin(const QString& path, QSize size) = 0;
    // The next rows of the picture, top to bottom: an image of the picture's width in any format
    // (the image export hands rows of 16-bit colours; BMP files keep them in 16 bits, PNG and JPEG
    // files in 8 bits a colour). Throws ImageWriteError.
    virtual void write(const QImage& rows) = 0;
    // Completes and closes the file once all rows are written. Throws ImageWriteError.
    virtual void finish() = 0;
    // The form the writer takes its rows in without converting them (rows in another form are
    // converted first).
    virtual QImage::Format rowFormat() const = 0;
};

// A writer for `kind` (PNG at zlib level 9, JPEG at quality 100, BMP of 16 bits a pixel); null for None.
std::unique_ptr<ImageWriter> makeImageWriter(ImageKind kind);

} // namespace kv::report
