// Spreadsheet output: typed cells, row by row.
#include "spreadsheetoutput.h"

#include "report/model/band.h"
#include "report/model/datatextcontrol.h"
#include "report/model/memobase.h"
#include "report/model/report.h"

#include "data/store/field.h"

#include <algorithm>
#include <tuple>

namespace kv::report {

SpreadsheetOutput::SpreadsheetOutput(SheetCells& cells)
    : cells_(cells) {}

SheetValue SpreadsheetOutput::fieldValue(const kv::store::Field& field) {
    SheetValue v;
    if (field.isNull())
        return v;
    switch (field.type()) {
    case kv::store::FieldType::String:
    case kv::store::FieldType::Memo:
        v.text = field.asString();
        break;
    case kv::store::FieldType::Integer:
        v.kind = SheetValue::Kind::Number;
        v.number = double(field.asInteger());
        break;
    case kv::store::FieldType::DateTime:
        v.when = field.asDateTime();
        v.kind = v.when.time() == QTime(0, 0) ? SheetValue::Kind::Date : SheetValue::Kind::DateTime;
        break;
    case kv::store::FieldType::Boolean:
        v.text = field.asBoolean() ? QStringLiteral("Ano") : QStringLiteral("Ne");
        break;
    case kv::store::FieldType::Graphic:
        break;
    }
    return v;
}

void SpreadsheetOutput::startBand(Band& band) {
    ++row_;
    band_.clear();
    // A detail band without a data source of its own walks the report's.
    if (onRecord && band.bandType() == rbDetail && report() &&
        (!band.dataSource() || band.dataSource() == report()->dataSource()))
        onRecord();
}

void SpreadsheetOutput::advanceBand(Band&) {
    // Reading order: lines of controls from the top, each from the left. Controls whose tops lie
    // within a few pixels stand on one line, as a title a few pixels lower than its value does.
    constexpr int kSameLine = 6;
    std::stable_sort(band_.begin(), band_.end(), [](const Entry& a, const Entry& b) { return a.top < b.top; });
    int lineTop = 0;
    for (std::size_t i = 0; i < band_.size(); ++i) {
        if (i == 0 || band_[i].top - lineTop > kSameLine)
            lineTop = band_[i].top;
        band_[i].line = lineTop;
    }
    std::stable_sort(band_.begin(), band_.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.line, a.left) < std::tie(b.line, b.left);
    });
    std::size_t lines = 1;
    for (const Entry& e : band_)
        lines = std::max(lines, e.lines.size());
    for (std::size_t line = 0; line < lines; ++line) {
        for (std::size_t column = 0; column < band_.size(); ++column) {
            const std::vector<SheetValue>& values = band_[column].lines;
            if (line < values.size() && !values[line].isEmpty())
                cells_.cell(row_ + int(line), int(column) + 1, values[line]);
        }
    }
    row_ += int(lines) - 1;
    band_.clear();
}

void SpreadsheetOutput::generateLabel(Band&, LabelBase& label) {
    SheetValue value;
    if (auto* data = dynamic_cast<DataTextControl*>(&label)) {
        if (const kv::store::Field* f = data->link.field())
            value = fieldValue(*f);
    } else {
        value.text = label.text();
    }
    band_.push_back({label.left, label.top, {value}});
}

void SpreadsheetOutput::generateMemo(Band&, MemoBase& memo) {
    QString text = memo.text();
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    Entry entry{memo.left, memo.top, {}};
    if (!text.isEmpty()) {
        for (const QString& line : text.split(QLatin1Char('\n')))
            entry.lines.push_back({SheetValue::Kind::Text, line});
    }
    band_.push_back(std::move(entry));
}

} // namespace kv::report
