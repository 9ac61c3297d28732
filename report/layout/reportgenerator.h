// The generation walk shared by every output: it visits the bands of a report in the order and
// with the repetitions their types and data sources ask for, and hands each control to a virtual
// operation that an output overrides. One generator serves one Execute.
#pragma once

#include "report/model/reporttypes.h"

#include <functional>

namespace kv::report {

class Report;
class Band;
class GridBand;
class LabelBase;
class MemoBase;
class ImageControl;
class DataImageControl;
class ShapeControl;
class SystemDataControl;
class TextMeasurer;

class ReportGenerator {
public:
    ReportGenerator();
    virtual ~ReportGenerator();
    ReportGenerator(const ReportGenerator&) = delete;
    ReportGenerator& operator=(const ReportGenerator&) = delete;

    // The report being generated, set by Execute.
    Report* report() const { return report_; }

    // Operations an output overrides; the base does nothing unless said otherwise.
    virtual void generateLabel(Band& band, LabelBase& label);
    virtual void generateImage(Band& band, ImageControl& image);
    virtual void generateDataImage(Band& band, DataImageControl& image);
    virtual void generateShape(Band& band, ShapeControl& shape);
    virtual void generateMemo(Band& band, MemoBase& memo);
    // Renders the field's text on a temporary copy (the field itself stays as it is) and hands
    // the copy to GenerateLabel.
    virtual void generateSystemData(Band& band, SystemDataControl& field);
    // Prints the grid's cells, one band row per grid row; the band keeps the last row's height.
    virtual void generateGrid(GridBand& band);
    virtual void generateBand(Band& band);
    // Non-windowed controls first, then windowed ones, each group in creation order.
    virtual void generateControls(Band& band);
    virtual void checkBand(Band& band);
    virtual void advanceBand(Band& band);
    virtual void bandBackground(Band& band);
    virtual void generateBands(BandType type);
    virtual void newPage();
    // Generates the page header bands.
    virtual void beginReport();
    // Generates the page footer bands.
    virtual void endReport();
    virtual void startBand(Band& band);
    virtual void endBand(Band& band);
    // Walks the whole report. Exceptions of data sets, handlers and outputs end the walk and reach
    // the caller; whatever an output made so far stays with it.
    virtual void execute(Report& report);

    // Hears of each record of the report's own data source before its bands are generated: how far
    // an export has come.
    std::function<void()> onRecord;

protected:
    // The measurer of the report being generated.
    TextMeasurer& measurer() const { return *measurer_; }

private:
    void bandPass();
    void printCell(GridBand& band, const QString& text, int left, int width, TextAlignment alignment,
                   int height);

    Report* report_ = nullptr;
    TextMeasurer* measurer_ = nullptr;
};

} // namespace kv::report
