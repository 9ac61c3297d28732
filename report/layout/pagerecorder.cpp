// Paged output: page breaking and the drawing of every control into recorded pages.
#include "pagerecorder.h"

#include "labellayout.h"
#include "report/model/dataimagecontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/memocontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/band.h"
#include "report/model/systemdatacontrol.h"
#include "report/model/report.h"

#include <algorithm>

namespace kv::report {

PageRecorder::PageRecorder() = default;
PageRecorder::~PageRecorder() = default;

void PageRecorder::beginReport() {
    pages_.clear();
    current_ = nullptr;
    pageNumber_ = 0;
    int headers = 0;
    int footers = 0;
    for (const Band* band : report()->bands()) {
        if (band->bandType() == rbPageHeader)
            headers += band->height();
        else if (band->bandType() == rbPageFooter)
            footers += band->height();
    }
    model_ = PageModel(PageFrame::of(*report()), headers, footers);
}

void PageRecorder::newPage() {
    const PageFrame& f = model_.frame();
    current_ = &pages_.append(QSize(f.width, f.height));
    current_->fillRect(QRect(0, 0, f.width, f.height), QBrush(Qt::white));
    model_.startPage();
    pageNumber_ = pages_.count();
    const bool outer = inPageBands_;
    inPageBands_ = true;
    model_.toFooters();
    generateBands(rbPageFooter);
    model_.toHeaders();
    generateBands(rbPageHeader);
    inPageBands_ = outer;
}

void PageRecorder::endReport() {
    current_ = nullptr;
}

void PageRecorder::breakBand(Band& band) {
    if (!model_.nextColumn(band.width()))
        newPage();
}

void PageRecorder::startBand(Band& band) {
    if (canBreak() && model_.breaksAtStart(band.height(), band.bandType() == rbPageFooter))
        breakBand(band);
}

void PageRecorder::checkBand(Band& band) {
    if (canBreak() && model_.breaksAtCheck(band.height()))
        breakBand(band);
}

void PageRecorder::advanceBand(Band& band) {
    model_.advance(band.height());
}

void PageRecorder::bandBackground(Band& band) {
    const int x = model_.x;
    const int y = model_.y;
    const int width = band.width();
    const int height = band.height();
    page().fillRect(QRect(x, y, width, height), band.brush());
    const BandFrame& frame = band.frame();
    const QPen& pen = frame.pen();
    const int w = pen.width();
    auto side = [&](int x1, int y1, int x2, int y2) {
        page().line(QPoint(x + x1, y + y1), QPoint(x + x2, y + y2), pen);
    };
    if (frame.left())
        side(0, 0, 0, height - w);
    if (frame.top())
        side(0, 0, width - w, 0);
    if (frame.bottom())
        side(0, height - w, width - w, height - w);
    if (frame.right())
        side(width - w, 0, width - w, height - w);
}

void PageRecorder::generateLabel(Band&, LabelBase& label) {
    QString text = label.text();
    if (auto* sys = dynamic_cast<SystemDataControl*>(&label); sys && sys->systemData == sdCurrentPage)
        text += QString::number(pageNumber_);
    const QRect r = controlRect(label.boundsRect());
    if (!label.transparent)
        page().fillRect(r, QBrush(label.color));
    LabelBox box;
    box.size = r.size();
    box.alignment = label.alignment;
    // A data text is centred vertically whatever its layout says.
    box.layout = dynamic_cast<DataTextControl*>(&label) ? tlCenter : label.layout;
    box.wordWrap = label.wordWrap;
    const QFont font = label.shrinkToFit ? shrunkFont(text, box, label.font, measurer()) : label.font;
    for (const LabelLine& line : layoutLabel(text, box, font, measurer())) {
        if (!line.text.isEmpty())
            page().text(r.topLeft() + QPoint(line.x, line.y), line.text, font, label.fontColor);
    }
}

void PageRecorder::generateMemo(Band& band, MemoBase& memo) {
    const PageFrame& f = model_.frame();
    QRect r = controlRect(memo.boundsRect());
    const int rightLimit = f.width - f.leftAndRight;
    if (r.x() + r.width() > rightLimit)
        r.setWidth(std::max(rightLimit - r.x(), 0));
    // A memo reaching below the bottom margin moves, with the rest of its band, to the next column
    // or page. Bands that cannot break (page footers, page bands of a fresh page) draw it in place.
    if (r.y() + r.height() > f.height - f.topAndBottom && band.bandType() != rbPageFooter && canBreak()) {
        model_.y = f.height + 1;
        startBand(band);
        r = controlRect(memo.boundsRect());
    }
    page().fillRect(r, QBrush(memo.color));
    // Lines are broken here, with the report's text metrics, so screen, printer and image show
    // the same lines; the box clips what runs past its bottom.
    const QStringList lines = wrapMemoLines(memo.text(), r.width(), memo.font, measurer());
    const int alignment = memo.alignment == taRightJustify ? 1 : memo.alignment == taCenter ? 2 : 0;
    page().textBox(r, alignment, lines.join(QLatin1Char('\n')), memo.font, memo.fontColor);
}

void PageRecorder::generateShape(Band& band, ShapeControl& shape) {
    const int x = model_.x;
    const int y = model_.y;
    const int p = shape.pen.width();
    int left = x + shape.left + p / 2;
    int top = y + shape.top;
    int w = p == 0 ? shape.width : shape.width - p + 1;
    int h = p == 0 ? shape.height : shape.height - p + 1;
    if ((left - x) + w > band.width())
        w = band.width() - (left - x);
    if ((top - y) + h > band.height())
        h = band.height() - (top - y);
    // A shape lying wholly outside its band draws nothing rather than a reversed figure.
    if (w <= 0 || h <= 0)
        return;
    const int s = std::min(w, h);
    if (shape.shape == stSquare || shape.shape == stRoundSquare || shape.shape == stCircle) {
        left += (w - s) / 2;
        top += (h - s) / 2;
        w = h = s;
    }
    const QRect r(left, top, w, h);
    switch (shape.shape) {
    case stRectangle:
    case stSquare:
        page().rectangle(r, shape.pen, shape.brush);
        break;
    case stRoundRect:
    case stRoundSquare:
        page().roundRect(r, s / 4, shape.pen, shape.brush);
        break;
    case stEllipse:
    case stCircle:
        page().ellipse(r, shape.pen, shape.brush);
        break;
    }
}

void PageRecorder::drawPicture(const QImage& picture, bool stretch, const QRect& bounds) {
    if (picture.isNull())
        return;
    QRect r = controlRect(bounds);
    const PageFrame& f = model_.frame();
    const int rightLimit = f.width - f.leftAndRight;
    if (r.x() + r.width() > rightLimit) {
        r.setWidth(std::max(rightLimit - r.x(), 0));
        page().image(r, picture);
    } else if (!stretch) {
        // Its own size, unless that passes the box: then as large as the box holds, in proportion.
        const QSize own = picture.size();
        const bool fits = own.width() <= r.width() && own.height() <= r.height();
        page().image(QRect(r.topLeft(), fits ? own : own.scaled(r.size(), Qt::KeepAspectRatio)), picture);
    } else {
        page().image(r, picture);
    }
}

void PageRecorder::generateImage(Band&, ImageControl& image) {
    drawPicture(image.picture, image.stretch, image.boundsRect());
}

void PageRecorder::generateDataImage(Band&, DataImageControl& image) {
    drawPicture(image.picture(), image.stretch, image.boundsRect());
}

} // namespace kv::report
