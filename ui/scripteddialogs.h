// Test dialogs: every call is recorded, and answered from a queue the test filled (or with a
// default). Modal windows are handed to a handler the test sets, which may act on the window and
// must return its result; without one the window is shown, not run, and Rejected is returned.
#pragma once

#include "dialogs.h"

#include <QList>
#include <deque>
#include <functional>

namespace kv::ui {

struct RecordedCall {
    QString kind; // "message", "input", "open", "save", "modal"
    QString text; // message text, prompt, caption or window objectName
    MsgStyle style = MsgStyle::Plain;
    MsgButtons buttons;
    QString caption = {}; // a message's own caption; empty for the style's
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();           // installs itself
    ~ScriptedDialogs() override; // restores the real dialogs

    std::deque<MsgButton> messageAnswers;              // when empty: Yes if offered, else Ok
    std::deque<std::pair<bool, QString>> inputAnswers; // when empty: cancelled
    std::deque<QString> fileAnswers;                   // when empty: cancelled
    std::function<int(QDialog&)> onModal;

    QList<RecordedCall> calls;
    QStringList messages() const; // the texts of every message shown, in order

    MsgButton message(const QString& text, MsgStyle style, MsgButtons buttons, QWidget* parent) override;
    // Recorded as a message with its caption.
    MsgButton captionedMessage(const QString& caption, const QString& text, MsgStyle style,
                               MsgButtons buttons, QWidget* parent) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir,
                         QWidget* parent) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir,
                         const QString& defaultSuffix, QWidget* parent) override;
    int showModal(QDialog& dialog) override;
};

} // namespace kv::ui
