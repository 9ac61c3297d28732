// Drawing of the application icon, the splash picture and the notice picture.
#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kv::app {
namespace {

const QColor kDeepBlue(22, 62, 122);
const QColor kBlue(52, 120, 196);
const QColor kPaper(252, 252, 246);
const QColor kInk(90, 104, 128);
const QColor kGreen(46, 150, 70);

// An order sheet with a folded corner, text lines and a tick, in `r`.
void drawOrderSheet(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() * 0.28;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 0, 60), r.width() * 0.02));
    p.setBrush(kPaper);
    p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(214, 220, 230));
    p.drawPath(corner);

    p.setPen(QPen(kInk, r.height() * 0.035, Qt::SolidLine, Qt::RoundCap));
    const qreal x0 = r.left() + r.width() * 0.15;
    for (int i = 0; i < 4; ++i) {
        const qreal y = r.top() + r.height() * (0.32 + 0.13 * i);
        const qreal x1 = r.right() - r.width() * (i == 3 ? 0.5 : 0.15);
        p.drawLine(QPointF(x0, y), QPointF(x1, y));
    }

    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.48, r.top() + r.height() * 0.80);
    tick.lineTo(r.left() + r.width() * 0.62, r.top() + r.height() * 0.92);
    tick.lineTo(r.left() + r.width() * 0.92, r.top() + r.height() * 0.66);
    p.setPen(QPen(kGreen, r.width() * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

} // namespace

QImage iconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, kBlue);
    bg.setColorAt(1, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);
    drawOrderSheet(p, QRectF(s * 0.24, s * 0.16, s * 0.52, s * 0.68));
    return img;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(iconImage(size)));
    return icon;
}

QImage splashPicture() {
    QImage img(151, 165, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(236, 242, 250));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRadialGradient disc(QPointF(60, 55), 95);
    disc.setColorAt(0, kBlue.lighter(130));
    disc.setColorAt(1, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QRectF(0, 0, 151, 151));

    drawOrderSheet(p, QRectF(52, 22, 47, 60));

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(19);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 88, 151, 24), Qt::AlignCenter, QStringLiteral("Kalmorvaty"));
    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(10);
    p.setFont(sub);
    p.setPen(QColor(206, 222, 244));
    p.drawText(QRectF(0, 112, 151, 14), Qt::AlignCenter, QStringLiteral("objednávky dodavatelům"));

    // The strip under the disc, where the progress text is written in black.
    p.setPen(QPen(kBlue, 1));
    p.drawLine(QPointF(8, 150.5), QPointF(143, 150.5));
    return img;
}

QImage noticePicture(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // A postcard, slightly turned, with a stamp and a few lines of greeting.
    p.translate(s / 2, s / 2);
    p.rotate(-8);
    const QRectF card(-s * 0.44, -s * 0.3, s * 0.88, s * 0.6);
    p.setPen(QPen(QColor(120, 110, 90), s * 0.012));
    p.setBrush(QColor(255, 250, 232));
    p.drawRoundedRect(card, s * 0.03, s * 0.03);
    p.setPen(QPen(QColor(200, 190, 170), s * 0.01));
    p.drawLine(QPointF(0, card.top() + s * 0.06), QPointF(0, card.bottom() - s * 0.06));

    p.setPen(QPen(kInk, s * 0.02, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const qreal y = card.top() + s * (0.3 + 0.09 * i);
        p.drawLine(QPointF(s * 0.05, y), QPointF(card.right() - s * 0.05, y));
    }

    const QRectF stamp(card.right() - s * 0.2, card.top() + s * 0.05, s * 0.15, s * 0.17);
    p.setPen(QPen(Qt::white, s * 0.012, Qt::DotLine));
    p.setBrush(QColor(214, 60, 60));
    p.drawRect(stamp);
    // A heart on the stamp.
    QPainterPath heart;
    const QPointF c = stamp.center();
    const qreal h = stamp.width() * 0.32;
    heart.moveTo(c.x(), c.y() + h);
    heart.cubicTo(c.x() - 2 * h, c.y() - 0.2 * h, c.x() - 0.8 * h, c.y() - 1.6 * h, c.x(), c.y() - 0.5 * h);
    heart.cubicTo(c.x() + 0.8 * h, c.y() - 1.6 * h, c.x() + 2 * h, c.y() - 0.2 * h, c.x(), c.y() + h);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(heart);

    // The picture side: a small town skyline on the left half.
    p.setBrush(QColor(96, 140, 190));
    const qreal base = card.bottom() - s * 0.06;
    const qreal widths[] = {0.07, 0.06, 0.09, 0.05, 0.07};
    const qreal heights[] = {0.16, 0.26, 0.12, 0.22, 0.14};
    qreal x = card.left() + s * 0.04;
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(x, base - s * heights[i], s * widths[i], s * heights[i]));
        x += s * widths[i];
    }
    return img;
}

} // namespace kv::app
