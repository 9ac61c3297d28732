// HTML output: the report as one document without pages. Every band output is a table of one row,
// every text control a cell, every picture a JPEG file beside the document shown in an image cell.
// Page headers come once at the top, page footers once at the end.
#pragma once

#include "encodedlines.h"
#include "report/layout/zireziduzozgenerator.h"

#include <QColor>
#include <QImage>
#include <QStringList>

class QFont;

namespace kv::report {

class TTurboHTMLGenerator : public TZirezIduzozGenerator {
public:
    // `basePath`: folder and name without extension; pictures are written as basePath0.JPG, ...
    // `title`: the text of the document's title element.
    TTurboHTMLGenerator(const QString& basePath, const QString& title);

    QStringList Lines() const { return lines_.lines(); }
    // The document as saved: Windows-1250, CR LF.
    const QByteArray& Document() const { return lines_.bytes(); }
    // Writes the document to `device` as it is made instead of keeping it; Flush() after Execute()
    // sends the rest and tells whether every write went through.
    void StreamTo(QIODevice* device) { lines_.streamTo(device); }
    bool Flush() { return lines_.flush(); }
    int ImageCount() const { return imageCounter_; }

    void BeginReport() override;
    void EndReport() override;
    void StartBand(TTurboBand& band) override;
    void EndBand(TTurboBand& band) override;
    void GenerateLabel(TTurboBand& band, TCustomLabel& label) override;
    void GenerateMemo(TTurboBand& band, TCustomMemo& memo) override;
    void GenerateImage(TTurboBand& band, TImage& image) override;
    void GenerateDBImage(TTurboBand& band, TDBImage& image) override;

    // "#RRGGBB".
    static QString colour(const QColor& c);
    // Text as HTML shows it: "&", "<" and ">" written as entities, line breaks as CR LF.
    static QString escaped(const QString& text);

private:
    void textCell(const QString& alignment, int width, const QColor& background, const QString& text,
                  const QFont& font, const QColor& fontColour);
    void picture(const QImage& picture);
    int pointSize(const QFont& font) const;

    EncodedLines lines_;
    int imageCounter_ = 0;
    QString basePath_;
    QString title_;
};

} // namespace kv::report
