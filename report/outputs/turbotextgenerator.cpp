// Text output: the character grid, the shared line between pages, the break test and fields.
#include "turbotextgenerator.h"

#include "report/model/custommemo.h"
#include "report/model/tdbtext.h"
#include "report/model/turboband.h"
#include "report/model/zireziduzoz.h"

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

QSize TTurboTextGenerator::cellSizeOf(const TZirezIduzoz& report) {
    const int columns = std::max(report.Printer().ColWidth(), 1);
    const int rows = std::max(report.Printer().ColHeight(), 1);
    return QSize(std::max(report.Width() / columns, 1), std::max(report.Height() / rows, 1));
}

QString TTurboTextGenerator::formatField(const QString& text, int width, TAlignment alignment) {
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

std::pair<int, int> TTurboTextGenerator::printedLines(int first, int last, int colHeight, int lineCount) {
    return {(first - 1) * (colHeight + 1), std::min(last * colHeight, lineCount - 1)};
}

void TTurboTextGenerator::BeginReport() {
    done_.clear();
    lines_.clear();
    firstKept_ = 0;
    pageCount_ = 0;
    headerRows_ = 0;
    footerRows_ = 0;
    for (const TTurboBand* band : Report()->Bands()) {
        if (band->BandType() == rbPageHeader)
            headerRows_ += rowsOf(band->Height());
        else if (band->BandType() == rbPageFooter)
            footerRows_ += rowsOf(band->Height());
    }
}

void TTurboTextGenerator::NewPage() {
    const TTurboPrinter& printer = Report()->Printer();
    const TTurboMargins& margins = Report()->Margins();
    const QString blank(printer.ColWidth(), QLatin1Char(' '));
    for (int i = 0; i <= printer.ColHeight(); ++i)
        lines_.append(blank);
    column_ = 0;
    ++pageCount_;
    settleOldPages();
    // Page bands of a fresh page never break: bands taller than the page would start pages without end.
    const bool outer = inPageBands_;
    inPageBands_ = true;
    x_ = margins.Left();
    y_ = printer.ColHeight() - margins.Top() - margins.Bottom() - headerRows_ + 1;
    GenerateBands(rbPageFooter);
    x_ = margins.Left();
    y_ = margins.Top();
    GenerateBands(rbPageHeader);
    inPageBands_ = outer;
}

int TTurboTextGenerator::currentLine() const {
    const int index = pageCount_ > 0 ? (pageCount_ - 1) * Report()->Printer().ColHeight() + y_ : y_;
    return std::min(index, lineCount() - 1);
}

void TTurboTextGenerator::settleOldPages() {
    const qsizetype settled = qsizetype(pageCount_ - 3) * Report()->Printer().ColHeight() - firstKept_;
    if (settled <= 0)
        return;
    for (qsizetype i = 0; i < settled; ++i)
        done_ << lines_[i];
    lines_.remove(0, settled);
    firstKept_ += settled;
}

bool TTurboTextGenerator::Flush() {
    for (const QString& line : std::as_const(lines_))
        done_ << line;
    firstKept_ += lines_.size();
    lines_.clear();
    return done_.flush();
}

bool TTurboTextGenerator::pastBody() const {
    return y_ >= Report()->Printer().ColHeight() - headerRows_ - footerRows_;
}

void TTurboTextGenerator::breakTest() {
    if (inPageBands_ || !pastBody())
        return;
    const TTurboMargins& margins = Report()->Margins();
    ++column_;
    if (column_ < margins.Column()) {
        x_ += int(std::trunc(double(margins.ColumnSpace()) / cell_.width())) +
              Report()->Printer().ColWidth() / margins.Column();
        y_ = headerRows_;
    } else {
        NewPage();
    }
}

void TTurboTextGenerator::put(int index, int column, const QString& field) {
    if (index < firstKept_ || index >= lineCount())
        return;
    QString& line = lines_[index - firstKept_];
    if (column < line.size())
        line.replace(column - 1, field.size(), field);
    else
        line += field;
}

void TTurboTextGenerator::GenerateLabel(TTurboBand&, TCustomLabel& label) {
    const int width = roundEven(double(label.Width) / cell_.width());
    const int column = roundEven(double(label.Left) / cell_.width()) + x_ + 1;
    put(currentLine(), column, formatField(label.Text(), width, label.Alignment));
}

void TTurboTextGenerator::GenerateMemo(TTurboBand& band, TCustomMemo& memo) {
    const int column = roundEven(double(memo.Left) / cell_.width()) + x_ + 1;
    const int first = currentLine();
    const int width = Report()->Printer().ColWidth() / Report()->Margins().Column();
    QString text = memo.Text();
    text.remove(QLatin1Char('\r'));
    // Lines as a memo holds them: a final line break ends the last line, it starts no new one.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList memoLines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    const bool footer = band.BandType() == rbPageFooter;
    for (int i = 0; i < memoLines.size(); ++i) {
        if (!footer)
            breakTest();
        put(std::min(first + i, lineCount() - 1), column,
            formatField(memoLines[i], width, memo.Alignment));
        ++y_;
    }
    y_ += 1 - rowsOf(band.Height());
}

void TTurboTextGenerator::AdvanceBand(TTurboBand& band) {
    y_ += rowsOf(band.Height());
    if (band.BandType() != rbPageFooter)
        breakTest();
}

} // namespace kv::report
