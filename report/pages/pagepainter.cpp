// Replay of recorded pages through QPainter.
#include "pagepainter.h"

#include <QPainter>

namespace kv::report {

namespace {
int textFlags(quint8 flags) {
    const int horizontal = flags == 1 ? Qt::AlignRight : flags == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    return horizontal | Qt::AlignTop;
}

// Outlined figures cover their rectangle with right and bottom exclusive, as the recording means.
QRectF figure(const PageOp& op) {
    return QRectF(op.left, op.top, op.right - op.left - 1, op.bottom - op.top - 1);
}
} // namespace

void paintPage(const ReportPage& page, QPainter& painter, const QRectF& target) {
    const QSize size = page.size();
    if (size.isEmpty())
        return;
    const PageStyles& styles = page.styles();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    for (const PageOp& op : page.ops()) {
        switch (op.kind) {
        case PageOpKind::FillRect:
            painter.fillRect(op.rect(), styles.brushAt(op.brush));
            break;
        case PageOpKind::Line:
            painter.setPen(styles.penAt(op.pen));
            painter.drawLine(QPointF(op.left, op.top), QPointF(op.right, op.bottom));
            break;
        case PageOpKind::Rectangle:
        case PageOpKind::RoundRect:
        case PageOpKind::Ellipse:
            painter.setPen(styles.penAt(op.pen));
            painter.setBrush(styles.brushAt(op.brush));
            if (op.kind == PageOpKind::Rectangle)
                painter.drawRect(figure(op));
            else if (op.kind == PageOpKind::RoundRect)
                painter.drawRoundedRect(figure(op), op.ref / 2.0, op.ref / 2.0);
            else
                painter.drawEllipse(figure(op));
            break;
        case PageOpKind::Text:
            painter.setFont(styles.fontAt(op.font));
            painter.setPen(styles.penAt(op.pen));
            painter.drawText(QRectF(op.left, op.top, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                             page.text(op.ref));
            break;
        case PageOpKind::TextBox:
            painter.save();
            painter.setClipRect(op.rect(), Qt::IntersectClip);
            painter.setFont(styles.fontAt(op.font));
            painter.setPen(styles.penAt(op.pen));
            painter.drawText(QRectF(op.rect()), textFlags(op.flags), page.text(op.ref));
            painter.restore();
            break;
        case PageOpKind::Image:
            painter.drawImage(QRectF(op.rect()), page.image(op.ref));
            break;
        }
    }
    painter.restore();
}

} // namespace kv::report
