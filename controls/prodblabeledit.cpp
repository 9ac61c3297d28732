// The data-aware labelled edit: the composite around a TDBEdit.
#include "prodblabeledit.h"

namespace kv::controls {

TProDBLabelEdit::TProDBLabelEdit(QWidget* parent)
    : TProLabelEdit(new TDBEdit, parent) {
    dbEdit_ = static_cast<TDBEdit*>(editBox());
}

void TProDBLabelEdit::setMaxLength(int chars) {
    dbEdit_->setMaxLengthSetting(chars);
    fillBar()->setMaximum(maxLength());
}

} // namespace kv::controls
