// TEdit: the single-line edit box of the labelled edits and the base of the data-aware edit. Its
// length limit holds for what the user types or pastes, never for a text the program puts in, so
// a stored value longer than the box allows is shown and written back whole.
#pragma once

#include <QLineEdit>

namespace kv::controls {

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    // Characters the user may type; 0 = no limit of the box's own. Setting it never cuts the text.
    int typingLimit() const { return limit_; }
    void setTypingLimit(int chars);
    // Puts `text` in whole, however long (QLineEdit::setText would cut it at maxLength()). Typing
    // cannot lengthen a text that is past the limit; deleting from it can only shorten it.
    void setWholeText(const QString& text);

private:
    void followText();
    void setHardLimit(int chars);

    int limit_ = 0;
};

} // namespace kv::controls
