// Showing and toggling one Boolean field.
#include "tdbcheckbox.h"

namespace kv::controls {

TDBCheckBox::TDBCheckBox(QWidget* parent)
    : QCheckBox(parent) {
    connect(&link_, &FieldLink::dataChanged, this, &TDBCheckBox::showField);
}

void TDBCheckBox::showField() {
    const store::Field* f = link_.field();
    setChecked(f && f->asBoolean());
}

void TDBCheckBox::nextCheckState() {
    store::Field* f = link_.field();
    if (readOnly_ || !f)
        return;
    // A refused edit (a lock held by another station) passes on and leaves the box as it was.
    if (!link_.editing())
        link_.edit();
    f->setAsBoolean(!isChecked());
    // The field's change notice has already shown the new state; set it for a field of the same value.
    setChecked(f->asBoolean());
}

} // namespace kv::controls
