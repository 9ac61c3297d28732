// HTML output: the fixed fragments of the document, text cells with their font tags, pictures.
#include "htmloutput.h"

#include "report/model/labelbase.h"
#include "report/model/memobase.h"
#include "fieldtext.h"
#include "jpegwriter.h"
#include "readingorder.h"
#include "report/model/dataimagecontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/band.h"
#include "report/model/systemdatacontrol.h"
#include "report/model/report.h"

#include "data/store/field.h"

#include <QFileInfo>
#include <QPainter>
#include <QUrl>
#include <cmath>

namespace kv::report {

namespace {
const char* alignmentWord(TextAlignment a) {
    return a == taRightJustify ? "right" : a == taCenter ? "center" : "left";
}

// A numeric field lines up right, as data-aware controls show it; other fields left.
TextAlignment fieldAlignment(const DataTextControl& text) {
    const kv::store::Field* f = text.link.field();
    return f && f->type() == kv::store::FieldType::Integer ? taRightJustify : taLeftJustify;
}
} // namespace

HtmlOutput::HtmlOutput(const QString& basePath, const QString& title)
    : basePath_(basePath)
    , title_(title) {}

QString HtmlOutput::colour(const QColor& c) {
    return QString::asprintf("#%02X%02X%02X", c.red(), c.green(), c.blue());
}

QString HtmlOutput::escaped(const QString& text) {
    QString out = text.toHtmlEscaped().replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    out.remove(QLatin1Char('\r'));
    return out.replace(QLatin1Char('\n'), QStringLiteral("<br>\r\n"));
}

int HtmlOutput::pointSize(const QFont& font) const {
    if (font.pointSize() > 0)
        return font.pointSize();
    // Report fonts are sized in pixels: points at the report's resolution, rounded.
    return int(std::lround(font.pixelSize() * 72.0 / report()->metrics().dotsPerInch()));
}

void HtmlOutput::planColumns() {
    columns_.clear();
    std::map<std::size_t, std::vector<int>> widest; // by the number of cells
    for (const Band* band : report()->bands()) {
        if (band->isGridBand())
            continue;
        std::vector<Cell> placed;
        for (const auto& control : band->controls()) {
            const ReportControl* c = control.get();
            if (dynamic_cast<const LabelBase*>(c) || dynamic_cast<const MemoBase*>(c) ||
                dynamic_cast<const ImageControl*>(c) || dynamic_cast<const DataImageControl*>(c))
                placed.push_back({c->left, c->top, int(placed.size()), 0, c->width, {}, {}, {}, false});
        }
        if (placed.empty())
            continue;
        sortInReadingOrder(placed);
        std::vector<int>& widths = columns_[band];
        for (const Cell& cell : placed)
            widths.push_back(cell.width);
        std::vector<int>& shared = widest[widths.size()];
        shared.resize(widths.size());
        for (std::size_t i = 0; i < widths.size(); ++i)
            shared[i] = std::max(shared[i], widths[i]);
    }
    for (auto& [band, widths] : columns_)
        widths = widest[widths.size()];
}

void HtmlOutput::beginReport() {
    lines_.clear();
    lines_ << QStringLiteral("<html>") << QStringLiteral("<head>")
           << QStringLiteral("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1250\">")
           << QStringLiteral("<title>") + title_ + QStringLiteral("</title>") << QStringLiteral("</head>")
           << QStringLiteral("<body>") << QStringLiteral("<body bgcolor=\"#FFFFFF\">");
    imageCounter_ = 0;
    planColumns();
    generateBands(rbPageHeader);
}

void HtmlOutput::endReport() {
    generateBands(rbPageFooter);
    lines_ << QStringLiteral("</body>") << QStringLiteral("</html>");
}

void HtmlOutput::startBand(Band&) {
    cells_.clear();
}

void HtmlOutput::endBand(Band& band) {
    // A band with records of its own starts and ends once around them: no table for that.
    if (cells_.empty())
        return;
    const BandType t = band.bandType();
    const bool framed = t == rbHeaderFooter || t == rbPageHeader || t == rbPageFooter;
    lines_ << (framed ? QStringLiteral("  <table border=\"3\">") : QStringLiteral("  <table border=\"0\">"));
    lines_ << QStringLiteral("  <tr>");
    sortInReadingOrder(cells_);
    const auto planned = columns_.find(&band);
    const bool shared = planned != columns_.end() && planned->second.size() == cells_.size();
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const Cell& cell = cells_[i];
        // A picture's cell is as wide as the picture at least, which the browser would do anyway.
        int width = cell.width;
        if (shared)
            width = cell.picture ? std::max(planned->second[i], cell.width) : planned->second[i] + 20;
        if (cell.picture)
            lines_ << QStringLiteral("  ");
        lines_ << QStringLiteral("  <td align=\"") + cell.align + QStringLiteral("\" width=\"") +
                      QString::number(width) + cell.rest;
        lines_ << cell.content;
    }
    lines_ << QStringLiteral("  </tr>") << QStringLiteral("  </table>") << QStringLiteral("  ");
    cells_.clear();
}

