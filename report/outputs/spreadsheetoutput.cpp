// Spreadsheet output: typed cells, row by row.
#include "spreadsheetoutput.h"

#include "report/model/datatextcontrol.h"
#include "report/model/memobase.h"

#include "data/store/field.h"

#include "fieldtext.h"
#include "readingorder.h"

#include <algorithm>

namespace kv::report {

namespace {
SheetValue textValue(const QString& text) {
    SheetValue v;
    v.text = text;
    return v;
}
} // namespace

SpreadsheetOutput::SpreadsheetOutput(SheetCells& cells)
    : cells_(cells) {}

SheetValue SpreadsheetOutput::fieldValue(const kv::store::Field& field) {
    SheetValue v;
    switch (field.type()) {
    case kv::store::FieldType::String:
    case kv::store::FieldType::Memo:
        v.text = field.asString();
        break;
    case kv::store::FieldType::Integer:
        if (field.isNull())
            break;
        v.kind = SheetValue::Kind::Number;
        v.number = double(field.asInteger());
        break;
    case kv::store::FieldType::DateTime:
        // Taken apart as stored: a local date-time would cost a time-zone lookup a cell.
        v.when = field.asWallClock();
        if (v.when.isValid())
            v.kind = v.when.time() == QTime(0, 0) ? SheetValue::Kind::Date : SheetValue::Kind::DateTime;
        break;
    case kv::store::FieldType::Boolean:
        v.text = flagText(field.asBoolean());
        break;
    case kv::store::FieldType::Graphic:
        break;
    }
    return v;
}

void SpreadsheetOutput::startBand(Band&) {
    ++row_;
    band_.clear();
    values_.clear();
}

void SpreadsheetOutput::advanceBand(Band&) {
    sortInReadingOrder(band_);
    int lines = 1;
    for (const Entry& e : band_)
        lines = std::max(lines, e.count);
    for (int line = 0; line < lines; ++line) {
        for (std::size_t column = 0; column < band_.size(); ++column) {
            const Entry& e = band_[column];
            if (line < e.count && !values_[std::size_t(e.first + line)].isEmpty())
                cells_.cell(row_ + line, int(column) + 1, values_[std::size_t(e.first + line)]);
        }
    }
    row_ += lines - 1;
    band_.clear();
    values_.clear();
}

void SpreadsheetOutput::add(const ReportControl& control, int lines) {
    band_.push_back({control.left, control.top, int(band_.size()), 0, int(values_.size()) - lines, lines});
}

void SpreadsheetOutput::generateLabel(Band&, LabelBase& label) {
    if (auto* data = dynamic_cast<DataTextControl*>(&label)) {
        const kv::store::Field* f = data->link.field();
        values_.push_back(f ? fieldValue(*f) : SheetValue());
    } else {
        values_.push_back(textValue(label.text()));
    }
    add(label, 1);
}

void SpreadsheetOutput::generateMemo(Band&, MemoBase& memo) {
    QString text = memo.text();
    text.remove(QLatin1Char('\r'));
    // Lines as the memo holds them: a final line break ends the last line, it starts no new one.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    int lines = 0;
    if (!text.isEmpty()) {
        for (QStringView line : QStringView(text).tokenize(u'\n')) {
            values_.push_back(textValue(line.toString()));
            ++lines;
        }
    }
    add(memo, lines);
}

} // namespace kv::report
