// A recorded page: the drawing operations of one report page in report-surface pixels, in the
// order they were made. Pens, brushes and fonts are kept once per document in a shared style table,
// so an operation is a few integers. paintPage() replays a page into any painter.
#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

namespace kv::report {

// Pens, brushes and fonts used by the pages of one document, each kept once.
class PageStyles {
public:
    quint16 pen(const QPen& pen);
    quint16 brush(const QBrush& brush);
    quint16 font(const QFont& font);
    const QPen& penAt(quint16 i) const { return pens_[i]; }
    const QBrush& brushAt(quint16 i) const { return brushes_[i]; }
    const QFont& fontAt(quint16 i) const { return fonts_[i]; }

private:
    template <class T> static quint16 intern(std::vector<T>& list, std::size_t& last, const T& value);

    std::vector<QPen> pens_;
    std::vector<QBrush> brushes_;
    std::vector<QFont> fonts_;
    std::size_t lastPen_ = 0;
    std::size_t lastBrush_ = 0;
    std::size_t lastFont_ = 0;
};

enum class PageOpKind : quint8 {
    FillRect,  // rect filled with brush, no outline
    Line,      // from (left, top) to (right, bottom) with pen, the end point left out
    Rectangle, // outlined with pen, filled with brush; right and bottom exclusive
    RoundRect, // as Rectangle with corner ellipses of `ref` x `ref`
    Ellipse,   // in the rect, outlined with pen, filled with brush
    Text,      // texts[ref] with its top-left corner at (left, top), font, text colour of pen
    TextBox,   // the lines of texts[ref] from the rect's top, each aligned by `flags`, clipped to the rect
    Image,     // images[ref] stretched into the rect
};

struct PageOp {
    PageOpKind kind;
    quint8 flags = 0; // TextBox: 0 left, 1 right, 2 centred
    quint16 pen = 0;
    quint16 brush = 0;
    quint16 font = 0;
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;
    qint32 ref = 0;

    QRect rect() const { return QRect(left, top, right - left, bottom - top); }
};

class ReportPage {
public:
    ReportPage(QSize size, std::shared_ptr<PageStyles> styles);

    QSize size() const { return size_; }
    const std::vector<PageOp>& ops() const { return ops_; }
    const QString& text(int i) const { return texts_[std::size_t(i)]; }
    const QImage& image(int i) const { return images_[std::size_t(i)]; }
    const PageStyles& styles() const { return *styles_; }

    // Recording. Rectangles are (left, top, width, height) in report pixels.
    void fillRect(const QRect& r, const QBrush& brush);
    void line(QPoint from, QPoint to, const QPen& pen);
    void rectangle(const QRect& r, const QPen& pen, const QBrush& brush);
    void roundRect(const QRect& r, int corner, const QPen& pen, const QBrush& brush);
    void ellipse(const QRect& r, const QPen& pen, const QBrush& brush);
    void text(QPoint topLeft, const QString& text, const QFont& font, const QColor& color);
    void textBox(const QRect& r, int alignment, const QString& text, const QFont& font, const QColor& color);
    void image(const QRect& r, const QImage& image);

    // Bytes the page holds beyond what it shares with other pages (operations, texts, images).
    std::size_t memoryUsed() const;

private:
    PageOp& add(PageOpKind kind, const QRect& r);

    QSize size_;
    std::shared_ptr<PageStyles> styles_;
    std::vector<PageOp> ops_;
    std::vector<QString> texts_;
    std::vector<QImage> images_;
};

} // namespace kv::report
