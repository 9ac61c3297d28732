// Finding the order form's text box and counting lines as the generator breaks them.
#include "ordertextbox.h"

#include "report/layout/labellayout.h"
#include "report/model/tdbmemo.h"
#include "report/model/turboband.h"
#include "report/model/zireziduzoz.h"

#include <QFontMetrics>

namespace kv::print {
namespace {

const report::TDBMemo* textBox(const report::TZirezIduzoz& form) {
    for (const report::TTurboBand* band : form.Bands()) {
        for (const auto& control : band->Controls()) {
            const auto* memo = dynamic_cast<const report::TDBMemo*>(control.get());
            if (memo && memo->Link.DataField.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
                return memo;
        }
    }
    return nullptr;
}

} // namespace

int orderTextLines(const report::TZirezIduzoz* form, const QString& text) {
    if (text.isEmpty())
        return 0;
    const report::TDBMemo* box = form ? textBox(*form) : nullptr;
    if (!box)
        return int(text.count(QLatin1Char('\n'))) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
    return int(report::wrapMemoLines(text, box->Width, box->Font, form->Metrics().measurer()).size());
}

int orderTextBoxLines(const report::TZirezIduzoz& form) {
    const report::TDBMemo* box = textBox(form);
    // The box draws its lines a line spacing apart and clips what passes its bottom.
    return box ? box->Height / QFontMetrics(box->Font).lineSpacing() : 0;
}

} // namespace kv::print
