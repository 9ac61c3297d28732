// HTML output: the report as one document without pages. Every band output is a table of one row,
// every text control a cell, every picture a JPEG file beside the document shown in an image cell.
// A band's cells stand in reading order of their places (see readingorder.h), and bands of as many
// cells share their columns' widths, so that a page header's titles stand over the values of the
// detail band laid out like them. Page headers come once at the top, page footers once at the end.
#pragma once

#include "encodedlines.h"
#include "report/layout/reportgenerator.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <map>
#include <vector>

class QFont;

namespace kv::report {

class ReportControl;

class HtmlOutput : public ReportGenerator {
public:
    // `basePath`: folder and name without extension; pictures are written as basePath0.JPG, ...
    // `title`: the text of the document's title element.
    HtmlOutput(const QString& basePath, const QString& title);

    QStringList lines() const { return lines_.lines(); }
    // The document as saved: Windows-1250, CR LF.
    const QByteArray& document() const { return lines_.bytes(); }
    // Writes the document to `device` as it is made instead of keeping it; Flush() after Execute()
    // sends the rest and tells whether every write went through.
    void streamTo(QIODevice* device) { lines_.streamTo(device); }
    bool flush() { return lines_.flush(); }
    int imageCount() const { return imageCounter_; }

    void beginReport() override;
    void endReport() override;
    void startBand(Band& band) override;
    void endBand(Band& band) override;
    void generateLabel(Band& band, LabelBase& label) override;
    void generateMemo(Band& band, MemoBase& memo) override;
    void generateImage(Band& band, ImageControl& image) override;
    void generateDataImage(Band& band, DataImageControl& image) override;

    // "#RRGGBB".
    static QString colour(const QColor& c);
    // Text as HTML shows it: "&", "<" and ">" written as entities, a line break as "<br>" and CR LF.
    static QString escaped(const QString& text);

private:
    // A cell of the band being output, written when the band ends.
    struct Cell {
        int left;
        int top;
        int order;
        int line;
        int width;        // the control's; a picture's own when the band shares no columns
        QString align;    // the cell's attributes before its width
        QString rest;     // the cell's attributes after its width, closing its tag
        QString content;  // the line inside the cell
        bool picture = false;
    };

    void textCell(const ReportControl& control, const QString& alignment, const QColor& background,
                  const QString& text, const QFont& font, const QColor& fontColour);
    void picture(const ReportControl& control, const QImage& picture);
    int pointSize(const QFont& font) const;
    // The widths of the columns each band shares with the bands of as many cells.
    void planColumns();

    EncodedLines lines_;
    std::vector<Cell> cells_;
    std::map<const Band*, std::vector<int>> columns_;
    int imageCounter_ = 0;
    QString basePath_;
    QString title_;
};

} // namespace kv::report
