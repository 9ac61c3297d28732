// Labels' texts for the outputs people read.
#include "fieldtext.h"

#include "report/model/datatextcontrol.h"

#include "data/store/field.h"

namespace kv::report {

QString flagText(bool flag) {
    return flag ? QStringLiteral("Ano") : QStringLiteral("Ne");
}

QString outputText(const LabelBase& label) {
    if (const auto* data = dynamic_cast<const DataTextControl*>(&label)) {
        const kv::store::Field* f = data->link.field();
        if (f && f->type() == kv::store::FieldType::Boolean)
            return flagText(f->asBoolean());
    }
    return label.text();
}

} // namespace kv::report
