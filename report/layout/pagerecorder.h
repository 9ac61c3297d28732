// Paged output: the generator that lays bands out page by page and records each page as a list of
// drawing operations. The preview, printing and image export replay these pages.
#pragma once

#include "pagemodel.h"
#include "report/pages/pagelist.h"
#include "reportgenerator.h"

#include <QRect>

namespace kv::report {

class PageRecorder : public ReportGenerator {
public:
    PageRecorder();
    ~PageRecorder() override;

    // Pages made by the last Execute (those finished so far when it failed).
    int pageCount() const { return pages_.count(); }
    // Page `n`, counted from 1.
    const ReportPage& page(int n) const { return pages_.at(n - 1); }
    PageList& pages() { return pages_; }
    // The page being drawn, from 1.
    int pageNumber() const { return pageNumber_; }
    const PageModel& model() const { return model_; }

    void generateLabel(Band& band, LabelBase& label) override;
    void generateImage(Band& band, ImageControl& image) override;
    void generateDataImage(Band& band, DataImageControl& image) override;
    void generateShape(Band& band, ShapeControl& shape) override;
    void generateMemo(Band& band, MemoBase& memo) override;
    void checkBand(Band& band) override;
    void advanceBand(Band& band) override;
    void bandBackground(Band& band) override;
    void newPage() override;
    void beginReport() override;
    void endReport() override;
    void startBand(Band& band) override;

private:
    // Next column, or a new page when the columns are used up.
    void breakBand(Band& band);
    // Page headers and footers of a fresh page never break: a layout whose page bands do not fit
    // would otherwise start new pages without end.
    bool canBreak() const { return !inPageBands_; }
    QRect controlRect(const QRect& bounds) const { return bounds.translated(model_.x, model_.y); }
    void drawPicture(const QImage& picture, bool stretch, const QRect& bounds);
    ReportPage& page() { return *current_; }

    PageList pages_;
    PageModel model_;
    int pageNumber_ = 0;
    ReportPage* current_ = nullptr;
    bool inPageBands_ = false;
};

} // namespace kv::report
