// The edit box whose length limit binds typing only.
#include "tedit.h"

#include <algorithm>

namespace kv::controls {

namespace {
// QLineEdit's own default: as good as unlimited.
constexpr int kUnlimited = 32767;
} // namespace

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TEdit::followText);
}

void TEdit::setTypingLimit(int chars) {
    limit_ = chars;
    followText();
}

void TEdit::setWholeText(const QString& text) {
    if (text.size() > maxLength())
        setHardLimit(int(text.size()));
    setText(text);
    followText();
}

// QLineEdit's maxLength cuts whatever comes in, typed or set. It is kept at the typing limit or at
// the length of the text held, whichever is more: nothing held is cut, and typing never adds to a
// text already at or past the limit.
void TEdit::followText() {
    const int hard = std::max(limit_ > 0 ? limit_ : kUnlimited, int(text().size()));
    if (hard != maxLength())
        setHardLimit(hard);
}

// QLineEdit::setMaxLength puts the text in again: the cursor goes to the end, the selection and the
// modified flag are lost. The user is in the middle of editing here, so they are put back.
void TEdit::setHardLimit(int chars) {
    const int cursor = cursorPosition();
    const int selStart = selectionStart();
    const int selLength = selectionLength();
    const bool modified = isModified();
    setMaxLength(chars);
    if (selStart < 0)
        setCursorPosition(cursor);
    else if (cursor == selStart)
        setSelection(selStart + selLength, -selLength);
    else
        setSelection(selStart, selLength);
    setModified(modified);
}

} // namespace kv::controls
