// Recording drawing operations into a page.
#include "reportpage.h"

#include <QColor>

namespace kv::report {

template <class T> quint16 PageStyles::intern(std::vector<T>& list, std::size_t& last, const T& value) {
    if (last < list.size() && list[last] == value)
        return quint16(last);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == value) {
            last = i;
            return quint16(i);
        }
    }
    list.push_back(value);
    last = list.size() - 1;
    return quint16(last);
}

quint16 PageStyles::pen(const QPen& pen) {
    return intern(pens_, lastPen_, pen);
}
quint16 PageStyles::brush(const QBrush& brush) {
    return intern(brushes_, lastBrush_, brush);
}
quint16 PageStyles::font(const QFont& font) {
    return intern(fonts_, lastFont_, font);
}

ReportPage::ReportPage(QSize size, std::shared_ptr<PageStyles> styles)
    : size_(size)
    , styles_(std::move(styles)) {}

PageOp& ReportPage::add(PageOpKind kind, const QRect& r) {
    PageOp& op = ops_.emplace_back();
    op.kind = kind;
    op.left = r.x();
    op.top = r.y();
    op.right = r.x() + r.width();
    op.bottom = r.y() + r.height();
    return op;
}

void ReportPage::fillRect(const QRect& r, const QBrush& brush) {
    add(PageOpKind::FillRect, r).brush = styles_->brush(brush);
}

void ReportPage::line(QPoint from, QPoint to, const QPen& pen) {
    PageOp& op = add(PageOpKind::Line, {});
    op.left = from.x();
    op.top = from.y();
    op.right = to.x();
    op.bottom = to.y();
    op.pen = styles_->pen(pen);
}

void ReportPage::rectangle(const QRect& r, const QPen& pen, const QBrush& brush) {
    PageOp& op = add(PageOpKind::Rectangle, r);
    op.pen = styles_->pen(pen);
    op.brush = styles_->brush(brush);
}

void ReportPage::roundRect(const QRect& r, int corner, const QPen& pen, const QBrush& brush) {
    PageOp& op = add(PageOpKind::RoundRect, r);
    op.pen = styles_->pen(pen);
    op.brush = styles_->brush(brush);
    op.ref = corner;
}

void ReportPage::ellipse(const QRect& r, const QPen& pen, const QBrush& brush) {
    PageOp& op = add(PageOpKind::Ellipse, r);
    op.pen = styles_->pen(pen);
    op.brush = styles_->brush(brush);
}

void ReportPage::text(QPoint topLeft, const QString& text, const QFont& font, const QColor& color) {
    PageOp& op = add(PageOpKind::Text, QRect(topLeft, QSize(0, 0)));
    op.font = styles_->font(font);
    op.pen = styles_->pen(QPen(color));
    op.ref = qint32(texts_.size());
    texts_.push_back(text);
}

void ReportPage::textBox(const QRect& r, int alignment, const QString& text, const QFont& font,
                         const QColor& color) {
    PageOp& op = add(PageOpKind::TextBox, r);
    op.flags = quint8(alignment);
    op.font = styles_->font(font);
    op.pen = styles_->pen(QPen(color));
    op.ref = qint32(texts_.size());
    texts_.push_back(text);
}

void ReportPage::image(const QRect& r, const QImage& image) {
    PageOp& op = add(PageOpKind::Image, r);
    op.ref = qint32(images_.size());
    images_.push_back(image);
}

std::size_t ReportPage::memoryUsed() const {
    std::size_t bytes = sizeof(*this) + ops_.capacity() * sizeof(PageOp) +
                        texts_.capacity() * sizeof(QString) + images_.capacity() * sizeof(QImage);
    for (const QString& t : texts_)
        bytes += std::size_t(t.capacity()) * sizeof(QChar) + 16; // the string's header
    return bytes;
}

} // namespace kv::report
