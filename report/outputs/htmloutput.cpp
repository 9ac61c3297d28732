// HTML output: the fixed fragments of the document, text cells with their font tags, pictures.
#include "htmloutput.h"

#include "report/model/labelbase.h"
#include "report/model/memobase.h"
#include "jpegwriter.h"
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
    return out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

int HtmlOutput::pointSize(const QFont& font) const {
    if (font.pointSize() > 0)
        return font.pointSize();
    // Report fonts are sized in pixels: points at the report's resolution, rounded.
    return int(std::lround(font.pixelSize() * 72.0 / report()->metrics().dotsPerInch()));
}

void HtmlOutput::beginReport() {
    lines_.clear();
    lines_ << QStringLiteral("<html>") << QStringLiteral("<head>")
           << QStringLiteral("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1250\">")
           << QStringLiteral("<title>") + title_ + QStringLiteral("</title>") << QStringLiteral("</head>")
           << QStringLiteral("<body>") << QStringLiteral("<body bgcolor=\"#FFFFFF\">");
    imageCounter_ = 0;
    generateBands(rbPageHeader);
}

void HtmlOutput::endReport() {
    generateBands(rbPageFooter);
    lines_ << QStringLiteral("</body>") << QStringLiteral("</html>");
}

void HtmlOutput::startBand(Band& band) {
    const BandType t = band.bandType();
    const bool framed = t == rbHeaderFooter || t == rbPageHeader || t == rbPageFooter;
    lines_ << (framed ? QStringLiteral("  <table border=\"3\">") : QStringLiteral("  <table border=\"0\">"));
    lines_ << QStringLiteral("  <tr>");
}

void HtmlOutput::endBand(Band&) {
    lines_ << QStringLiteral("  </tr>") << QStringLiteral("  </table>") << QStringLiteral("  ");
}

void HtmlOutput::textCell(const QString& alignment, int width, const QColor& background,
                                   const QString& text, const QFont& font, const QColor& fontColour) {
    QString cell = QStringLiteral("  <td align=\"") + alignment + QStringLiteral("\" width=\"") +
                   QString::number(width + 20) + QStringLiteral("\"");
    if (background.isValid())
        cell += QStringLiteral(" bgColor=\"") + colour(background) + QStringLiteral("\">");
    else
        cell += QStringLiteral(">");
    lines_ << cell;

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
    lines_ << QStringLiteral("  ") + open + escaped(text) + QStringLiteral("  ") + close;
}

void HtmlOutput::generateLabel(Band&, LabelBase& label) {
    TextAlignment alignment = label.alignment;
    if (dynamic_cast<SystemDataControl*>(&label))
        alignment = taLeftJustify;
    else if (auto* text = dynamic_cast<DataTextControl*>(&label))
        alignment = fieldAlignment(*text);
    textCell(QLatin1String(alignmentWord(alignment)), label.width, label.color, label.text(), label.font,
             label.fontColor);
}

void HtmlOutput::generateMemo(Band&, MemoBase& memo) {
    textCell(QLatin1String(alignmentWord(memo.alignment)), memo.width, memo.color, memo.text(), memo.font,
             memo.fontColor);
}

void HtmlOutput::picture(const QImage& picture) {
    if (picture.isNull())
        return;
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
    lines_ << QStringLiteral("  ");
    lines_ << QStringLiteral("  <td align=\"center\" width=\"") + QString::number(picture.width()) +
                  QStringLiteral("\">");
    lines_ << QStringLiteral("  <img src=\"") + url + QStringLiteral("\"width=\"") +
                  QString::number(picture.width()) + QStringLiteral("\"Height=\"") +
                  QString::number(picture.height()) + QStringLiteral("\" border=\"1\">");
    ++imageCounter_;
}

void HtmlOutput::generateImage(Band&, ImageControl& image) {
    picture(image.picture);
}

void HtmlOutput::generateDataImage(Band&, DataImageControl& image) {
    picture(image.picture());
}

} // namespace kv::report
