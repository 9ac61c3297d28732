// Spreadsheet output: the report as macro commands for a new worksheet, one row per band output
// and one cell per text control, memos down one column. The commands start with "[NEW(1)]".
#pragma once

#include "report/layout/reportgenerator.h"

#include <QStringList>

namespace kv::store {
class Field;
}

namespace kv::report {

class SpreadsheetOutput : public ReportGenerator {
public:
    SpreadsheetOutput();

    const QStringList& commands() const { return commands_; }

    void startBand(Band& band) override;
    void advanceBand(Band& band) override;
    void generateLabel(Band& band, LabelBase& label) override;
    void generateMemo(Band& band, MemoBase& memo) override;

    // "[FORMULA("text","R2C1")]": the text as it is, the row and column.
    static QString formula(const QString& text, int row, int column);
    // A field's value as the spreadsheet gets it: strings their text, integers in decimal, dates
    // the date part in the short date format; other types an empty text.
    static QString fieldValue(const kv::store::Field& field);

private:
    QStringList commands_;
    int column_ = 1;
    int row_ = 1;
};

} // namespace kv::report
