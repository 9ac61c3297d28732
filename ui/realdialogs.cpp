// The real message, input and file dialogs and modal showing.
#include "realdialogs.h"

#include "appwindows.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace kv::ui {
namespace {

// The toolkit's message box and button box number their standard buttons alike.
struct ButtonMap {
    MsgButton ours;
    QMessageBox::StandardButton qt;
    const char* czech;
};
constexpr ButtonMap kButtons[] = {
    {MsgButton::Ok, QMessageBox::Ok, "OK"},
    {MsgButton::Cancel, QMessageBox::Cancel, "Storno"},
    {MsgButton::Yes, QMessageBox::Yes, "&Ano"},
    {MsgButton::No, QMessageBox::No, "&Ne"},
    {MsgButton::Abort, QMessageBox::Abort, "&Přerušit"},
    {MsgButton::Retry, QMessageBox::Retry, "&Opakovat"},
    {MsgButton::Ignore, QMessageBox::Ignore, "&Ignorovat"},
};

// A dialog belongs to the window it was opened for, else to the active one, else to the main window
// once that shows: the desktop then keeps it above its window, never behind an unrelated one.
QWidget* owningWindow(QWidget* parent) {
    if (parent)
        return parent;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* main = appWindows().owner();
    return main && main->isVisible() ? main : nullptr;
}

Dialogs*& installed() {
    static Dialogs* d = nullptr;
    return d;
}

} // namespace

Dialogs& dialogs() {
    static RealDialogs real;
    return installed() ? *installed() : real;
}

void setDialogs(Dialogs* d) {
    installed() = d;
}

QString buttonCaption(MsgButton button) {
    for (const auto& b : kButtons)
        if (b.ours == button)
            return QString::fromUtf8(b.czech);
    return {};
}

void useProgramCaptions(QDialogButtonBox& box) {
    for (const auto& b : kButtons)
        if (QPushButton* button = box.button(QDialogButtonBox::StandardButton(int(b.qt))))
            button->setText(QString::fromUtf8(b.czech));
}

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QLatin1String(" (") +
                   QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return out.join(QLatin1String(";;"));
}

MsgButton RealDialogs::message(const QString& text, MsgStyle style, MsgButtons buttons, QWidget* parent) {
    return captionedMessage(QString(), text, style, buttons, parent);
}

MsgButton RealDialogs::captionedMessage(const QString& caption, const QString& text, MsgStyle style,
                                        MsgButtons buttons, QWidget* parent) {
    QMessageBox box(owningWindow(parent));
    switch (style) {
    case MsgStyle::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("Chyba"));
        break;
    case MsgStyle::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Upozornění"));
        break;
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral("Informace"));
        break;
    case MsgStyle::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Potvrzení"));
        break;
    case MsgStyle::Plain:
        // A message without a style of its own is titled with the program's title.
        if (const QWidget* main = appWindows().owner())
            box.setWindowTitle(main->windowTitle());
        break;
    }
    if (!caption.isEmpty())
        box.setWindowTitle(caption);
    box.setText(text);
    for (const auto& b : kButtons)
        if (buttons.testFlag(b.ours))
            box.addButton(b.qt)->setText(buttonCaption(b.ours));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& b : kButtons)
        if (b.qt == clicked)
            return b.ours;
    return MsgButton::Cancel;
}

bool RealDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) {
    QInputDialog box(owningWindow(parent));
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(value);
    box.setOkButtonText(buttonCaption(MsgButton::Ok));
    box.setCancelButtonText(buttonCaption(MsgButton::Cancel));
    if (box.exec() != QDialog::Accepted)
        return false;
    value = box.textValue();
    return true;
}

QString RealDialogs::openFileName(const QString& caption, const QString& filter, const QString& dir,
                                  QWidget* parent) {
    return QFileDialog::getOpenFileName(owningWindow(parent), caption, dir, toQtFilter(filter));
}

QString RealDialogs::saveFileName(const QString& caption, const QString& filter, const QString& dir,
                                  const QString& defaultSuffix, QWidget* parent) {
    QFileDialog dlg(owningWindow(parent), caption, dir, toQtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().front();
}

int RealDialogs::showModal(QDialog& dialog) {
    // The window manager hands the focus back to the window below a modal one that closes, but
    // not always when that one closed another on its way out (the order's preview closing the new
    // order window): the window that opened it takes the focus back, so the keys reach it.
    const QPointer<QWidget> opener = QApplication::activeWindow();
    const int result = dialog.exec();
    if (opener && opener != &dialog && opener->isVisible())
        opener->activateWindow();
    return result;
}

} // namespace kv::ui
