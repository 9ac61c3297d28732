// Text output: the report laid out on a grid of characters. Each band takes its rows from the
// current position, each text control is a padded field on the row of its top and at the character
// column of its left edge, each memo one row per line from its own row down. Pages have
// ColHeight + 1 lines, the last row of a page being the first of the next. Used for text files and
// for the fast print mode.
#pragma once

#include "encodedlines.h"
#include "report/layout/reportgenerator.h"

#include <QSize>
#include <QStringList>
#include <utility>

namespace kv::report {

class TextOutput : public ReportGenerator {
public:
    // The pixels of one character cell; 8 x 20 until set from a report (see cellSizeOf).
    void setCellSize(QSize cell) { cell_ = cell; }
    QSize cellSize() const { return cell_; }
    // The document, one string per text line (empty when streamed).
    QStringList lines() const { return done_.lines() + lines_; }
    // Writes the document to `device` (Windows-1250, CR LF) as its pages are finished, keeping only
    // the last pages; Flush() after Execute() sends the rest and tells whether every write went through.
    void streamTo(QIODevice* device) { done_.streamTo(device); }
    bool flush();
    int pageCount() const { return pageCount_; }

    void beginReport() override;
    void newPage() override;
    void generateLabel(Band& band, LabelBase& label) override;
    void generateMemo(Band& band, MemoBase& memo) override;
    void advanceBand(Band& band) override;

    // The cell of a report's text output: report width div ColWidth by height div ColHeight.
    static QSize cellSizeOf(const Report& report);
    // A field of `width` characters: left-justified and right-justified texts padded or cut to
    // the width, a centred one padded to half the width (and cut to twice that half). At most 512
    // characters.
    static QString formatField(const QString& text, int width, TextAlignment alignment);
    // The lines the fast print mode sends for pages first..last (from 1) of a document of
    // `lineCount` lines: indices (first - 1) x (ColHeight + 1) to last x ColHeight, not beyond the
    // document's last line. An empty range has first > last.
    static std::pair<int, int> printedLines(int first, int last, int colHeight, int lineCount);

private:
    int rowsOf(int pixels) const { return pixels / cell_.height(); }
    // The row of `band` a control at `top` stands on, from 0; the band's last one at most.
    int rowIn(const Band& band, int top) const;
    int currentLine() const;
    // Writes `field` into line `index` at the 1-based column `column`.
    void put(int index, int column, const QString& field);
    // After a band or before a memo line: past the body of the page, go to the next column or page.
    void breakTest();
    bool pastBody() const;

    int lineCount() const { return int(firstKept_ + lines_.size()); }
    // Hands the lines of pages before the last three to done_: nothing is written there any more.
    void settleOldPages();

    QSize cell_{8, 20};
    EncodedLines done_;      // the first lines, finished
    QStringList lines_;      // the lines from firstKept_ on, still written to
    qsizetype firstKept_ = 0;
    int column_ = 0;
    int headerRows_ = 0;
    int footerRows_ = 0;
    int pageCount_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool inPageBands_ = false;
};

} // namespace kv::report
