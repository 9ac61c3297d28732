// The page model of paged output: where the next band goes on the current page, and when a band
// breaks to the next column or page. Plain arithmetic in report pixels, no drawing, so that every
// page-breaking decision can be tested on its own.
#pragma once

namespace kv::report {

class Report;

// The fixed measures of a report's pages, pixels. Margin sums are converted as sums (Trunc of the
// millimetre sum), which can differ by a pixel from the sum of the converted margins.
struct PageFrame {
    int width = 793;      // W, the report surface
    int height = 1121;    // H
    int left = 0;         // left margin
    int top = 0;          // top margin
    int bottom = 0;       // bottom margin
    int topAndBottom = 0; // top + bottom margins
    int leftAndRight = 0; // left + right margins
    int columns = 1;
    int columnSpace = 0;

    static PageFrame of(const Report& report);
};

class PageModel {
public:
    PageModel() = default;
    PageModel(const PageFrame& frame, int headersHeight, int footersHeight);

    const PageFrame& frame() const { return frame_; }
    int headersHeight() const { return headersHeight_; }
    int footersHeight() const { return footersHeight_; }

    int x = 0;
    int y = 0;
    int column = 0;

    // A fresh page: first column; the origin goes to the page footers, then to the page headers.
    void startPage() { column = 0; }
    // Page footers start at H - footers height - (top + bottom margins): the top margin is
    // subtracted too, so the footers sit that much above the bottom margin.
    void toFooters();
    void toHeaders();

    // Whether a band that is about to start must go to the next column or page: a body band
    // starts only while it ends above the page footers and the bottom margin.
    bool breaksAtStart(int bandHeight, bool pageFooter) const;
    // Whether a band of this height runs past the bottom margin where it stands.
    bool breaksAtCheck(int bandHeight) const;
    // Moves to the top of the next column (right of this one by a band width and the column
    // space, below the page headers) and returns true, or returns false when the page is full.
    bool nextColumn(int bandWidth);
    void advance(int bandHeight) { y += bandHeight; }

private:
    PageFrame frame_;
    int headersHeight_ = 0;
    int footersHeight_ = 0;
};

} // namespace kv::report
