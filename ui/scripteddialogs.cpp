// The scripted dialogs: recorded calls answered from the test's queues.
#include "scripteddialogs.h"

#include <QDialog>
#include <optional>

namespace kv::ui {

namespace {

// The next answer the test queued, taken off the queue; none when the queue is empty.
template <typename T> std::optional<T> takeNext(std::deque<T>& answers) {
    if (answers.empty())
        return std::nullopt;
    T next = std::move(answers.front());
    answers.pop_front();
    return next;
}

} // namespace

ScriptedDialogs::ScriptedDialogs() {
    setDialogs(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    setDialogs(nullptr);
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const auto& c : calls)
        if (c.kind == QLatin1String("message"))
            out << c.text;
    return out;
}

MsgButton ScriptedDialogs::message(const QString& text, MsgStyle style, MsgButtons buttons, QWidget*) {
    calls.append({QStringLiteral("message"), text, style, buttons});
    return takeNext(messageAnswers)
        .value_or(buttons.testFlag(MsgButton::Yes) ? MsgButton::Yes : MsgButton::Ok);
}

MsgButton ScriptedDialogs::captionedMessage(const QString& caption, const QString& text, MsgStyle style,
                                            MsgButtons buttons, QWidget* parent) {
    const MsgButton answer = message(text, style, buttons, parent);
    calls.last().caption = caption;
    return answer;
}

bool ScriptedDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value, QWidget*) {
    calls.append({QStringLiteral("input"), prompt, MsgStyle::Plain, {}});
    Q_UNUSED(caption);
    const auto answer = takeNext(inputAnswers).value_or(std::pair{false, QString()});
    if (answer.first)
        value = answer.second;
    return answer.first;
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString&, const QString&, QWidget*) {
    calls.append({QStringLiteral("open"), caption, MsgStyle::Plain, {}});
    return takeNext(fileAnswers).value_or(QString());
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString&, const QString&, const QString&,
                                      QWidget*) {
    calls.append({QStringLiteral("save"), caption, MsgStyle::Plain, {}});
    return takeNext(fileAnswers).value_or(QString());
}

int ScriptedDialogs::showModal(QDialog& dialog) {
    calls.append({QStringLiteral("modal"), dialog.objectName(), MsgStyle::Plain, {}});
    if (onModal)
        return onModal(dialog);
    dialog.show();
    dialog.hide();
    return QDialog::Rejected;
}

} // namespace kv::ui
