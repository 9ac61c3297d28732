// A band: a horizontal strip of a report that holds controls and is output once, per record or
// per page as its type says. Its height is the space it takes on the page; its left edge and
// width follow the report's margins and columns.
#pragma once

#include "data/store/datasource.h"

#include "reportcontrol.h"
#include "reporttypes.h"
#include "bandframe.h"

#include <QBrush>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace kv::report {

class Report;

class Band : public QObject {
    Q_OBJECT
public:
    // A band on `report` (which takes ownership and places it last) or a free one (null).
    explicit Band(Report* report = nullptr, BandType type = rbDetail);
    ~Band() override;

    virtual bool isGridBand() const { return false; }

    Report* report() const;

    BandType bandType() const { return bandType_; }
    void setBandType(BandType type);
    // The own data set of a sub-detail or summary band; cleared when the data source goes away.
    kv::store::DataSource* dataSource() const { return dataSource_; }
    void setDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }
    // Bands generated right after and right before this one; cleared when they go away.
    Band* footerBand() const { return footerBand_; }
    void setFooterBand(Band* band) { footerBand_ = band; }
    Band* headerBand() const { return headerBand_; }
    void setHeaderBand(Band* band) { headerBand_ = band; }
    BandFrame& frame() { return frame_; }
    const BandFrame& frame() const { return frame_; }
    // Background of the band's area on the page; white by default.
    const QBrush& brush() const { return brush_; }
    void setBrush(const QBrush& brush);

    // Geometry on the report surface, pixels. Height is set by the definition; the rest by layout.
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setHeight(int height);
    // Called by the layout of the bands only.
    void setPlacement(int left, int top, int width);

    // Controls in the order they were created. The band owns them.
    const std::vector<std::unique_ptr<ReportControl>>& controls() const { return controls_; }
    template <class T> T& addControl(std::unique_ptr<T> control) {
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    ReportControl* findControl(const QString& name) const;

Q_SIGNALS:
    // Generation events; `fast` is always false.
    void beforeGenerate(kv::report::Band* band, bool fast);
    void afterGenerate(kv::report::Band* band, bool fast);
    // Just before `item` is output.
    void onGenerate(kv::report::Band* band, kv::report::ReportControl* item, bool fast);
    // The frame or brush changed: the band looks different.
    void changed();

private:
    void relayout();

    BandType bandType_;
    QPointer<kv::store::DataSource> dataSource_;
    QPointer<Band> footerBand_;
    QPointer<Band> headerBand_;
    BandFrame frame_;
    QBrush brush_{Qt::white, Qt::SolidPattern};
    int left_ = 0;
    int top_ = 0;
    int width_ = 150;
    int height_ = 40;
    std::vector<std::unique_ptr<ReportControl>> controls_;
};

} // namespace kv::report
