// Spreadsheet output: rows and columns of FORMULA commands.
#include "turboexcelgenerator.h"

#include "report/model/custommemo.h"
#include "report/model/tdbtext.h"

#include "base/czechformat.h"
#include "data/store/field.h"

namespace kv::report {

TTurboExcelGenerator::TTurboExcelGenerator()
    : commands_{QStringLiteral("[NEW(1)]")} {}

QString TTurboExcelGenerator::formula(const QString& text, int row, int column) {
    return QStringLiteral("[FORMULA(\"%1\",\"R%2C%3\")]").arg(text).arg(row).arg(column);
}

QString TTurboExcelGenerator::fieldValue(const kv::store::Field& field) {
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

void TTurboExcelGenerator::StartBand(TTurboBand&) {
    ++row_;
    column_ = 1;
}

void TTurboExcelGenerator::AdvanceBand(TTurboBand&) {}

void TTurboExcelGenerator::GenerateLabel(TTurboBand&, TCustomLabel& label) {
    QString text;
    if (auto* data = dynamic_cast<TDBText*>(&label)) {
        if (const kv::store::Field* f = data->Link.field())
            text = fieldValue(*f);
    } else {
        text = label.Text();
    }
    commands_ << formula(text, row_, column_);
    ++column_;
}

void TTurboExcelGenerator::GenerateMemo(TTurboBand&, TCustomMemo& memo) {
    ++column_;
    QString text = memo.Text();
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
