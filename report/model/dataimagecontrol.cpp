// Reading the picture of a data image.
#include "dataimagecontrol.h"

#include "data/store/field.h"
#include "data/store/graphicblob.h"

namespace kv::report {

QImage DataImageControl::picture() const {
    kv::store::Field* f = link.field();
    if (!f || f->isNull())
        return {};
    const QByteArray bmp = kv::store::unwrapBitmap(f->asBytes());
    if (bmp.isEmpty())
        return {};
    return QImage::fromData(bmp, "BMP");
}

} // namespace kv::report
