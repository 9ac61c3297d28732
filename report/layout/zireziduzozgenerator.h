// The generation walk shared by every output: it visits the bands of a report in the order and
// with the repetitions their types and data sources ask for, and hands each control to a virtual
// operation that an output overrides. One generator serves one Execute.
#pragma once

#include "report/model/reporttypes.h"

namespace kv::report {

class TZirezIduzoz;
class TTurboBand;
class TTurboGridBand;
class TCustomLabel;
class TCustomMemo;
class TImage;
class TDBImage;
class TShape;
class TTurboSysData;
class TextMeasurer;

class TZirezIduzozGenerator {
public:
    TZirezIduzozGenerator();
    virtual ~TZirezIduzozGenerator();
    TZirezIduzozGenerator(const TZirezIduzozGenerator&) = delete;
    TZirezIduzozGenerator& operator=(const TZirezIduzozGenerator&) = delete;

    // The report being generated, set by Execute.
    TZirezIduzoz* Report() const { return report_; }

    // Operations an output overrides; the base does nothing unless said otherwise.
    virtual void GenerateLabel(TTurboBand& band, TCustomLabel& label);
    virtual void GenerateImage(TTurboBand& band, TImage& image);
    virtual void GenerateDBImage(TTurboBand& band, TDBImage& image);
    virtual void GenerateShape(TTurboBand& band, TShape& shape);
    virtual void GenerateMemo(TTurboBand& band, TCustomMemo& memo);
    // Renders the field's text on a temporary copy (the field itself stays as it is) and hands
    // the copy to GenerateLabel.
    virtual void GenerateSysData(TTurboBand& band, TTurboSysData& field);
    // Prints the grid's cells, one band row per grid row; the band keeps the last row's height.
    virtual void GenerateGrid(TTurboGridBand& band);
    virtual void GenerateBand(TTurboBand& band);
    // Non-windowed controls first, then windowed ones, each group in creation order.
    virtual void GenerateControls(TTurboBand& band);
    virtual void CheckBand(TTurboBand& band);
    virtual void AdvanceBand(TTurboBand& band);
    virtual void BandBackground(TTurboBand& band);
    virtual void GenerateBands(TTurboBandType type);
    virtual void NewPage();
    // Generates the page header bands.
    virtual void BeginReport();
    // Generates the page footer bands.
    virtual void EndReport();
    virtual void StartBand(TTurboBand& band);
    virtual void EndBand(TTurboBand& band);
    // Walks the whole report. Exceptions of data sets, handlers and outputs end the walk and reach
    // the caller; whatever an output made so far stays with it.
    virtual void Execute(TZirezIduzoz& report);

protected:
    // The measurer of the report being generated.
    TextMeasurer& measurer() const { return *measurer_; }

private:
    void bandPass();
    void printCell(TTurboGridBand& band, const QString& text, int left, int width, TAlignment alignment,
                   int height);

    TZirezIduzoz* report_ = nullptr;
    TextMeasurer* measurer_ = nullptr;
};

} // namespace kv::report
