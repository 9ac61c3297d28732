// Drawing the print preview's button glyphs on a 32 x 32 grid scaled to the wanted size.
#include "previewglyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kv::print {
namespace {

const QColor kInk(0x37, 0x47, 0x4f);
const QColor kBlue(0x1e, 0x78, 0xd2);
const QColor kGreen(0x2e, 0x7d, 0x32);
const QColor kRed(0xc6, 0x28, 0x28);
const QColor kPaper(Qt::white);
const QColor kBody(0xcf, 0xd8, 0xdc);

QPen ink(qreal width = 1.6, const QColor& c = kInk) {
    QPen p(c, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(ink(2.4));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(ink(4.5));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.setPen(ink(2.4, kBlue));
    p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
    if (plus)
        p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

void printer(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 9));
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2.5, 2.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(ink(1.2));
    p.drawLine(QPointF(11.5, 23), QPointF(20.5, 23));
    p.drawLine(QPointF(11.5, 26), QPointF(18, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(25, 15), 1.3, 1.3);
}

void gear(QPainter& p, QPointF c) {
    p.setPen(ink(3.2, kBlue));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(0, 4), QPointF(0, 7));
        p.restore();
    }
    p.setPen(ink(1.4, kBlue));
    p.setBrush(kPaper);
    p.drawEllipse(c, 4.6, 4.6);
    p.setBrush(kBlue);
    p.drawEllipse(c, 1.5, 1.5);
}

// A sheet with a folded corner; returns nothing, the caller writes on it.
void sheet(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 7, r.top());
    path.lineTo(r.right(), r.top() + 7);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.setBrush(kBody);
    p.drawPolygon(QPolygonF({QPointF(r.right() - 7, r.top()), QPointF(r.right() - 7, r.top() + 7),
                             QPointF(r.right(), r.top() + 7)}));
}

void badge(QPainter& p, const QString& text, const QColor& colour) {
    const QRectF r(2, 17, 22, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(r, 2, 2);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(text.size() > 3 ? 7 : 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kPaper);
    p.drawText(r, Qt::AlignCenter, text);
}

void textLines(QPainter& p, qreal top, int count) {
    p.setPen(ink(1.2));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(9, top + 3.5 * i), QPointF(i % 2 ? 19 : 22, top + 3.5 * i));
}

void picture(QPainter& p, const QRectF& r) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf9, 0xa8, 0x25));
    p.drawEllipse(QPointF(r.right() - 5.5, r.top() + 5), 2.5, 2.5);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(r.left() + 1, r.bottom() - 0.8), QPointF(r.left() + 8, r.top() + 6),
                             QPointF(r.left() + 13, r.bottom() - 4), QPointF(r.left() + 16, r.top() + 9),
                             QPointF(r.right() - 1, r.bottom() - 0.8)}));
}

void envelope(QPainter& p, const QRectF& r) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.drawPolyline(
        QPolygonF({r.topLeft(), QPointF(r.center().x(), r.top() + r.height() * 0.6), r.topRight()}));
}

void triangle(QPainter& p, qreal tipX, bool left) {
    const qreal back = left ? tipX + 10 : tipX - 10;
    p.setPen(ink(1.2, kBlue.darker(130)));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(tipX, 16), QPointF(back, 8), QPointF(back, 24)}));
}

void bar(QPainter& p, qreal x) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue.darker(130));
    p.drawRect(QRectF(x, 8, 3, 16));
}

void cross(QPainter& p, const QColor& colour, qreal width) {
    p.setPen(ink(width, colour));
    p.drawLine(QPointF(10, 10), QPointF(22, 22));
    p.drawLine(QPointF(22, 10), QPointF(10, 22));
}

void draw(QPainter& p, PreviewGlyph g) {
    switch (g) {
    case PreviewGlyph::ZoomOut:
        magnifier(p, false);
        break;
    case PreviewGlyph::ZoomIn:
        magnifier(p, true);
        break;
    case PreviewGlyph::PrinterSetup:
        p.save();
        p.translate(-2, -2);
        printer(p);
        p.restore();
        gear(p, QPointF(24, 24));
        break;
    case PreviewGlyph::Print:
        printer(p);
        break;
    case PreviewGlyph::Text:
        sheet(p, QRectF(6, 3, 20, 26));
        textLines(p, 8, 3);
        badge(p, QStringLiteral("TXT"), kInk);
        break;
    case PreviewGlyph::Html:
        sheet(p, QRectF(6, 3, 20, 26));
        textLines(p, 8, 3);
        badge(p, QStringLiteral("HTML"), kBlue);
        break;
    case PreviewGlyph::Spreadsheet: {
        sheet(p, QRectF(6, 3, 20, 26));
        p.setPen(ink(1, kGreen));
        for (qreal y = 8; y <= 16; y += 4)
            p.drawLine(QPointF(9, y), QPointF(23, y));
        p.drawLine(QPointF(14, 7), QPointF(14, 16));
        p.drawLine(QPointF(19, 7), QPointF(19, 16));
        badge(p, QStringLiteral("XLS"), kGreen);
        break;
    }
    case PreviewGlyph::Picture:
        picture(p, QRectF(3, 6, 26, 20));
        break;
    case PreviewGlyph::Pictures:
        picture(p, QRectF(9, 3, 20, 16));
        picture(p, QRectF(3, 12, 20, 16));
        break;
    case PreviewGlyph::Pdf:
        sheet(p, QRectF(6, 3, 20, 26));
        textLines(p, 8, 3);
        badge(p, QStringLiteral("PDF"), kRed);
        break;
    case PreviewGlyph::Mail:
        envelope(p, QRectF(3, 8, 26, 17));
        break;
    case PreviewGlyph::Close:
        p.setPen(ink(1.4, kRed.darker(130)));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        cross(p, kPaper, 3.2);
        break;
    case PreviewGlyph::First:
        bar(p, 7);
        triangle(p, 11, true);
        triangle(p, 17, true);
        break;
    case PreviewGlyph::Prior:
        triangle(p, 11, true);
        break;
    case PreviewGlyph::Next:
        triangle(p, 21, false);
        break;
    case PreviewGlyph::Last:
        triangle(p, 15, false);
        triangle(p, 21, false);
        bar(p, 22);
        break;
    case PreviewGlyph::GoToPage: {
        sheet(p, QRectF(11, 3, 18, 24));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(11, 9, 18, 16), Qt::AlignCenter, QStringLiteral("#"));
        p.setPen(ink(3, kBlue));
        p.drawLine(QPointF(2, 22), QPointF(10, 22));
        p.drawLine(QPointF(7, 18), QPointF(10.5, 22));
        p.drawLine(QPointF(7, 26), QPointF(10.5, 22));
        break;
    }
    case PreviewGlyph::Cancel:
        cross(p, kRed, 4);
        break;
    case PreviewGlyph::Send:
        envelope(p, QRectF(2, 11, 20, 15));
        p.setPen(ink(1.2, kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF({QPointF(30, 8), QPointF(14, 8), QPointF(19, 12), QPointF(14, 16)}));
        break;
    }
}

} // namespace

QIcon previewGlyph(PreviewGlyph glyph, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(pixels / 32.0, pixels / 32.0);
        draw(p, glyph);
    }
    return QIcon(pixmap);
}

} // namespace kv::print
