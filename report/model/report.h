// A report definition: the page-sized surface with its printer settings, margins and master data
// source, and the bands on it in the order of generation.
#pragma once

#include "data/store/datasource.h"

#include "report/pages/reportmetrics.h"
#include "pagemargins.h"
#include "printersettings.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <vector>

namespace kv::report {

class Band;

class Report : public QObject {
    Q_OBJECT
public:
    // A report laid out for the primary screen's resolution, measuring text with the fonts' metrics.
    explicit Report(QObject* parent = nullptr);
    explicit Report(ReportMetrics metrics, QObject* parent = nullptr);
    ~Report() override;

    PrinterSettings& printer() { return printer_; }
    const PrinterSettings& printer() const { return printer_; }
    PageMargins& margins() { return margins_; }
    const PageMargins& margins() const { return margins_; }
    // The master data set: detail bands repeat once per record. Cleared when the source goes away.
    kv::store::DataSource* dataSource() const { return dataSource_; }
    void setDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }

    // The resolution and text measurer the report is laid out and generated with. Setting them lays
    // the bands out again.
    const ReportMetrics& metrics() const { return metrics_; }
    void setMetrics(ReportMetrics metrics);

    // Surface size in pixels, from the paper (793 x 1121 for A4 portrait).
    int width() const { return width_; }
    int height() const { return height_; }
    QColor color = Qt::white;
    // Hidden while a preview shows the report's pages.
    bool visible = true;

    // The bands in child order, which is the order of generation.
    const std::vector<Band*>& bands() const { return bands_; }
    Band* findBand(const QString& name) const;
    // Takes ownership of `band` and places it after the others.
    void insertBand(Band* band);
    // Places the bands on the surface: left margin, one column wide (page headers and footers the
    // whole width between the margins), stacked from the top margin in child order.
    void layoutBands();

Q_SIGNALS:
    // After the surface was resized or the margins changed.
    void onSizeChange();

private:
    void printerChanged();
    void marginsChanged();
    void bandGone(QObject* band);

    ReportMetrics metrics_;
    PrinterSettings printer_;
    PageMargins margins_;
    QPointer<kv::store::DataSource> dataSource_;
    int width_ = 793;
    int height_ = 1121;
    std::vector<Band*> bands_;
};

} // namespace kv::report
