// Wrapping a BMP file into the stored picture form and unwrapping it again.
#include "graphicblob.h"

#include <QtEndian>

namespace kv::store {

QByteArray wrapBitmap(const QByteArray& bmpFile) {
    QByteArray out(8, '\0');
    qToLittleEndian<quint16>(1, out.data());
    qToLittleEndian<quint16>(0x0100, out.data() + 2);
    qToLittleEndian<quint32>(quint32(bmpFile.size()), out.data() + 4);
    return out + bmpFile;
}

QByteArray unwrapBitmap(const QByteArray& stored) {
    if (stored.size() < 8)
        return {};
    const auto* p = reinterpret_cast<const uchar*>(stored.constData());
    if (qFromLittleEndian<quint16>(p) != 1 || qFromLittleEndian<quint16>(p + 2) != 0x0100)
        return {};
    const quint32 size = qFromLittleEndian<quint32>(p + 4);
    if (size > quint32(stored.size() - 8))
        return {};
    QByteArray bmp = stored.mid(8, qsizetype(size));
    return bmp.startsWith("BM") ? bmp : QByteArray();
}

} // namespace kv::store
