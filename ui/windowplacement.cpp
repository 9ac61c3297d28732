// The window placement rule and the modal showing every main-window button uses.
#include "windowplacement.h"

#include "dialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kv::ui {

QPoint placeOnScreen(QPoint wanted, QSize windowSize, QSize screenSize) {
    QPoint p = wanted;
    if (p.x() + windowSize.width() > screenSize.width())
        p.setX(screenSize.width() - windowSize.width());
    if (p.y() + windowSize.height() > screenSize.height())
        p.setY(screenSize.height() - windowSize.height() - 30);
    return p;
}

void placeAtOpener(QWidget& window, const QWidget& opener, QPoint offset) {
    const QScreen* screen = opener.screen() ? opener.screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    // A window never shown yet has no frame; its size then stands for the whole window.
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    window.move(placeOnScreen(opener.pos() + offset, size, screenSize));
}

int showModalAtOpener(QDialog& dialog, const QWidget& opener, QPoint offset) {
    placeAtOpener(dialog, opener, offset);
    return dialogs().showModal(dialog);
}

} // namespace kv::ui
