// The order text's line limit as a memo keeps it. An edit that would take the text past the lines
// the order form prints is refused whole: the memo goes back to the text it had before that key or
// paste, the cursor where the edit began, so every key typed before stays and nothing is cut from
// the text's end. A text that already had more lines (stored by other means) may be edited as long
// as it does not grow.
#pragma once

#include "neworder.h"

#include <QObject>
#include <QString>
#include <optional>

class QPlainTextEdit;

namespace kv::orders {

// Replacing `length` characters at `from` of a text by `text`.
struct TextSplice {
    qsizetype from = 0;
    qsizetype length = 0;
    QString text;
    bool operator==(const TextSplice&) const = default;
};

// The splice that takes `after` back to `before` when the edit between them is refused: `after`
// has more than `limit` lines and more than `before` had. None when the edit is kept. `cursor` is
// where the edit left the cursor in `after`: the edit ends there, which tells a line break typed
// after a line break from one typed before it.
std::optional<TextSplice> refusedEdit(const QString& before, int beforeLines, const QString& after, int afterLines,
                                      qsizetype cursor, int limit);

QString textTooLongMessage(int limit);

// Keeps one memo within the limit. A text set by the program (loading a record, clearing) is taken
// as it is: it leaves the memo without undo steps, which every edit has.
class TextLineLimit : public QObject {
    Q_OBJECT
public:
    TextLineLimit(QPlainTextEdit& memo, int limit, LineCounter count);

    int remaining() const { return limit_ - lines_; }

Q_SIGNALS:
    void remainingChanged(int lines);

private:
    void textChanged();
    void accept(const QString& text, int lines);
    int memoLines(const QString& text) const;

    QPlainTextEdit& memo_;
    const int limit_;
    const LineCounter count_;
    QString accepted_;
    int lines_ = 0;
    bool restoring_ = false;
};

} // namespace kv::orders
