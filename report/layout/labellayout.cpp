// Line splitting, wrapping and placement of label text.
#include "labellayout.h"

#include <algorithm>

namespace kv::report {

QStringList splitLabelLines(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char('\r'));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void wrapLabelLines(QStringList& lines, int width, const QFont& font, TextMeasurer& measurer) {
    for (;;) {
        int i = 0;
        QString trimmed;
        // A one-character line cannot be broken further; it stays as it is.
        for (; i < lines.size(); ++i) {
            trimmed = lines[i].trimmed();
            if (trimmed.size() > 1 && measurer.textWidth(trimmed, font) > width)
                break;
        }
        if (i == lines.size())
            return;
        QString head = trimmed;
        while (head.size() > 1 && measurer.textWidth(head, font) > width)
            head.chop(1);
        if (head.contains(QLatin1Char(' '))) {
            while (!head.endsWith(QLatin1Char(' ')))
                head.chop(1);
        }
        // The rest is cut from the trimmed text, so a line with leading blanks loses no characters.
        const QString rest = trimmed.mid(head.size()).trimmed();
        lines[i] = head;
        lines.insert(i + 1, rest);
    }
}

QStringList wrapMemoLines(const QString& text, int width, const QFont& font, TextMeasurer& measurer) {
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    QStringList out;
    for (const QString& paragraph : plain.split(QLatin1Char('\n'))) {
        QString expanded;
        for (const QChar c : paragraph) {
            if (c == QLatin1Char('\t'))
                expanded += QString(8 - expanded.size() % 8, QLatin1Char(' '));
            else
                expanded += c;
        }
        if (measurer.textWidth(expanded, font) <= width) {
            out << expanded;
            continue;
        }
        // Greedy: words (with the blanks before them) join the line while it fits.
        const QStringList words = expanded.split(QLatin1Char(' '));
        QString line;
        for (const QString& word : words) {
            const QString candidate = line.isNull() ? word : line + QLatin1Char(' ') + word;
            if (line.isNull() || measurer.textWidth(candidate, font) <= width) {
                line = candidate;
            } else {
                out << line;
                line = word;
            }
        }
        out << line;
    }
    if (!out.isEmpty() && out.last().isEmpty() && plain.endsWith(QLatin1Char('\n')))
        out.removeLast();
    return out;
}

namespace {
int alignedOffset(TextAlignment alignment, int boxWidth, int textWidth) {
    int off = 0;
    if (alignment == taRightJustify)
        off = boxWidth - textWidth;
    else if (alignment == taCenter)
        off = boxWidth / 2 - textWidth / 2;
    return std::max(off, 0);
}

int verticalOffset(TextLayout layout, int boxHeight, int blockHeight) {
    int off = 0;
    if (layout == tlCenter)
        off = boxHeight / 2 - blockHeight / 2;
    else if (layout == tlBottom)
        off = boxHeight - blockHeight;
    return std::max(off, 0);
}
} // namespace

QList<LabelLine> layoutLabel(const QString& text, const LabelBox& box, const QFont& font,
                             TextMeasurer& measurer) {
    if (text.isEmpty())
        return {};
    const int lineHeight = measurer.textHeight(font);
    // Most labels are one line that fits: one measurement places them.
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) && !text.front().isSpace() &&
        !text.back().isSpace()) {
        const int width = measurer.textWidth(text, font);
        if (width <= box.size.width() || text.size() == 1) {
            const int blockHeight = box.wordWrap ? lineHeight + 1 : lineHeight;
            return {LabelLine{text, alignedOffset(box.alignment, box.size.width(), width),
                              verticalOffset(box.layout, box.size.height(), blockHeight)}};
        }
    }
    QStringList lines = splitLabelLines(text);
    if (lines.isEmpty())
        return {};
    wrapLabelLines(lines, box.size.width(), font, measurer);

    int blockWidth = 0;
    int blockHeight = lineHeight;
    if (box.wordWrap) {
        for (const QString& line : lines)
            blockWidth = std::max(blockWidth, measurer.textWidth(line, font));
        blockHeight = int(lines.size()) * lineHeight + 1;
    } else {
        blockWidth = measurer.textWidth(text, font);
    }

    const int x = alignedOffset(box.alignment, box.size.width(), blockWidth);
    int y = verticalOffset(box.layout, box.size.height(), blockHeight);

    if (lines.size() == 1)
        return {LabelLine{lines.first(), x, y}};
    QList<LabelLine> out;
    for (const QString& line : lines) {
        if (lineHeight + y > box.size.height())
            break;
        out.append({line, alignedOffset(box.alignment, box.size.width(), measurer.textWidth(line, font)), y});
        y += lineHeight;
    }
    return out;
}

QFont shrunkFont(const QString& text, const LabelBox& box, const QFont& font, TextMeasurer& measurer) {
    // How far the text passes the box: the widest line's excess, and with word wrap the wrapped
    // lines' excess height; 0 when it fits.
    const auto excess = [&](const QFont& f) {
        QStringList lines = splitLabelLines(text);
        int over = 0;
        if (box.wordWrap) {
            wrapLabelLines(lines, box.size.width(), f, measurer);
            over = std::max(0, int(lines.size()) * measurer.textHeight(f) - box.size.height());
        }
        for (const QString& line : lines)
            over = std::max(over, measurer.textWidth(line, f) - box.size.width());
        return over;
    };
    QFont f = font;
    for (int over = excess(f); over > 0 && f.pixelSize() > kSmallestShrunkFont;) {
        QFont smaller = f;
        smaller.setPixelSize(f.pixelSize() - 1);
        const int smallerOver = excess(smaller);
        // Metrics that do not follow the size gain nothing from a smaller font.
        if (smallerOver >= over)
            break;
        f = smaller;
        over = smallerOver;
    }
    return f;
}

} // namespace kv::report
