// The common frame of the code-list and settings windows.
#include "codelistwindow.h"

#include "codelisttexts.h"

#include "ui/dialogs.h"
#include "ui/windowplacement.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace kv::codelists {

CodeListWindow::CodeListWindow(const char* objectName, const QString& caption, QSize clientSize,
                               QWidget* parent)
    : QDialog(parent, Qt::Tool) {
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);
    setAccessibleName(caption);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    setFixedSize(clientSize);
}

int CodeListWindow::openFrom(const QWidget& opener, QPoint offset) {
    return ui::showModalAtOpener(*this, opener, offset);
}

void CodeListWindow::showEvent(QShowEvent* event) {
    // A window shown again after being minimised is not shown anew.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void CodeListWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && hasUnsavedTyping() &&
        !ui::askYesNo(texts::discardTypingQuestion(), ui::MsgStyle::Warning, this))
        return;
    QDialog::keyPressEvent(event);
}

void CodeListWindow::done(int result) {
    FormClose();
    QDialog::done(result);
}

} // namespace kv::codelists
