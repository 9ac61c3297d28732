// The window placement rule and the modal showing every main-window button uses.
#include "windowplacement.h"

#include "dialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kv::ui {

QPoint placeOnScreen(QPoint wanted, QSize windowSize, QSize screenSize) {
    QPoint p = wanted;
    if (p.x() + windowSize.width() > screenSize.width())
        p.setX(screenSize.width() - windowSize.width());
    if (p.y() + windowSize.height() > screenSize.height())
        p.setY(screenSize.height() - windowSize.height() - 30);
    return p;
}

QPoint bringOnScreen(QPoint wanted, QSize windowSize, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return wanted;
    const QRect window(wanted, windowSize);
    // The area sharing most of the window; among those sharing none, the one nearest to its corner.
    const auto shared = [&window](const QRect& area) {
        const QRect common = area.intersected(window);
        return common.isEmpty() ? qint64(0) : qint64(common.width()) * common.height();
    };
    const auto distance = [&wanted](const QRect& area) { return (area.center() - wanted).manhattanLength(); };
    const QRect* nearest = &screens.first();
    for (const QRect& area : screens) {
        if (area.contains(window))
            return wanted;
        if (shared(area) > shared(*nearest) || (shared(area) == shared(*nearest) && distance(area) < distance(*nearest)))
            nearest = &area;
    }
    const int x = std::max(nearest->left(), std::min(wanted.x(), nearest->right() + 1 - windowSize.width()));
    const int y = std::max(nearest->top(), std::min(wanted.y(), nearest->bottom() + 1 - windowSize.height()));
    return {x, y};
}

QPoint bringOnScreen(QPoint wanted, QSize windowSize) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return bringOnScreen(wanted, windowSize, areas);
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
