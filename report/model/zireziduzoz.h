// A report definition: the page-sized surface with its printer settings, margins and master data
// source, and the bands on it in the order of generation.
#pragma once

#include "data/store/datasource.h"

#include "report/pages/reportmetrics.h"
#include "turbomargins.h"
#include "turboprinter.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <vector>

namespace kv::report {

class TTurboBand;

class TZirezIduzoz : public QObject {
    Q_OBJECT
public:
    // A report laid out for the primary screen's resolution, measuring text with the fonts' metrics.
    explicit TZirezIduzoz(QObject* parent = nullptr);
    explicit TZirezIduzoz(ReportMetrics metrics, QObject* parent = nullptr);
    ~TZirezIduzoz() override;

    TTurboPrinter& Printer() { return printer_; }
    const TTurboPrinter& Printer() const { return printer_; }
    TTurboMargins& Margins() { return margins_; }
    const TTurboMargins& Margins() const { return margins_; }
    // The master data set: detail bands repeat once per record. Cleared when the source goes away.
    kv::store::DataSource* DataSource() const { return dataSource_; }
    void SetDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }

    // The resolution and text measurer the report is laid out and generated with. Setting them lays
    // the bands out again.
    const ReportMetrics& Metrics() const { return metrics_; }
    void SetMetrics(ReportMetrics metrics);

    // Surface size in pixels, from the paper (793 x 1121 for A4 portrait).
    int Width() const { return width_; }
    int Height() const { return height_; }
    QColor Color = Qt::white;
    // Hidden while a preview shows the report's pages.
    bool Visible = true;

    // The bands in child order, which is the order of generation.
    const std::vector<TTurboBand*>& Bands() const { return bands_; }
    TTurboBand* FindBand(const QString& name) const;
    // Takes ownership of `band` and places it after the others.
    void InsertBand(TTurboBand* band);
    // Places the bands on the surface: left margin, one column wide (page headers and footers the
    // whole width between the margins), stacked from the top margin in child order.
    void LayoutBands();

Q_SIGNALS:
    // After the surface was resized or the margins changed.
    void OnSizeChange();

private:
    void printerChanged();
    void marginsChanged();
    void bandGone(QObject* band);

    ReportMetrics metrics_;
    TTurboPrinter printer_;
    TTurboMargins margins_;
    QPointer<kv::store::DataSource> dataSource_;
    int width_ = 793;
    int height_ = 1121;
    std::vector<TTurboBand*> bands_;
};

} // namespace kv::report
