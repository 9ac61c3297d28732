// Spreadsheet output: the report as the cells of one worksheet, one row per band output and one column
// per text control in reading order of their places on the band (the lines of controls from the top,
// each from the left), so that a page header's titles stand over the values of the detail band laid
// out like them; a memo's lines run down its column, and the next band begins below the longest. The cells go to a sink band
// by band, row after row. Rows and columns count from 1; the first band's row is 2.
#pragma once

#include "report/layout/reportgenerator.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace kv::store {
class Field;
}

namespace kv::report {

class ReportControl;

// A cell's value as a spreadsheet understands it.
struct SheetValue {
    enum class Kind { Text, Number, Date, DateTime };
    Kind kind = Kind::Text;
    QString text;
    double number = 0;
    QDateTime when;

    bool isEmpty() const { return kind == Kind::Text && text.isEmpty(); }
    bool operator==(const SheetValue&) const = default;
};

// What a spreadsheet cell holds at most, in characters.
constexpr qsizetype kCellCharacters = 32767;

// Where the cells go: never to a row before the last one given, never to a column before the last
// one in the same row.
class SheetCells {
public:
    virtual ~SheetCells() = default;
    virtual void cell(int row, int column, const SheetValue& value) = 0;
};

class SpreadsheetOutput : public ReportGenerator {
public:
    explicit SpreadsheetOutput(SheetCells& cells);

    void startBand(Band& band) override;
    void advanceBand(Band& band) override;
    void generateLabel(Band& band, LabelBase& label) override;
    void generateMemo(Band& band, MemoBase& memo) override;

    // A field's value as the spreadsheet gets it: strings and memos their text, integers a number,
    // dates a date (with its time when it has one), flags "Ano" or "Ne"; no value an empty text.
    static SheetValue fieldValue(const kv::store::Field& field);

private:
    // A text control's value, or a memo's lines, at the control's place on its band: values_ from
    // `first` on, `count` of them. Kept in two vectors used again band after band, so a band costs
    // no memory of its own.
    struct Entry {
        int left;
        int top;
        int order; // the place it was generated in
        int line;  // the top of the line of controls it stands on
        int first;
        int count;
    };
    // Notes `control` with the last `lines` values.
    void add(const ReportControl& control, int lines);

    SheetCells& cells_;
    std::vector<Entry> band_;
    std::vector<SheetValue> values_;
    int row_ = 1;
};

} // namespace kv::report
