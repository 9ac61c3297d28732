// Refusing an edit of the order text that the order form could not print whole.
#include "textlinelimit.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace kv::orders {

std::optional<TextSplice> refusedEdit(const QString& before, int beforeLines, const QString& after, int afterLines,
                                      qsizetype cursor, int limit) {
    if (afterLines <= limit || afterLines <= beforeLines)
        return std::nullopt;
    const qsizetype shorter = std::min(before.size(), after.size());
    const qsizetype maxTail = std::clamp<qsizetype>(after.size() - cursor, 0, shorter);
    qsizetype tail = 0;
    while (tail < maxTail && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && after[after.size() - tail].isLowSurrogate())
        --tail;
    qsizetype head = 0;
    while (head < shorter - tail && before[head] == after[head])
        ++head;
    if (head > 0 && after[head - 1].isHighSurrogate())
        --head;
    return TextSplice{head, after.size() - head - tail, before.mid(head, before.size() - head - tail)};
}

QString textTooLongMessage(int limit) {
    return QStringLiteral("Text objednávky se na tiskopis vejde nejvýše na %1 řádků. Vložený text by se "
                          "vytiskl jen zčásti, proto nebyl vložen.")
        .arg(limit);
}

TextLineLimit::TextLineLimit(QPlainTextEdit& memo, int limit, LineCounter count)
    : QObject(&memo), memo_(memo), limit_(limit), count_(std::move(count)) {
    connect(&memo_, &QPlainTextEdit::textChanged, this, &TextLineLimit::textChanged);
    const QString text = memo_.toPlainText();
    accept(text, memoLines(text));
}

int TextLineLimit::memoLines(const QString& text) const {
    // A line break at the end prints nothing, yet the cursor stands on a line of its own: the keys
    // typed there would print on it.
    return count_(text) + (text.endsWith(QLatin1Char('\n')) ? 1 : 0);
}

void TextLineLimit::accept(const QString& text, int lines) {
    accepted_ = text;
    const bool changed = lines != lines_;
    lines_ = lines;
    if (changed)
        Q_EMIT remainingChanged(remaining());
}

void TextLineLimit::textChanged() {
    if (restoring_)
        return;
    const QString text = memo_.toPlainText();
    const int lines = memoLines(text);
    const std::optional<TextSplice> back =
        memo_.document()->availableUndoSteps() == 0 ? std::nullopt
                                                    : refusedEdit(accepted_, lines_, text, lines,
                                                                  memo_.textCursor().position(), limit_);
    if (!back) {
        accept(text, lines);
        return;
    }
    restoring_ = true;
    QTextCursor cursor(memo_.document());
    cursor.setPosition(int(back->from));
    cursor.setPosition(int(back->from + back->length), QTextCursor::KeepAnchor);
    cursor.insertText(back->text);
    restoring_ = false;
    QTextCursor at = memo_.textCursor();
    at.setPosition(int(back->from + back->text.size()));
    memo_.setTextCursor(at);
    // A key at the limit only beeps, as a full box does; a paste would vanish without a word.
    if (back->length > 1)
        ui::showError(textTooLongMessage(limit_), &memo_);
    else
        QApplication::beep();
}

} // namespace kv::orders
