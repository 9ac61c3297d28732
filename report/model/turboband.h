// A band: a horizontal strip of a report that holds controls and is output once, per record or
// per page as its type says. Its height is the space it takes on the page; its left edge and
// width follow the report's margins and columns.
#pragma once

#include "data/store/datasource.h"

#include "reportcontrol.h"
#include "reporttypes.h"
#include "turboframe.h"

#include <QBrush>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace kv::report {

class TZirezIduzoz;

class TTurboBand : public QObject {
    Q_OBJECT
public:
    // A band on `report` (which takes ownership and places it last) or a free one (null).
    explicit TTurboBand(TZirezIduzoz* report = nullptr, TTurboBandType type = rbDetail);
    ~TTurboBand() override;

    virtual bool IsGridBand() const { return false; }

    TZirezIduzoz* Report() const;

    TTurboBandType BandType() const { return bandType_; }
    void SetBandType(TTurboBandType type);
    // The own data set of a sub-detail or summary band; cleared when the data source goes away.
    kv::store::DataSource* DataSource() const { return dataSource_; }
    void SetDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }
    // Bands generated right after and right before this one; cleared when they go away.
    TTurboBand* FooterBand() const { return footerBand_; }
    void SetFooterBand(TTurboBand* band) { footerBand_ = band; }
    TTurboBand* HeaderBand() const { return headerBand_; }
    void SetHeaderBand(TTurboBand* band) { headerBand_ = band; }
    TTurboFrame& Frame() { return frame_; }
    const TTurboFrame& Frame() const { return frame_; }
    // Background of the band's area on the page; white by default.
    const QBrush& Brush() const { return brush_; }
    void SetBrush(const QBrush& brush);

    // Geometry on the report surface, pixels. Height is set by the definition; the rest by layout.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetHeight(int height);
    // Called by the layout of the bands only.
    void SetPlacement(int left, int top, int width);

    // Controls in the order they were created. The band owns them.
    const std::vector<std::unique_ptr<TReportControl>>& Controls() const { return controls_; }
    template <class T> T& AddControl(std::unique_ptr<T> control) {
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    TReportControl* FindControl(const QString& name) const;

Q_SIGNALS:
    // Generation events; `fast` is always false.
    void BeforeGenerate(kv::report::TTurboBand* band, bool fast);
    void AfterGenerate(kv::report::TTurboBand* band, bool fast);
    // Just before `item` is output.
    void OnGenerate(kv::report::TTurboBand* band, kv::report::TReportControl* item, bool fast);
    // The frame or brush changed: the band looks different.
    void Changed();

private:
    void relayout();

    TTurboBandType bandType_;
    QPointer<kv::store::DataSource> dataSource_;
    QPointer<TTurboBand> footerBand_;
    QPointer<TTurboBand> headerBand_;
    TTurboFrame frame_;
    QBrush brush_{Qt::white, Qt::SolidPattern};
    int left_ = 0;
    int top_ = 0;
    int width_ = 150;
    int height_ = 40;
    std::vector<std::unique_ptr<TReportControl>> controls_;
};

} // namespace kv::report
