// Decisions made without drawing: how label text is split, wrapped and placed in its box, and
// when a band breaks to the next column or page. Text is measured with fixed metrics
// (6 pixels a character, 10 a line).
#include "tests/reportsupport/fixedmeasurer.h"

#include "report/layout/labellayout.h"
#include "report/layout/pagemodel.h"

#include <QTest>

using namespace kv::report;
using kv::report::test::FixedMeasurer;

Q_DECLARE_METATYPE(kv::report::TextAlignment)
Q_DECLARE_METATYPE(kv::report::TextLayout)

namespace {
QString render(const QList<LabelLine>& lines) {
    QStringList out;
    for (const LabelLine& l : lines)
        out << QStringLiteral("%1,%2:%3").arg(l.x).arg(l.y).arg(l.text);
    return out.join(QLatin1Char('|'));
}
} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty text has no line") << QString() << QStringList();
        QTest::newRow("CR dropped, LF cuts") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("final LF adds no line") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("lone LF is one empty line") << QStringLiteral("\n") << QStringList{""};
        QTest::newRow("empty line inside stays") << QStringLiteral("a\n\nb") << QStringList{"a", "", "b"};
    }
    void splitting() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(splitLabelLines(text), lines);
    }

    void wrapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fits") << QStringLiteral("abc def") << 42 << QStringList{"abc def"};
        // No space to break at: cut between characters, as many as fit (4 x 6 <= 25).
        QTest::newRow("no spaces") << QStringLiteral("ABCDEFGHIJ") << 25 << QStringList{"ABCD", "EFGH", "IJ"};
        // Room for "abc def g" (54): the break goes after the last space that fits, which stays
        // at the end of the first line.
        QTest::newRow("two words and one letter")
            << QStringLiteral("abc def ghi") << 54 << QStringList{"abc def ", "ghi"};
        QTest::newRow("trailing blanks do not count")
            << QStringLiteral("abc   ") << 18 << QStringList{"abc   "};
        // A box narrower than one character: one character per line, and the wrapping ends.
        QTest::newRow("narrower than a character")
            << QStringLiteral("abc") << 3 << QStringList{"a", "b", "c"};
        // The rest is taken from the trimmed line: leading blanks lose no characters and repeat none.
        QTest::newRow("leading blanks") << QStringLiteral("  abcdef") << 18 << QStringList{"abc", "def"};
        QTest::newRow("every line is wrapped")
            << QStringLiteral("aaaa bb\ncccc dd") << 30 << QStringList{"aaaa ", "bb", "cccc ", "dd"};
    }
    void wrapping() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        FixedMeasurer m;
        QStringList got = splitLabelLines(text);
        wrapLabelLines(got, width, QFont(), m);
        QCOMPARE(got, lines);
    }

    void memoLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("paragraphs") << QStringLiteral("ab\r\ncd\r\n") << 60 << QStringList{"ab", "cd"};
        QTest::newRow("breaks between words")
            << QStringLiteral("aaa bbb ccc") << 42 << QStringList{"aaa bbb", "ccc"};
        // A word wider than the box is not cut; the box clips it.
        QTest::newRow("long word stays whole")
            << QStringLiteral("a bbbbbbbbbb c") << 30 << QStringList{"a", "bbbbbbbbbb", "c"};
        QTest::newRow("tabs to multiples of 8") << QStringLiteral("ab\tc") << 100 << QStringList{"ab      c"};
        QTest::newRow("empty lines kept") << QStringLiteral("a\n\nb") << 60 << QStringList{"a", "", "b"};
    }
    void memoLines() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        FixedMeasurer m;
        QCOMPARE(wrapMemoLines(text, width, QFont(), m), lines);
    }

    void placement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<TextAlignment>("alignment");
        QTest::addColumn<TextLayout>("layout");
        QTest::addColumn<bool>("wordWrap");
        QTest::addColumn<QString>("lines"); // x,y:text per line
        QTest::newRow("left top") << "abc" << QSize(60, 40) << taLeftJustify << tlTop << false << "0,0:abc";
        QTest::newRow("right") << "abc" << QSize(60, 40) << taRightJustify << tlTop << false << "42,0:abc";
        // 60 div 2 - 18 div 2 = 21; 40 div 2 - 10 div 2 = 15.
        QTest::newRow("centred both ways")
            << "abc" << QSize(60, 40) << taCenter << tlCenter << false << "21,15:abc";
        QTest::newRow("bottom") << "abc" << QSize(60, 40) << taLeftJustify << tlBottom << false << "0,30:abc";
        // A single line is written even though it does not fit the box's height.
        QTest::newRow("single line overflows")
            << "abc" << QSize(60, 5) << taLeftJustify << tlTop << false << "0,0:abc";
        // Three lines of 10 in a box 25 high: only the two that fit completely.
        QTest::newRow("several lines are clipped")
            << "aaaa bbbb cccc" << QSize(30, 25) << taLeftJustify << tlTop << true << "0,0:aaaa |0,10:bbbb ";
        // Each line aligned by its own width, with word wrap on or off.
        QTest::newRow("right aligned line by line")
            << "aaaa bb" << QSize(30, 40) << taRightJustify << tlTop << false << "0,0:aaaa |18,10:bb";
        // Word wrap on: the block is 3 x 10 + 1 high, centred at 45 div 2 - 31 div 2 = 7.
        QTest::newRow("centred block, word wrap") << "aaaa bbbb cccc" << QSize(30, 45) << taLeftJustify
                                                  << tlCenter << true << "0,7:aaaa |0,17:bbbb |0,27:cccc";
        // Word wrap off: the block is one line high, 22 - 5 = 17, that is
        // (3 x 10 + 1) div 2 - 10 div 2 = 10 lower; the last line no longer fits.
        QTest::newRow("centred block, no word wrap") << "aaaa bbbb cccc" << QSize(30, 45) << taLeftJustify
                                                     << tlCenter << false << "0,17:aaaa |0,27:bbbb ";
        QTest::newRow("offsets never negative")
            << "abcdefgh" << QSize(48, 4) << taRightJustify << tlBottom << false << "0,0:abcdefgh";
    }
    void placement() {
        QFETCH(QString, text);
        QFETCH(QSize, box);
        QFETCH(TextAlignment, alignment);
        QFETCH(TextLayout, layout);
        QFETCH(bool, wordWrap);
        QFETCH(QString, lines);
        FixedMeasurer m;
        QCOMPARE(render(layoutLabel(text, LabelBox{box, alignment, layout, wordWrap}, QFont(), m)), lines);
    }

    // The orders list page: A4 landscape 1121 x 793, margins 10/10/10/0 mm (37, 37, 37, 0 pixels),
    // page headers of 98 pixels, a page footer of 25.
    void pageBreaks_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("bandHeight");
        QTest::addColumn<bool>("pageFooter");
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<bool>("atCheck");
        // 10 bands of 60 from 135: the tenth starts at 675 (675 <= 793 - 60 - 25 - 0 = 708).
        QTest::newRow("tenth order fits") << 675 << 60 << false << false << false;
        QTest::newRow("eleventh order breaks") << 735 << 60 << false << true << true;
        QTest::newRow("exactly at the limit") << 708 << 60 << false << false << false;
        QTest::newRow("one past the limit") << 709 << 60 << false << true << false;
        // Page footers never break before they start; the check still sees the bottom margin.
        QTest::newRow("page footer far down") << 790 << 25 << true << false << true;
        // A band taller than the body fails both tests at the top of a page.
        QTest::newRow("band taller than the body") << 135 << 700 << false << true << true;
    }
    void pageBreaks() {
        QFETCH(int, y);
        QFETCH(int, bandHeight);
        QFETCH(bool, pageFooter);
        QFETCH(bool, atStart);
        QFETCH(bool, atCheck);
        PageModel model(ordersListFrame(), 98, 25);
        model.y = y;
        QCOMPARE(model.breaksAtStart(bandHeight, pageFooter), atStart);
        QCOMPARE(model.breaksAtCheck(bandHeight), atCheck);
    }

    void footersAndHeadersOfAPage() {
        PageModel model(ordersListFrame(), 98, 25);
        model.toFooters();
        // Both margins come off: 793 - 25 - 37, so the footer ends 37 pixels above the page edge.
        QCOMPARE(QPoint(model.x, model.y), QPoint(37, 731));
        model.toHeaders();
        QCOMPARE(QPoint(model.x, model.y), QPoint(37, 37));
    }

    void columnsBeforePages() {
        PageFrame frame = ordersListFrame();
        frame.columns = 2;
        frame.columnSpace = 18;
        PageModel model(frame, 98, 25);
        model.startPage();
        model.x = 37;
        model.y = 700;
        // The second column starts right of the first by one band width plus the space, below the
        // page headers (which are not repeated per column).
        QVERIFY(model.nextColumn(500));
        QCOMPARE(QPoint(model.x, model.y), QPoint(37 + 500 + 18, 37 + 98));
        QCOMPARE(model.column, 1);
        QVERIFY(!model.nextColumn(500));
    }

private:
    static PageFrame ordersListFrame() {
        PageFrame f;
        f.width = 1121;
        f.height = 793;
        f.left = 37;
        f.top = 37;
        f.bottom = 0;
        f.topAndBottom = 37;
        f.leftAndRight = 75;
        return f;
    }
};

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
