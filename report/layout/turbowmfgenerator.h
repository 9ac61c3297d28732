// Paged output: the generator that lays bands out page by page and records each page as a list of
// drawing operations. The preview, printing and image export replay these pages.
#pragma once

#include "pagemodel.h"
#include "report/pages/turbopagelist.h"
#include "zireziduzozgenerator.h"

#include <QRect>

namespace kv::report {

class TTurboWMFGenerator : public TZirezIduzozGenerator {
public:
    TTurboWMFGenerator();
    ~TTurboWMFGenerator() override;

    // Pages made by the last Execute (those finished so far when it failed).
    int PageCount() const { return pages_.Count(); }
    // Page `n`, counted from 1.
    const ReportPage& Page(int n) const { return pages_.At(n - 1); }
    TTurboPageList& Pages() { return pages_; }
    // The page being drawn, from 1.
    int PageNumber() const { return pageNumber_; }
    const PageModel& Model() const { return model_; }

    void GenerateLabel(TTurboBand& band, TCustomLabel& label) override;
    void GenerateImage(TTurboBand& band, TImage& image) override;
    void GenerateDBImage(TTurboBand& band, TDBImage& image) override;
    void GenerateShape(TTurboBand& band, TShape& shape) override;
    void GenerateMemo(TTurboBand& band, TCustomMemo& memo) override;
    void CheckBand(TTurboBand& band) override;
    void AdvanceBand(TTurboBand& band) override;
    void BandBackground(TTurboBand& band) override;
    void NewPage() override;
    void BeginReport() override;
    void EndReport() override;
    void StartBand(TTurboBand& band) override;

private:
    // Next column, or a new page when the columns are used up.
    void breakBand(TTurboBand& band);
    // Page headers and footers of a fresh page never break: a layout whose page bands do not fit
    // would otherwise start new pages without end.
    bool canBreak() const { return !inPageBands_; }
    QRect controlRect(const QRect& bounds) const { return bounds.translated(model_.x, model_.y); }
    void drawPicture(const QImage& picture, bool stretch, const QRect& bounds);
    ReportPage& page() { return *current_; }

    TTurboPageList pages_;
    PageModel model_;
    int pageNumber_ = 0;
    ReportPage* current_ = nullptr;
    bool inPageBands_ = false;
};

} // namespace kv::report
