// The one seam through which every message box, input box, file dialog and modal showing goes.
// The program uses the real dialogs; tests install a ScriptedDialogs that records each call and
// gives the answer the test chose, so a whole road runs headless.
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace kv::ui {

enum class MsgStyle { Plain, Error, Warning, Information, Confirmation };

enum class MsgButton {
    None = 0,
    Ok = 0x1,
    Cancel = 0x2,
    Yes = 0x4,
    No = 0x8,
    Abort = 0x10,
    Retry = 0x20,
    Ignore = 0x40
};
Q_DECLARE_FLAGS(MsgButtons, MsgButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MsgButtons)

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a message box; returns the button pressed (MsgButton::Cancel when closed otherwise).
    virtual MsgButton message(const QString& text, MsgStyle style, MsgButtons buttons,
                              QWidget* parent = nullptr) = 0;
    // A message box under its own caption instead of the style's. Dialogs that do not show captions
    // show the message as message() does.
    virtual MsgButton captionedMessage([[maybe_unused]] const QString& caption, const QString& text,
                                       MsgStyle style, MsgButtons buttons, QWidget* parent = nullptr) {
        return message(text, style, buttons, parent);
    }
    // An input box; true and the new text in `value` on OK.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value,
                            QWidget* parent = nullptr) = 0;
    // File dialogs. `filter` in the program's form "Textové soubory|*.txt|Všechny soubory|*.*".
    // An empty result means the user cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter, const QString& dir,
                                 QWidget* parent = nullptr) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter, const QString& dir,
                                 const QString& defaultSuffix, QWidget* parent = nullptr) = 0;
    // Shows a window modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;
};

// The caption the program gives a button in its message boxes, input boxes and button boxes:
// "OK", "Storno", "&Ano", "&Ne", "&Přerušit", "&Opakovat", "&Ignorovat". The toolkit's Czech would
// say "Zrušit" for Storno, so these are set over it.
QString buttonCaption(MsgButton button);
// Gives the standard buttons of `box` (OK, Cancel, Yes, No, Abort, Retry, Ignore) those captions.
void useProgramCaptions(QDialogButtonBox& box);

// The dialogs in force; the real ones unless a test installed others.
Dialogs& dialogs();
// Installs `d` (not owned); nullptr returns to the real dialogs.
void setDialogs(Dialogs* d);

// "Textové soubory|*.txt|Všechny soubory|*.*" -> "Textové soubory (*.txt);;Všechny soubory (*.*)".
QString toQtFilter(const QString& filter);

// Shorthands for the common cases.
inline void showError(const QString& text, QWidget* parent = nullptr) {
    dialogs().message(text, MsgStyle::Error, MsgButton::Ok, parent);
}
inline bool askYesNo(const QString& text, MsgStyle style = MsgStyle::Confirmation,
                     QWidget* parent = nullptr) {
    return dialogs().message(text, style, MsgButton::Yes | MsgButton::No, parent) != MsgButton::No;
}

} // namespace kv::ui
