// The preview control: page generation, navigation, zoom, painting and printing.
#include "reportpreview.h"

#include "magnifiercursor.h"
#include "previewgeometry.h"
#include "printchooser.h"
#include "report/pages/pagepainter.h"
#include "report/model/reporterror.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <algorithm>

namespace kv::report {

class ReportPreview::PaintBox : public QWidget {
public:
    explicit PaintBox(ReportPreview& view)
        : QWidget(nullptr)
        , view_(view) {
        setCursor(magnifierCursor());
        setAccessibleName(QStringLiteral("Stránka náhledu"));
        setAccessibleDescription(QStringLiteral("Levé tlačítko myši zvětší, pravé zmenší, prostřední vrátí "
                                                "normální velikost"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        view_.paintPage(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { view_.pageMouseDown(event->button()); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }

private:
    ReportPreview& view_;
};

ReportPreview::ReportPreview(QWidget* parent)
    : QScrollArea(parent)
    , reportDirectory_(QDir::homePath() + QLatin1Char('/')) {
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(true);
    setViewColour(Qt::white);
}

void ReportPreview::setViewColour(const QColor& colour) {
    QPalette pal = viewport()->palette();
    pal.setColor(viewport()->backgroundRole(), colour);
    viewport()->setPalette(pal);
}

ReportPreview::~ReportPreview() = default;

QPrinter& ReportPreview::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void ReportPreview::prepare() {
    if (progressBar_)
        progressBar_->hide();
    if (!report_)
        throw ReportError(QStringLiteral("Náhled tisku nemá zadanou sestavu."));
    generator_ = std::make_unique<PageRecorder>();
    generator_->execute(*report_);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(16);
        bar->setValue(0);
    }
    auto* box = new PaintBox(*this);
    box->setObjectName(QStringLiteral("PaintBox"));
    setWidget(box); // deletes the previous paint box
    report_->visible = false;
    pageCount_ = generator_->pageCount();
    setPage(1);
    setViewColour(palette().color(QPalette::Button));
    updatePlacement();
}

void ReportPreview::setPage(int n) {
    if (n < 1 || n > pageCount_)
        return;
    currentPage_ = n;
    if (widget())
        widget()->update();
}

void ReportPreview::firstPage() {
    if (currentPage_ == 1)
        return;
    setPage(1);
    Q_EMIT onPageChange(currentPage_);
}

void ReportPreview::lastPage() {
    if (currentPage_ == pageCount_)
        return;
    setPage(pageCount_);
    Q_EMIT onPageChange(currentPage_);
}

void ReportPreview::nextPage() {
    if (currentPage_ >= pageCount_)
        return;
    ++currentPage_;
    if (widget())
        widget()->update();
    Q_EMIT onPageChange(currentPage_);
}

void ReportPreview::priorPage() {
    if (currentPage_ < 2)
        return;
    setPage(currentPage_ - 1);
    Q_EMIT onPageChange(currentPage_);
}

void ReportPreview::setZoom(int zoom) {
    if (zoom == zoom_ || zoom < 25 || zoom > 400)
        return;
    zoom_ = zoom;
    updatePlacement();
    if (widget())
        widget()->update();
    Q_EMIT onZoomChange(zoom_);
}

void ReportPreview::pageMouseDown(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        setZoom(zoom_ + 25);
    else if (button == Qt::RightButton)
        setZoom(zoom_ - 25);
    else if (button == Qt::MiddleButton)
        setZoom(100);
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    updatePlacement();
}

void ReportPreview::updatePlacement() {
    if (!generator_ || !widget() || currentPage_ < 1)
        return;
    // The visible area depends on the scroll bars, which depend on the scrollable size: settle it
    // from the area without bars before resizing, so the page is centred in what stays visible.
    const QSize page = generator_->page(currentPage_).size();
    const QSize whole = maximumViewportSize();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    QSize visible = whole;
    for (int pass = 0; pass < 3; ++pass) {
        const QSize scroll = placePreview(page, zoom_, visible).scrollSize;
        QSize next = whole;
        if (scroll.height() > whole.height())
            next.rwidth() -= barWidth;
        if (scroll.width() > next.width())
            next.rheight() -= barHeight;
        if (scroll.height() > next.height())
            next.setWidth(whole.width() - barWidth);
        if (next == visible)
            break;
        visible = next;
    }
    visible_ = visible;
    widget()->resize(placePreview(page, zoom_, visible_).scrollSize);
}

void ReportPreview::paintPage(QPainter& painter) {
    if (!generator_ || currentPage_ < 1 || currentPage_ > generator_->pageCount())
        return;
    const ReportPage& page = generator_->page(currentPage_);
    const PreviewPlacement p = placePreview(page.size(), zoom_, visible_);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawRect(p.frame);
    kv::report::paintPage(page, painter, QRectF(p.page));
    Q_EMIT onPrint(currentPage_);
}

void ReportPreview::print() {
    Q_EMIT onBeforePrint(0);
    // OnAfterPrint ends every print, whether it printed, was cancelled or failed.
    struct AfterPrint {
        ReportPreview& view;
        ~AfterPrint() { Q_EMIT view.onAfterPrint(view.pageCount_); }
    } afterPrint{*this};

    QPrinter& printer = this->printer();
    // The report's own paper and orientation only until the user chooses others, in the setup
    // or the print dialog: so a landscape list is not squeezed onto an upright sheet, and a
    // choice of the user is not undone at the next print.
    applySetup(printer, printSetup_.startingChoice(report_, QPrinterInfo::defaultPrinterName()));
    PrintChoice choice;
    if (!printChooser().choosePrint(printer, pageCount_, choice, this))
        return;
    printSetup_.chosenInPrintDialog(report_, setupOf(printer));
    if (!generator_)
        return;
    // After a failed Prepare the generator may hold fewer pages than the count shown.
    const auto [first, last] =
        printedPages(choice, std::min(pageCount_, generator_->pageCount()), currentPage_);
    if (first > last)
        return;
    if (report_ && report_->printer().mode() == prFast) {
        // Text goes to the port, not to the printer chosen: no print job is begun for it.
        printFast(first, last);
        return;
    }
    if (report_)
        printer.setDocName(report_->printer().title());
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(
            QStringLiteral("Tisk nelze zahájit: tiskárna nebo soubor \"%1\" není dostupný.")
                .arg(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()));
    if (progressBar_) {
        progressBar_->setValue(0);
        progressBar_->show();
    }
    const QRectF area(0, 0, printer.width(), printer.height());
    for (int p = first; p <= last; ++p) {
        kv::report::paintPage(generator_->page(p), painter, area);
        if (progressBar_)
            progressBar_->setValue(progressBar_->value() + 1);
        Q_EMIT onPrint(p);
        if (p < last && !printer.newPage())
            throw ReportError(QStringLiteral("Tiskárna nepřijala další stránku."));
    }
    painter.end();
}

void ReportPreview::printerSetup() {
    PrinterSetupChoice choice = printSetup_.startingChoice(report_, QPrinterInfo::defaultPrinterName());
    if (!printChooser().printerSetup(choice, this))
        return;
    printSetup_.chosenInSetup(report_, choice);
    applySetup(printer(), choice);
}

} // namespace kv::report
