// The text of a label as the outputs people read write it: a data text's flag as "Ano" or "Ne", as
// the program's windows name it, where the field's display text would say "True" or "False".
#pragma once

#include <QString>

namespace kv::report {

class LabelBase;

QString flagText(bool flag);
// A label's, system field's or data text's text; a data text of a flag field "Ano" or "Ne".
QString outputText(const LabelBase& label);

} // namespace kv::report
