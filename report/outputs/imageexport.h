// Recorded pages as image files: all pages stacked into one tall picture, or one file per page.
// Pages are replayed one at a time into a page-sized buffer, reduced to 16 bits a pixel and handed
// to the writer row by row, so one picture of any number of pages needs the memory of one page.
#pragma once

#include "imagewriter.h"
#include "report/pages/pagelist.h"

#include <functional>

namespace kv::report {

// "dir/Report.PNG", page 2 -> "dir/Report_00002.png": the name without its extension, "_", the
// page number of at least five digits and the extension in lower case.
QString pageImageName(const QString& fileName, int page);
// `fileName` with its extension (if any) replaced by `extension` (".png").
QString withExtension(const QString& fileName, const QString& extension);

// Page `page` as the preview shows it at 100 %, reduced to 16 bits a pixel: the pixels every
// image export writes. The image is of 32 bits a pixel (QImage::Format_RGB32) that hold only the 16-bit
// colours, widened back as readers of 16-bit pictures widen them.
QImage pageImage16(const ReportPage& page);
// Reduces every pixel of `image` (Format_RGB32) to 5 bits of red, 6 of green and 5 of blue, each
// widened back to 8 by repeating its top bits: what a trip through QImage::Format_RGB16 gives.
void reduceTo16Bits(QImage& image);

struct ImageExportSteps {
    // Before page `page` (from 1) is replayed; also while a file of an unknown kind is skipped.
    std::function<void(int page)> onPage;
    // A JPEG picture failed and is written again as PNG under the same name with ".png".
    std::function<void(const QString& reason)> onJpegFallback;
    // Makes the writer for a kind; the program's own writers unless a test gives others.
    std::function<std::unique_ptr<ImageWriter>(ImageKind)> makeWriter = makeImageWriter;
};

// Writes `pages` under `fileName` (single picture) or under the per-page names, the kind chosen by
// the lower-cased extension; an unknown extension writes nothing. A failing JPEG is written as PNG
// instead, and the export goes on. Any other failure throws ImageWriteError (or what the writer
// threw); the files written before it stay, the one being written is removed.
void exportImages(const PageList& pages, const QString& fileName, bool singleImage,
                  const ImageExportSteps& steps);

} // namespace kv::report
