// Image export: page names, the 16-bit page pixels, and streaming pages to the writers.
#include "imageexport.h"

#include "pagepainter.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace kv::report {

QString pageImageName(const QString& fileName, int page) {
    const QFileInfo info(fileName);
    const QString ext = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix().toLower();
    return withExtension(fileName, QString()) + QStringLiteral("_%1").arg(page, 5, 10, QLatin1Char('0')) +
           ext;
}

QString withExtension(const QString& fileName, const QString& extension) {
    const QFileInfo info(fileName);
    QString base = fileName;
    if (!info.suffix().isEmpty())
        base.chop(info.suffix().size() + 1);
    return base + extension;
}

QImage pageImage16(const ReportPage& page) {
    // The page is drawn as on screen, in full colour, and then reduced: text edges come out as the
    // preview shows them rather than blended in 16 bits.
    QImage full(page.size(), QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        paintPage(page, painter, QRectF(QPointF(0, 0), page.size()));
    }
    return full.convertToFormat(QImage::Format_RGB16);
}

namespace {

// One file of `pages` first..last stacked, written by a writer of `kind`.
void writePicture(const TTurboPageList& pages, int first, int last, const QString& path, ImageKind kind,
                  const ImageExportSteps& steps) {
    const QSize page = pages.At(first - 1).size();
    std::unique_ptr<ImageWriter> writer = steps.makeWriter(kind);
    try {
        writer->begin(path, QSize(page.width(), page.height() * (last - first + 1)));
        for (int p = first; p <= last; ++p) {
            if (steps.onPage)
                steps.onPage(p);
            writer->write(pageImage16(pages.At(p - 1)));
        }
        writer->finish();
    } catch (...) {
        writer.reset();
        QFile::remove(path);
        throw;
    }
}

// The picture as asked, or as PNG when the JPEG fails.
void writeWithFallback(const TTurboPageList& pages, int first, int last, const QString& path, ImageKind kind,
                       const ImageExportSteps& steps) {
    try {
        writePicture(pages, first, last, path, kind, steps);
    } catch (const JpegWriteError& e) {
        if (kind != ImageKind::Jpeg)
            throw;
        if (steps.onJpegFallback)
            steps.onJpegFallback(e.message());
        writePicture(pages, first, last, withExtension(path, QStringLiteral(".png")), ImageKind::Png, steps);
    }
}

} // namespace

void exportImages(const TTurboPageList& pages, const QString& fileName, bool singleImage,
                  const ImageExportSteps& steps) {
    const ImageKind kind = imageKindOf(fileName);
    const int count = pages.Count();
    if (kind == ImageKind::None || count == 0) {
        for (int p = 1; p <= count; ++p) {
            if (steps.onPage)
                steps.onPage(p);
        }
        return;
    }
    if (singleImage) {
        writeWithFallback(pages, 1, count, fileName, kind, steps);
        return;
    }
    for (int p = 1; p <= count; ++p)
        writeWithFallback(pages, p, p, pageImageName(fileName, p), kind, steps);
}

} // namespace kv::report
