// Image export: page names, the 16-bit page pixels, and streaming pages to the writers.
#include "imageexport.h"

#include "pageahead.h"
#include "report/pages/pagepainter.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

namespace {
// Per channel of 0xffRRGGBB: keep the top 5 (6 for green) bits and repeat the top 3 (2) of them
// below, as widening a 16-bit colour does.
inline QRgb reduced(QRgb c) {
    return 0xFF000000u | (c & 0xF8FCF8u) | ((c >> 5) & 0x070007u) | ((c >> 6) & 0x000300u);
}
} // namespace

void reduceTo16Bits(QImage& image) {
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        auto* px = reinterpret_cast<QRgb*>(image.scanLine(y));
        int x = 0;
#ifdef __SSE2__
        // Four pixels at a time: the export reduces every pixel of every page.
        const __m128i keep = _mm_set1_epi32(0xF8FCF8);
        const __m128i redBlue = _mm_set1_epi32(0x070007);
        const __m128i green = _mm_set1_epi32(0x000300);
        const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
        for (; x + 4 <= width; x += 4) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + x));
            __m128i r = _mm_or_si128(alpha, _mm_and_si128(c, keep));
            r = _mm_or_si128(r, _mm_and_si128(_mm_srli_epi32(c, 5), redBlue));
            r = _mm_or_si128(r, _mm_and_si128(_mm_srli_epi32(c, 6), green));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(px + x), r);
        }
#endif
        for (; x < width; ++x)
            px[x] = reduced(px[x]);
    }
}

QImage pageImage16(const ReportPage& page) {
    // The page is drawn as on screen, in full colour, and then reduced: text edges come out as the
    // preview shows them rather than blended in 16 bits.
    QImage full(page.size(), QImage::Format_RGB32);
    // Pages begin by filling themselves white; one that does not starts on white paper.
    const auto& ops = page.ops();
    if (ops.empty() || ops.front().kind != PageOpKind::FillRect ||
        ops.front().rect() != QRect(QPoint(), page.size()))
        full.fill(Qt::white);
    {
        QPainter painter(&full);
        paintPage(page, painter, QRectF(QPointF(0, 0), page.size()));
    }
    reduceTo16Bits(full);
    return full;
}

namespace {

// One file of `count` pages stacked, the rows of each taken from `nextPage`, written by a writer of
// `kind`. A failed file is removed.
void writePicture(const std::function<QImage()>& nextPage, int first, int count, QSize page,
                  const QString& path, ImageKind kind, const ImageExportSteps& steps) {
    std::unique_ptr<ImageWriter> writer = steps.makeWriter(kind);
    try {
        writer->begin(path, QSize(page.width(), page.height() * count));
        for (int i = 0; i < count; ++i) {
            const QImage rows = nextPage();
            if (steps.onPage)
                steps.onPage(first + i);
            writer->write(rows);
        }
        writer->finish();
    } catch (...) {
        writer.reset();
        QFile::remove(path);
        throw;
    }
}

QImage::Format rowFormatOf(ImageKind kind, const ImageExportSteps& steps) {
    return steps.makeWriter(kind)->rowFormat();
}

// Says that the JPEG failed; false when the failure was not a JPEG's.
bool jpegFailed(ImageKind kind, const JpegWriteError& e, const ImageExportSteps& steps) {
    if (kind != ImageKind::Jpeg)
        return false;
    if (steps.onJpegFallback)
        steps.onJpegFallback(e.message());
    return true;
}

} // namespace

void exportImages(const PageList& pages, const QString& fileName, bool singleImage,
                  const ImageExportSteps& steps) {
    const ImageKind kind = imageKindOf(fileName);
    const int count = pages.count();
    if (kind == ImageKind::None || count == 0) {
        for (int p = 1; p <= count; ++p) {
            if (steps.onPage)
                steps.onPage(p);
        }
        return;
    }
    const QSize page = pages.at(0).size();
    if (singleImage) {
        bool fallBack = false;
        {
            PageAhead ahead(pages, 1, count, rowFormatOf(kind, steps));
            try {
                writePicture([&] { return ahead.next(); }, 1, count, page, fileName, kind, steps);
            } catch (const JpegWriteError& e) {
                if (!jpegFailed(kind, e, steps))
                    throw;
                fallBack = true;
            }
        }
        // The pages went by; a PNG in the JPEG's place draws them again.
        if (fallBack) {
            PageAhead again(pages, 1, count, rowFormatOf(ImageKind::Png, steps));
            writePicture([&] { return again.next(); }, 1, count, page,
                         withExtension(fileName, QStringLiteral(".png")), ImageKind::Png, steps);
        }
        return;
    }
    PageAhead ahead(pages, 1, count, rowFormatOf(kind, steps));
    for (int p = 1; p <= count; ++p) {
        const QImage rows = ahead.next();
        const auto thisPage = [&rows] { return rows; };
        const QString path = pageImageName(fileName, p);
        try {
            writePicture(thisPage, p, 1, page, path, kind, steps);
        } catch (const JpegWriteError& e) {
            if (!jpegFailed(kind, e, steps))
                throw;
            writePicture(thisPage, p, 1, page, withExtension(path, QStringLiteral(".png")), ImageKind::Png,
                         steps);
        }
    }
}

} // namespace kv::report
