// Paged output: page breaking and the drawing of every control into recorded pages.
#include "turbowmfgenerator.h"

#include "labellayout.h"
#include "report/model/tdbimage.h"
#include "report/model/tdbtext.h"
#include "report/model/timage.h"
#include "report/model/tmemo.h"
#include "report/model/tshape.h"
#include "report/model/turboband.h"
#include "report/model/turbosysdata.h"
#include "report/model/zireziduzoz.h"

#include <algorithm>

namespace kv::report {

TTurboWMFGenerator::TTurboWMFGenerator() = default;
TTurboWMFGenerator::~TTurboWMFGenerator() = default;

void TTurboWMFGenerator::BeginReport() {
    pages_.Clear();
    current_ = nullptr;
    pageNumber_ = 0;
    int headers = 0;
    int footers = 0;
    for (const TTurboBand* band : Report()->Bands()) {
        if (band->BandType() == rbPageHeader)
            headers += band->Height();
        else if (band->BandType() == rbPageFooter)
            footers += band->Height();
    }
    model_ = PageModel(PageFrame::of(*Report()), headers, footers);
}

void TTurboWMFGenerator::NewPage() {
    const PageFrame& f = model_.frame();
    current_ = &pages_.Append(QSize(f.width, f.height));
    current_->fillRect(QRect(0, 0, f.width, f.height), QBrush(Qt::white));
    model_.startPage();
    pageNumber_ = pages_.Count();
    const bool outer = inPageBands_;
    inPageBands_ = true;
    model_.toFooters();
    GenerateBands(rbPageFooter);
    model_.toHeaders();
    GenerateBands(rbPageHeader);
    inPageBands_ = outer;
}

void TTurboWMFGenerator::EndReport() {
    current_ = nullptr;
}

void TTurboWMFGenerator::breakBand(TTurboBand& band) {
    if (!model_.nextColumn(band.Width()))
        NewPage();
}

void TTurboWMFGenerator::StartBand(TTurboBand& band) {
    if (canBreak() && model_.breaksAtStart(band.Height(), band.BandType() == rbPageFooter))
        breakBand(band);
}

void TTurboWMFGenerator::CheckBand(TTurboBand& band) {
    if (canBreak() && model_.breaksAtCheck(band.Height()))
        breakBand(band);
}

void TTurboWMFGenerator::AdvanceBand(TTurboBand& band) {
    model_.advance(band.Height());
}

void TTurboWMFGenerator::BandBackground(TTurboBand& band) {
    const int x = model_.x;
    const int y = model_.y;
    const int width = band.Width();
    const int height = band.Height();
    page().fillRect(QRect(x, y, width, height), band.Brush());
    const TTurboFrame& frame = band.Frame();
    const QPen& pen = frame.Pen();
    const int w = pen.width();
    auto side = [&](int x1, int y1, int x2, int y2) {
        page().line(QPoint(x + x1, y + y1), QPoint(x + x2, y + y2), pen);
    };
    if (frame.Left())
        side(0, 0, 0, height - w);
    if (frame.Top())
        side(0, 0, width - w, 0);
    if (frame.Bottom())
        side(0, height - w, width - w, height - w);
    if (frame.Right())
        side(width - w, 0, width - w, height - w);
}

void TTurboWMFGenerator::GenerateLabel(TTurboBand&, TCustomLabel& label) {
    QString text = label.Text();
    if (auto* sys = dynamic_cast<TTurboSysData*>(&label); sys && sys->SysData == sdCurrentPage)
        text += QString::number(pageNumber_);
    const QRect r = controlRect(label.BoundsRect());
    if (!label.Transparent)
        page().fillRect(r, QBrush(label.Color));
    LabelBox box;
    box.size = r.size();
    box.alignment = label.Alignment;
    // A data text is centred vertically whatever its layout says.
    box.layout = dynamic_cast<TDBText*>(&label) ? tlCenter : label.Layout;
    box.wordWrap = label.WordWrap;
    for (const LabelLine& line : layoutLabel(text, box, label.Font, measurer())) {
        if (!line.text.isEmpty())
            page().text(r.topLeft() + QPoint(line.x, line.y), line.text, label.Font, label.FontColor);
    }
}

void TTurboWMFGenerator::GenerateMemo(TTurboBand& band, TCustomMemo& memo) {
    const PageFrame& f = model_.frame();
    QRect r = controlRect(memo.BoundsRect());
    const int rightLimit = f.width - f.leftAndRight;
    if (r.x() + r.width() > rightLimit)
        r.setWidth(std::max(rightLimit - r.x(), 0));
    // A memo reaching below the bottom margin moves, with the rest of its band, to the next column
    // or page. Bands that cannot break (page footers, page bands of a fresh page) draw it in place.
    if (r.y() + r.height() > f.height - f.topAndBottom && band.BandType() != rbPageFooter && canBreak()) {
        model_.y = f.height + 1;
        StartBand(band);
        r = controlRect(memo.BoundsRect());
    }
    page().fillRect(r, QBrush(memo.Color));
    // Lines are broken here, with the report's text metrics, so screen, printer and image show
    // the same lines; the box clips what runs past its bottom.
    const QStringList lines = wrapMemoLines(memo.Text(), r.width(), memo.Font, measurer());
    const int alignment = memo.Alignment == taRightJustify ? 1 : memo.Alignment == taCenter ? 2 : 0;
    page().textBox(r, alignment, lines.join(QLatin1Char('\n')), memo.Font, memo.FontColor);
}

void TTurboWMFGenerator::GenerateShape(TTurboBand& band, TShape& shape) {
    const int x = model_.x;
    const int y = model_.y;
    const int p = shape.Pen.width();
    int left = x + shape.Left + p / 2;
    int top = y + shape.Top;
    int w = p == 0 ? shape.Width : shape.Width - p + 1;
    int h = p == 0 ? shape.Height : shape.Height - p + 1;
    if ((left - x) + w > band.Width())
        w = band.Width() - (left - x);
    if ((top - y) + h > band.Height())
        h = band.Height() - (top - y);
    // A shape lying wholly outside its band draws nothing rather than a reversed figure.
    if (w <= 0 || h <= 0)
        return;
    const int s = std::min(w, h);
    if (shape.Shape == stSquare || shape.Shape == stRoundSquare || shape.Shape == stCircle) {
        left += (w - s) / 2;
        top += (h - s) / 2;
        w = h = s;
    }
    const QRect r(left, top, w, h);
    switch (shape.Shape) {
    case stRectangle:
    case stSquare:
        page().rectangle(r, shape.Pen, shape.Brush);
        break;
    case stRoundRect:
    case stRoundSquare:
        page().roundRect(r, s / 4, shape.Pen, shape.Brush);
        break;
    case stEllipse:
    case stCircle:
        page().ellipse(r, shape.Pen, shape.Brush);
        break;
    }
}

void TTurboWMFGenerator::drawPicture(const QImage& picture, bool stretch, const QRect& bounds) {
    if (picture.isNull())
        return;
    QRect r = controlRect(bounds);
    const PageFrame& f = model_.frame();
    const int rightLimit = f.width - f.leftAndRight;
    if (r.x() + r.width() > rightLimit) {
        r.setWidth(std::max(rightLimit - r.x(), 0));
        page().image(r, picture);
    } else if (!stretch) {
        page().image(QRect(r.topLeft(), picture.size()), picture);
    } else {
        page().image(r, picture);
    }
}

void TTurboWMFGenerator::GenerateImage(TTurboBand&, TImage& image) {
    drawPicture(image.Picture, image.Stretch, image.BoundsRect());
}

void TTurboWMFGenerator::GenerateDBImage(TTurboBand&, TDBImage& image) {
    drawPicture(image.Picture(), image.Stretch, image.BoundsRect());
}

} // namespace kv::report
