// Finding the order form's text box and counting lines as the generator breaks them.
#include "ordertextbox.h"

#include "report/layout/labellayout.h"
#include "report/model/datamemocontrol.h"
#include "report/model/band.h"
#include "report/model/report.h"

#include <QFontMetrics>

namespace kv::print {
namespace {

const report::DataMemoControl* textBox(const report::Report& form) {
    for (const report::Band* band : form.bands()) {
        for (const auto& control : band->controls()) {
            const auto* memo = dynamic_cast<const report::DataMemoControl*>(control.get());
            if (memo && memo->link.dataField.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
                return memo;
        }
    }
    return nullptr;
}

} // namespace

int orderTextLines(const report::Report* form, const QString& text) {
    if (text.isEmpty())
        return 0;
    const report::DataMemoControl* box = form ? textBox(*form) : nullptr;
    if (!box)
        return int(text.count(QLatin1Char('\n'))) + (text.endsWith(QLatin1Char('\n')) ? 0 : 1);
    return int(report::wrapMemoLines(text, box->width, box->font, form->metrics().measurer()).size());
}

int orderTextBoxLines(const report::Report& form) {
    const report::DataMemoControl* box = textBox(form);
    // The box draws its lines a line spacing apart and clips what passes its bottom.
    return box ? box->height / QFontMetrics(box->font).lineSpacing() : 0;
}

} // namespace kv::print
