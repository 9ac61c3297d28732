// The fill bar's colour rule and its drawing.
#include "fillbar.h"

#include <QPainter>
#include <algorithm>

namespace kv::controls {

QColor fillBarColour(int position, int maximum, const QColor& current) {
    if (maximum == 0)
        return current;
    return double(position) / double(maximum) < 0.9 ? QColor(0, 255, 0) : QColor(255, 0, 0);
}

TFillBar::TFillBar(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TFillBar::setMaximum(int m) {
    maximum_ = m;
    update();
}

void TFillBar::setPosition(int p) {
    position_ = p;
    update();
}

void TFillBar::setBarColor(const QColor& c) {
    colour_ = c;
    update();
}

void TFillBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, Qt::white);
    if (maximum_ > 0 && position_ > 0) {
        const QRect inner = r.adjusted(1, 1, -1, -1);
        const int w = int(qint64(inner.width()) * std::min(position_, maximum_) / maximum_);
        p.fillRect(QRect(inner.left(), inner.top(), w, inner.height()), colour_);
    }
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace kv::controls
