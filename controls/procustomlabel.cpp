// Painting of the caption label: background, vertical placement or rotation, offsets, then either
// the etched text of a disabled label or the shadow copies, the highlight and the face text.
#include "procustomlabel.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace kv::controls {

QColor TProCustomLabel::buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}
QColor TProCustomLabel::buttonHighlight() {
    return QApplication::palette().color(QPalette::Light);
}
QColor TProCustomLabel::buttonShadow() {
    return QApplication::palette().color(QPalette::Dark);
}

TProCustomLabel::TProCustomLabel(QWidget* parent)
    : QLabel(parent)
    , highlightColor_(buttonHighlight())
    , shadowColor_(buttonShadow())
    , color_(palette().color(QPalette::Window))
    , fontColor_(palette().color(QPalette::WindowText)) {}

void TProCustomLabel::setCaption(const QString& text) {
    setText(text);
    fit();
}

void TProCustomLabel::fit() {
    if (autoSize_ && angle_ == 0)
        adjustSize();
    update();
}

void TProCustomLabel::setAngle(int degrees) {
    angle_ = normaliseAngle(degrees);
    if (angle_ != 0)
        autoSize_ = false;
    update();
}

void TProCustomLabel::custom() {
    shadowStyle_ = TShadowStyle::ssCustom;
    update();
}

void TProCustomLabel::setHighlightDirection(TDirection d) {
    highlightDirection_ = d;
    custom();
}
void TProCustomLabel::setHighlightDepth(int px) {
    highlightDepth_ = px;
    custom();
}
void TProCustomLabel::setHighlightColor(const QColor& c) {
    highlightColor_ = c;
    custom();
}
void TProCustomLabel::setShadowDirection(TDirection d) {
    shadowDirection_ = d;
    custom();
}
void TProCustomLabel::setShadowDepth(int px) {
    shadowDepth_ = std::clamp(px, 0, kMaxShadow);
    custom();
}
void TProCustomLabel::setShadowSize(int copies) {
    shadowSize_ = std::clamp(copies, 0, kMaxShadow);
    custom();
}
void TProCustomLabel::setShadowColor(const QColor& c) {
    shadowColor_ = c;
    custom();
}

void TProCustomLabel::setShadowStyle(TShadowStyle s) {
    const auto preset = shadowPreset(s);
    shadowStyle_ = s;
    if (!preset)
        return;
    highlightDirection_ = preset->highlightDirection;
    highlightDepth_ = preset->highlightDepth;
    highlightColor_ = buttonHighlight();
    shadowDirection_ = preset->shadowDirection;
    shadowDepth_ = preset->shadowDepth;
    shadowSize_ = preset->shadowSize;
    shadowColor_ = buttonShadow();
    if (preset->faceColour)
        fontColor_ = buttonFace();
    update();
}

void TProCustomLabel::setOffsetX(int px) {
    offsetX_ = px;
    if (px > 0)
        autoSize_ = false;
    update();
}
void TProCustomLabel::setOffsetY(int px) {
    offsetY_ = px;
    if (px > 0)
        autoSize_ = false;
    update();
}

void TProCustomLabel::setVerticalAlignment(TVerticalAlignment v) {
    vAlign_ = v;
    update();
}
void TProCustomLabel::setAutoSize(bool on) {
    autoSize_ = on;
    fit();
}
void TProCustomLabel::setTransparent(bool on) {
    transparent_ = on;
    update();
}
void TProCustomLabel::setColor(const QColor& c) {
    color_ = c;
    update();
}
void TProCustomLabel::setFontColor(const QColor& c) {
    fontColor_ = c;
    update();
}
void TProCustomLabel::setShowAccelChar(bool on) {
    showAccelChar_ = on;
    update();
}
void TProCustomLabel::setLabelWordWrap(bool on) {
    setWordWrap(on);
    fit();
}

void TProCustomLabel::drawText(QPainter& p, const QRect& r, const QPoint& origin,
                               const QColor& colour) const {
    p.setPen(colour);
    if (angle_ == 0) {
        int flags = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextExpandTabs;
        if (wordWrap())
            flags |= Qt::TextWordWrap;
        if (showAccelChar_)
            flags |= Qt::TextShowMnemonic;
        p.drawText(r, flags, text());
        return;
    }
    // Rotated text starts at its unrotated top-left corner, as a text-out at a point does.
    p.save();
    p.translate(origin);
    p.rotate(-angle_);
    p.drawText(QPoint(0, p.fontMetrics().ascent()), text());
    p.restore();
}

void TProCustomLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    QRect r = rect();
    if (!transparent_)
        p.fillRect(r, color_);

    QPoint origin;
    const Qt::Alignment hAlign = alignment() & Qt::AlignHorizontal_Mask;
    if (angle_ == 0) {
        if (vAlign_ != TVerticalAlignment::vaTop) {
            int flags = int(hAlign) | Qt::TextExpandTabs | (wordWrap() ? Qt::TextWordWrap : 0);
            // The measured block ends with the last line's leading, which draws nothing; leaving it
            // out centres what is seen, as the text's height without external leading does.
            const int h = p.boundingRect(r, flags, text()).height() - p.fontMetrics().leading();
            r.translate(0, verticalShift(r.height(), h, vAlign_));
        }
    } else {
        const QFontMetrics fm(font());
        const QSize size(fm.horizontalAdvance(text()), fm.height());
        origin = placeRotated(size, angle_, r, hAlign, vAlign_).origin;
    }

    const QPoint offset(offsetX_, offsetY_);
    auto at = [&](QPoint move) {
        drawText(p, r.translated(offset + move), origin + offset + move, p.pen().color());
    };
    auto drawIn = [&](QPoint move, const QColor& c) {
        p.setPen(c);
        at(move);
    };

    if (!isEnabled()) {
        drawIn({1, 1}, buttonHighlight());
        drawIn({0, 0}, buttonShadow());
        return;
    }
    if (shadowStyle_ != TShadowStyle::ssNone) {
        const QPoint shadowStep = directionStep(shadowDirection_);
        QPoint move = shadowStep * shadowDepth_;
        for (int i = 0; i < shadowSize_; ++i) {
            drawIn(move, shadowColor_);
            move += shadowStep;
        }
        drawIn(directionStep(highlightDirection_) * highlightDepth_, highlightColor_);
    }
    drawIn({0, 0}, fontColor_);
}

void TProCustomLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Q_EMIT mouseEntered();
}

void TProCustomLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    Q_EMIT mouseLeft();
}

} // namespace kv::controls
