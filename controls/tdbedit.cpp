// Showing, editing and writing back one field through a single-line edit.
#include "tdbedit.h"

#include <QKeyEvent>

namespace kv::controls {

TDBEdit::TDBEdit(QWidget* parent)
    : TEdit(parent) {
    connect(&link_, &FieldLink::dataChanged, this, &TDBEdit::showField);
    connect(&link_, &FieldLink::stateChanged, this, &TDBEdit::applyLimits);
    connect(&link_, &FieldLink::updateData, this, &TDBEdit::writeField);
    applyLimits();
}

void TDBEdit::setMaxLengthSetting(int chars) {
    maxLength_ = chars;
    applyLimits();
}

int TDBEdit::effectiveMaxLength() const {
    if (maxLength_ == 0)
        if (const store::Field* f = link_.field(); f && f->type() == store::FieldType::String)
            return f->size();
    return maxLength_;
}

void TDBEdit::setReadOnlySetting(bool on) {
    readOnly_ = on;
    applyLimits();
}

void TDBEdit::applyLimits() {
    setTypingLimit(effectiveMaxLength());
    setReadOnly(readOnly_ || !link_.field());
}

void TDBEdit::showField() {
    applyLimits();
    const store::Field* f = link_.field();
    setWholeText(f ? f->asString() : QString());
}

void TDBEdit::writeField() {
    if (store::Field* f = link_.field(); f && isModified()) {
        f->setAsString(text());
        setModified(false);
    }
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    // Typing a character or deleting one starts editing the record; a refused edit (a lock held
    // by another station) passes on to the application's error window.
    const bool changes =
        !event->text().isEmpty() || event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    if (changes && !isReadOnly() && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter &&
        event->key() != Qt::Key_Escape && !link_.editing())
        link_.edit();
    if (event->key() == Qt::Key_Escape && link_.editing()) {
        link_.cancelAfterAsking(this);
        return;
    }
    TEdit::keyPressEvent(event);
}

} // namespace kv::controls