void HtmlOutput::textCell(const ReportControl& control, const QString& alignment, const QColor& background,
                          const QString& text, const QFont& font, const QColor& fontColour) {
    Cell cell{control.left, control.top, int(cells_.size()), 0, control.width + 20, alignment, {}, {}, false};
    cell.rest = background.isValid()
                    ? QStringLiteral("\" bgColor=\"") + colour(background) + QStringLiteral("\">")
                    : QStringLiteral("\">");

    QString open =
        QStringLiteral("<font size=\"") + QString::number(pointSize(font) / 4) + QStringLiteral("\"");
    if (font.family() != QLatin1String("MS Sans Serif"))
        open += QStringLiteral("face=\"") + font.family() + QStringLiteral("\"");
    if (fontColour.isValid())
        open += QStringLiteral(" color=\"") + colour(fontColour) + QStringLiteral("\">");
    if (font.italic())
        open += QStringLiteral("<em>");
    if (font.bold())
        open += QStringLiteral("<strong>");
    QString close;
    if (font.bold())
        close += QStringLiteral("</strong>");
    if (font.italic())
        close += QStringLiteral("</em>");
    close += QStringLiteral("</font>");
    cell.content = QStringLiteral("  ") + open + escaped(text) + QStringLiteral("  ") + close;
    cells_.push_back(std::move(cell));
}

void HtmlOutput::generateLabel(Band&, LabelBase& label) {
    TextAlignment alignment = label.alignment;
    if (dynamic_cast<SystemDataControl*>(&label))
        alignment = taLeftJustify;
    else if (auto* text = dynamic_cast<DataTextControl*>(&label))
        alignment = fieldAlignment(*text);
    textCell(label, QLatin1String(alignmentWord(alignment)), label.color, outputText(label), label.font,
             label.fontColor);
}

void HtmlOutput::generateMemo(Band&, MemoBase& memo) {
    textCell(memo, QLatin1String(alignmentWord(memo.alignment)), memo.color, memo.text(), memo.font,
             memo.fontColor);
}

void HtmlOutput::picture(const ReportControl& control, const QImage& picture) {
    Cell cell{control.left, control.top, int(cells_.size()), 0, picture.width(), QStringLiteral("center"),
              QStringLiteral("\">"), {}, true};
    // An empty picture keeps its cell, so the band has as many cells as the bands sharing its columns.
    if (picture.isNull()) {
        cells_.push_back(std::move(cell));
        return;
    }
    const QString file = basePath_ + QString::number(imageCounter_) + QStringLiteral(".JPG");
    // JPEG has no transparency: transparent parts come out white, as on the page.
    QImage opaque = picture;
    if (picture.hasAlphaChannel()) {
        opaque = QImage(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, picture);
    }
    JpegWriter writer(90);
    writer.begin(file, opaque.size());
    writer.write(opaque);
    writer.finish();
    // A file URL of the absolute path: three slashes before it, as browsers read it.
    const QString url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
    cell.content = QStringLiteral("  <img src=\"") + url + QStringLiteral("\"width=\"") +
                   QString::number(picture.width()) + QStringLiteral("\"Height=\"") +
                   QString::number(picture.height()) + QStringLiteral("\" border=\"1\">");
    cells_.push_back(std::move(cell));
    ++imageCounter_;
}

void HtmlOutput::generateImage(Band&, ImageControl& image) {
    picture(image, image.picture);
}

void HtmlOutput::generateDataImage(Band&, DataImageControl& image) {
    picture(image, image.picture());
}

} // namespace kv::report
