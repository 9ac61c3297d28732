// The kind of an image file and the writer for it.
#include "imagewriter.h"

#include "bmpwriter.h"
#include "jpegwriter.h"
#include "pngwriter.h"

#include <QFileInfo>

namespace kv::report {

ImageKind imageKindOf(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return ImageKind::Bmp;
    if (ext == QLatin1String("jpg"))
        return ImageKind::Jpeg;
    if (ext == QLatin1String("png"))
        return ImageKind::Png;
    return ImageKind::None;
}

std::unique_ptr<ImageWriter> makeImageWriter(ImageKind kind) {
    switch (kind) {
    case ImageKind::Bmp:
        return std::make_unique<BmpWriter>();
    case ImageKind::Jpeg:
        return std::make_unique<JpegWriter>(100);
    case ImageKind::Png:
        return std::make_unique<PngWriter>(9);
    case ImageKind::None:
        break;
    }
    return nullptr;
}

} // namespace kv::report
