// Text output: the character grid, the shared line between pages, the break test and fields.
#include "textoutput.h"

#include "fieldtext.h"

#include "report/model/memobase.h"
#include "report/model/datatextcontrol.h"
#include "report/model/band.h"
#include "report/model/report.h"

#include <algorithm>
#include <cmath>

namespace kv::report {

namespace {
// Rounds to the nearest whole number, halves to the even neighbour.
int roundEven(double v) {
    return int(std::nearbyint(v));
}

constexpr int kFieldBuffer = 512;
} // namespace

QSize TextOutput::cellSizeOf(const Report& report) {
    const int columns = std::max(report.printer().colWidth(), 1);
    const int rows = std::max(report.printer().colHeight(), 1);
    return QSize(std::max(report.width() / columns, 1), std::max(report.height() / rows, 1));
}

QString TextOutput::formatField(const QString& text, int width, TextAlignment alignment) {
    width = std::clamp(width, 0, kFieldBuffer);
    switch (alignment) {
    case taRightJustify:
        return text.rightJustified(width, QLatin1Char(' '), true);
    case taCenter: {
        // Padded only to half its width: a centred field is left-aligned in that half, as text
        // output has always written it.
        const int half = width / 2;
        return text.leftJustified(half, QLatin1Char(' ')).left(2 * half);
    }
    case taLeftJustify:
        break;
    }
    return text.leftJustified(width, QLatin1Char(' '), true);
}

std::pair<int, int> TextOutput::printedLines(int first, int last, int colHeight, int lineCount) {
    return {(first - 1) * (colHeight + 1), std::min(last * colHeight, lineCount - 1)};
}

void TextOutput::beginReport() {
    done_.clear();
    lines_.clear();
    firstKept_ = 0;
    pageCount_ = 0;
    headerRows_ = 0;
    footerRows_ = 0;
    for (const Band* band : report()->bands()) {
        if (band->bandType() == rbPageHeader)
            headerRows_ += rowsOf(band->height());
        else if (band->bandType() == rbPageFooter)
            footerRows_ += rowsOf(band->height());
    }
}

void TextOutput::newPage() {
    const PrinterSettings& printer = report()->printer();
    const PageMargins& margins = report()->margins();
    const QString blank(printer.colWidth(), QLatin1Char(' '));
    for (int i = 0; i <= printer.colHeight(); ++i)
        lines_.append(blank);
    column_ = 0;
    ++pageCount_;
    settleOldPages();
    // Page bands of a fresh page never break: bands taller than the page would start pages without end.
    const bool outer = inPageBands_;
    inPageBands_ = true;
    x_ = margins.left();
    y_ = printer.colHeight() - margins.top() - margins.bottom() - headerRows_ + 1;
    generateBands(rbPageFooter);
    x_ = margins.left();
    y_ = margins.top();
    generateBands(rbPageHeader);
    inPageBands_ = outer;
}

int TextOutput::currentLine() const {
    const int index = pageCount_ > 0 ? (pageCount_ - 1) * report()->printer().colHeight() + y_ : y_;
    return std::min(index, lineCount() - 1);
}

void TextOutput::settleOldPages() {
    const qsizetype settled = qsizetype(pageCount_ - 3) * report()->printer().colHeight() - firstKept_;
    if (settled <= 0)
        return;
    for (qsizetype i = 0; i < settled; ++i)
        done_ << lines_[i];
    lines_.remove(0, settled);
    firstKept_ += settled;
}

bool TextOutput::flush() {
    for (const QString& line : std::as_const(lines_))
        done_ << line;
    firstKept_ += lines_.size();
    lines_.clear();
    return done_.flush();
}

bool TextOutput::pastBody() const {
    return y_ >= report()->printer().colHeight() - headerRows_ - footerRows_;
}

void TextOutput::breakTest() {
    if (inPageBands_ || !pastBody())
        return;
    const PageMargins& margins = report()->margins();
    ++column_;
    if (column_ < margins.column()) {
        x_ += int(std::trunc(double(margins.columnSpace()) / cell_.width())) +
              report()->printer().colWidth() / margins.column();
        y_ = headerRows_;
    } else {
        newPage();
    }
}

void TextOutput::put(int index, int column, const QString& field) {
    if (index < firstKept_ || index >= lineCount())
        return;
    QString& line = lines_[index - firstKept_];
    if (column < line.size())
        line.replace(column - 1, field.size(), field);
    else
        line += field;
}

int TextOutput::rowIn(const Band& band, int top) const {
    return std::clamp(top / cell_.height(), 0, std::max(rowsOf(band.height()) - 1, 0));
}

void TextOutput::generateLabel(Band& band, LabelBase& label) {
    const int width = roundEven(double(label.width) / cell_.width());
    const int column = roundEven(double(label.left) / cell_.width()) + x_ + 1;
    put(std::min(currentLine() + rowIn(band, label.top), lineCount() - 1), column,
        formatField(outputText(label), width, label.alignment));
}

void TextOutput::generateMemo(Band& band, MemoBase& memo) {
    const int column = roundEven(double(memo.left) / cell_.width()) + x_ + 1;
    // The memo's lines from its own row down, as wide as the memo: the fields beside it stay.
    const int row = rowIn(band, memo.top);
    const int first = currentLine() + row;
    const int width = roundEven(double(memo.width) / cell_.width());
    y_ += row;
    QString text = memo.text();
    text.remove(QLatin1Char('\r'));
    // Lines as a memo holds them: a final line break ends the last line, it starts no new one.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList memoLines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    const bool footer = band.bandType() == rbPageFooter;
    for (int i = 0; i < memoLines.size(); ++i) {
        if (!footer)
            breakTest();
        put(std::min(first + i, lineCount() - 1), column,
            formatField(memoLines[i], width, memo.alignment));
        ++y_;
    }
    y_ += 1 - rowsOf(band.height());
}

void TextOutput::advanceBand(Band& band) {
    y_ += rowsOf(band.height());
    if (band.bandType() != rbPageFooter)
        breakTest();
}

} // namespace kv::report
