// Spreadsheet output: rows and columns of FORMULA commands.
#include "spreadsheetoutput.h"

#include "report/model/memobase.h"
#include "report/model/datatextcontrol.h"

#include "base/czechformat.h"
#include "data/store/field.h"

namespace kv::report {

SpreadsheetOutput::SpreadsheetOutput()
    : commands_{QStringLiteral("[NEW(1)]")} {}

QString SpreadsheetOutput::formula(const QString& text, int row, int column) {
    return QStringLiteral("[FORMULA(\"%1\",\"R%2C%3\")]").arg(text).arg(row).arg(column);
}

QString SpreadsheetOutput::fieldValue(const kv::store::Field& field) {
    if (field.isNull())
        return {};
    switch (field.type()) {
    case kv::store::FieldType::String:
        return field.asString();
    case kv::store::FieldType::Integer:
        return QString::number(field.asInteger());
    case kv::store::FieldType::DateTime:
        return kv::shortDate(field.asDateTime().date());
    case kv::store::FieldType::Boolean:
    case kv::store::FieldType::Memo:
    case kv::store::FieldType::Graphic:
        break;
    }
    return {};
}

void SpreadsheetOutput::startBand(Band&) {
    ++row_;
    column_ = 1;
}

void SpreadsheetOutput::advanceBand(Band&) {}

void SpreadsheetOutput::generateLabel(Band&, LabelBase& label) {
    QString text;
    if (auto* data = dynamic_cast<DataTextControl*>(&label)) {
        if (const kv::store::Field* f = data->link.field())
            text = fieldValue(*f);
    } else {
        text = label.text();
    }
    commands_ << formula(text, row_, column_);
    ++column_;
}

void SpreadsheetOutput::generateMemo(Band&, MemoBase& memo) {
    ++column_;
    QString text = memo.text();
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('"'));
        if (line.isEmpty())
            line = QStringLiteral("     ");
        commands_ << formula(line, row_, column_);
        ++row_;
    }
}

} // namespace kv::report
