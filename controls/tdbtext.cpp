// The data-bound label: the field's display text, empty without a field.
#include "tdbtext.h"

namespace kv::controls {

TDBText::TDBText(QWidget* parent)
    : QLabel(parent) {
    connect(&link_, &FieldLink::dataChanged, this, &TDBText::showField);
}

void TDBText::setCaption(const QString& caption) {
    caption_ = caption;
    showField();
}

void TDBText::showField() {
    const store::Field* f = link_.field();
    setText(f ? f->asString() : QString());
    if (!caption_.isEmpty())
        setAccessibleName(text().isEmpty() ? caption_ : caption_ + QLatin1Char(' ') + text());
}

} // namespace kv::controls
