// Drawing the magnifying-glass cursor.
#include "magnifiercursor.h"

#include <QPainter>
#include <QPixmap>

namespace kv::report {

const QCursor& magnifierCursor() {
    static const QCursor cursor = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        // Handle: a thick dark bar from the lens down to the right, white-edged to show on dark pages.
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 18), QPointF(28, 28));
        p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 18), QPointF(28, 28));
        // Lens: a light glass disc in a black rim.
        p.setPen(QPen(Qt::white, 4));
        p.setBrush(QColor(220, 235, 255, 160));
        p.drawEllipse(QPointF(11, 11), 8, 8);
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(QPointF(11, 11), 8, 8);
        // A glint on the glass.
        p.setPen(QPen(Qt::white, 1.5));
        p.drawArc(QRectF(6, 6, 8, 8), 90 * 16, 90 * 16);
        p.end();
        return QCursor(pixmap, 11, 11);
    }();
    return cursor;
}

} // namespace kv::report
