// The scripted dialogs: recorded calls answered from the test's queues.
#include "scripteddialogs.h"

#include <QDialog>

namespace kv::ui {

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
    if (!messageAnswers.empty()) {
        const MsgButton b = messageAnswers.front();
        messageAnswers.pop_front();
        return b;
    }
    return buttons.testFlag(MsgButton::Yes) ? MsgButton::Yes : MsgButton::Ok;
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
    if (inputAnswers.empty())
        return false;
    const auto a = inputAnswers.front();
    inputAnswers.pop_front();
    if (a.first)
        value = a.second;
    return a.first;
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString&, const QString&, QWidget*) {
    calls.append({QStringLiteral("open"), caption, MsgStyle::Plain, {}});
    if (fileAnswers.empty())
        return {};
    const QString f = fileAnswers.front();
    fileAnswers.pop_front();
    return f;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString&, const QString&, const QString&,
                                      QWidget*) {
    calls.append({QStringLiteral("save"), caption, MsgStyle::Plain, {}});
    if (fileAnswers.empty())
        return {};
    const QString f = fileAnswers.front();
    fileAnswers.pop_front();
    return f;
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
