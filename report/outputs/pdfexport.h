// Recorded pages as a PDF document: each page replayed through the page painter into Qt's PDF
// writer, so texts stay texts in embedded font subsets, lines and frames stay vectors and pictures
// keep their own pixels. The file is written through a save file: it is there whole or not at all.
// The writer holds one page at a time, so a document of any length needs the memory of a page.
#pragma once

#include "pdfinformation.h"
#include "report/model/reporterror.h"
#include "report/pages/pagelist.h"

#include <QSizeF>
#include <functional>

namespace kv::report {

class PdfWriteError : public ReportError {
public:
    using ReportError::ReportError;
};

// Writes `pages` as `fileName`, each on paper of `paperMm` (width and height as oriented, in
// millimetres) that the page fills, with `info` as the document information. `onPage` hears of
// each page (from 1) before it is drawn. Throws PdfWriteError naming the file and the reason; no
// file is left behind then, and a file that was there before stays as it was.
void exportPdf(const PageList& pages, const QString& fileName, QSizeF paperMm, const PdfInformation& info,
               const std::function<void(int page)>& onPage = {});

} // namespace kv::report
