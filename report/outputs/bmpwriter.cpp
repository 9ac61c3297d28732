// Our BMP writer: the header, then each block of rows at its place counted from the bottom.
#include "bmpwriter.h"

#include <QtEndian>
#include <cstring>

namespace kv::report {

namespace {
void put16(char* at, quint16 v) {
    qToLittleEndian(v, at);
}
void put32(char* at, quint32 v) {
    qToLittleEndian(v, at);
}
} // namespace

void BmpWriter::fail(const QString& what) const {
    throw ImageWriteError(QStringLiteral("%1 \"%2\": %3").arg(what, file_.fileName(), file_.errorString()));
}

void BmpWriter::begin(const QString& path, QSize size) {
    size_ = size;
    nextRow_ = 0;
    const qint64 pixels = rowBytes(size.width()) * size.height();
    // The header holds sizes in 32 bits: a taller picture cannot be a BMP file.
    if (size.isEmpty() || kHeaderSize + pixels > qint64(0xFFFFFFFF))
        throw ImageWriteError(QStringLiteral("Obrázek %1 x %2 bodů je pro formát BMP příliš velký.")
                                  .arg(size.width())
                                  .arg(size.height()));
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Soubor nelze vytvořit"));
    char header[kHeaderSize] = {};
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, quint32(kHeaderSize + pixels));
    put32(header + 10, quint32(kHeaderSize));
    put32(header + 14, 40);
    put32(header + 18, quint32(size.width()));
    put32(header + 22, quint32(size.height()));
    put16(header + 26, 1);
    put16(header + 28, 16);
    put32(header + 30, 3);
    put32(header + 34, quint32(pixels));
    put32(header + 38, 3780);
    put32(header + 42, 3780);
    put32(header + 54, 0xF800);
    put32(header + 58, 0x07E0);
    put32(header + 62, 0x001F);
    if (file_.write(header, kHeaderSize) != kHeaderSize)
        fail(QStringLiteral("Do souboru nelze zapisovat"));
}

void BmpWriter::write(const QImage& rows) {
    const int count = std::min(rows.height(), size_.height() - nextRow_);
    if (count <= 0)
        return;
    const QImage rgb16 =
        rows.format() == QImage::Format_RGB16 ? rows : rows.convertToFormat(QImage::Format_RGB16);
    const qint64 stride = rowBytes(size_.width());
    // Rows nextRow_ .. nextRow_ + count - 1 lie bottom up in one stretch of the file: the last of
    // them comes first.
    block_.resize(stride * count);
    block_.fill(0);
    const qsizetype lineBytes = qsizetype(size_.width()) * 2;
    for (int i = 0; i < count; ++i) {
        char* to = block_.data() + stride * (count - 1 - i);
        const uchar* from = rgb16.constScanLine(i);
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            std::memcpy(to, from, std::size_t(lineBytes));
        } else {
            for (int x = 0; x < size_.width(); ++x)
                put16(to + 2 * x, reinterpret_cast<const quint16*>(from)[x]);
        }
    }
    const qint64 firstStored = size_.height() - (nextRow_ + count);
    if (!file_.seek(kHeaderSize + firstStored * stride) || file_.write(block_) != block_.size())
        fail(QStringLiteral("Do souboru nelze zapisovat"));
    nextRow_ += count;
}

void BmpWriter::finish() {
    // Rows never written stay black rather than leaving the file short.
    if (!file_.resize(kHeaderSize + rowBytes(size_.width()) * size_.height()) || !file_.flush())
        fail(QStringLiteral("Do souboru nelze zapisovat"));
    file_.close();
}

} // namespace kv::report
