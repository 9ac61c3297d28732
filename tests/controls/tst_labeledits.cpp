// The caption label's drawing (read from rendered pixels), its presets and rotation geometry, and the
// labelled edit's layout, fill bar, Enter key and length limit, which binds typing but never cuts a
// text the program puts in.
#include "controls/prolabeledit.h"
#include "tests/support/quietoffscreen.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace kv::controls;

Q_DECLARE_METATYPE(TShadowStyle)
Q_DECLARE_METATYPE(TVerticalAlignment)

namespace {

const QColor kBackground(200, 200, 0);
const QColor kFace(0, 0, 0);

struct Layer {
    QPoint offset;
    QColor colour;
};
using Layers = QList<Layer>;

QImage render(TProLabel& label) {
    QImage img(label.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    label.render(&img);
    return img;
}

QFont textFont() {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(16);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void prepare(TProLabel& label) {
    label.setFont(textFont());
    label.setAutoSize(false);
    label.resize(80, 40);
    label.setAlignment(Qt::AlignHCenter);
    label.setVerticalAlignment(TVerticalAlignment::vaCenter);
    label.setColor(kBackground);
    label.setFontColor(kFace);
    label.setCaption(QStringLiteral("Ab"));
}

// The text's pixels drawn by a plain label of the same size, font and place.
QImage textMask() {
    TProLabel plain;
    prepare(plain);
    return render(plain);
}

// What the label must show: the mask's pixels moved by each layer's offset, in drawing order.
QImage expected(const QImage& mask, const Layers& layers) {
    QImage out(mask.size(), QImage::Format_RGB32);
    out.fill(kBackground);
    for (const Layer& l : layers)
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const QPoint from = QPoint(x, y) - l.offset;
                if (mask.rect().contains(from) && mask.pixelColor(from) != kBackground)
                    out.setPixelColor(x, y, l.colour);
            }
    return out;
}

} // namespace

class TestLabelEdits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { kv::test::quietOffscreenWarnings(); }

    void labelDrawsShadowsHighlightsAndEtchedText_data() {
        QTest::addColumn<TShadowStyle>("style");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<Layers>("layers");
        const QColor hi = TProCustomLabel::buttonHighlight(), sh = TProCustomLabel::buttonShadow();
        QTest::newRow("none: face text only")
            << TShadowStyle::ssNone << true << QPoint() << Layers{{{0, 0}, kFace}};
        // One shadow copy 2 pixels right and 2 down, then the face text.
        QTest::newRow("shadow") << TShadowStyle::ssShadow << true << QPoint()
                                << Layers{{{2, 2}, sh}, {{0, 0}, kFace}};
        // Four copies at 1, 2, 3 and 4 pixels diagonally.
        QTest::newRow("thick shadow")
            << TShadowStyle::ssThickShadow << true << QPoint()
            << Layers{{{1, 1}, sh}, {{2, 2}, sh}, {{3, 3}, sh}, {{4, 4}, sh}, {{0, 0}, kFace}};
        QTest::newRow("raised: highlight up-left")
            << TShadowStyle::ssRaised << true << QPoint() << Layers{{{-1, -1}, hi}, {{0, 0}, kFace}};
        QTest::newRow("recessed shadow: shadow up-left, highlight down-right")
            << TShadowStyle::ssRecessedShadow << true << QPoint()
            << Layers{{{-1, -1}, sh}, {{1, 1}, hi}, {{0, 0}, kFace}};
        QTest::newRow("raised thick shadow") << TShadowStyle::ssRaisedThickShadow << true << QPoint()
                                             << Layers{{{1, 1}, sh}, {{2, 2}, sh},   {{3, 3}, sh},
                                                       {{4, 4}, sh}, {{-1, -1}, hi}, {{0, 0}, kFace}};
        // A disabled label ignores its style: highlight at (1,1), then the shadow colour in place.
        QTest::newRow("disabled is etched")
            << TShadowStyle::ssThickShadow << false << QPoint() << Layers{{{1, 1}, hi}, {{0, 0}, sh}};
        QTest::newRow("offsets move everything")
            << TShadowStyle::ssShadow << true << QPoint(3, -2) << Layers{{{5, 0}, sh}, {{3, -2}, kFace}};
    }
    void labelDrawsShadowsHighlightsAndEtchedText() {
        QFETCH(TShadowStyle, style);
        QFETCH(bool, enabled);
        QFETCH(QPoint, offset);
        QFETCH(Layers, layers);
        const QImage mask = textMask();
        QVERIFY(mask != expected(mask, {})); // the text is really drawn
        TProLabel label;
        prepare(label);
        label.setShadowStyle(style);
        label.setOffsetX(offset.x());
        label.setOffsetY(offset.y());
        label.setEnabled(enabled);
        QCOMPARE(render(label), expected(mask, layers));
    }

    void presetsAssignInOneGoAndSingleChangesMakeItCustom() {
        TProLabel label;
        label.setShadowStyle(TShadowStyle::ssRaisedThickShadow);
        QCOMPARE(label.shadowStyle(), TShadowStyle::ssRaisedThickShadow);
        QCOMPARE(label.shadowSize(), 4);
        QCOMPARE(label.highlightDirection(), TDirection::drUpLeft);
        label.setShadowDepth(3);
        QCOMPARE(label.shadowStyle(), TShadowStyle::ssCustom);
        label.setShadowStyle(TShadowStyle::ssCustom);
        QCOMPARE(label.shadowDepth(), 3);
        label.setShadowColor(Qt::red);
        label.setShadowStyle(TShadowStyle::ssShadow);
        QCOMPARE(label.shadowColor(), TProCustomLabel::buttonShadow());
        label.setShadowStyle(TShadowStyle::ssRecessedColor);
        QCOMPARE(label.fontColor(), TProCustomLabel::buttonFace());
    }

    void verticalAlignmentMovesTheText_data() {
        QTest::addColumn<TVerticalAlignment>("alignment");
        QTest::addColumn<int>("shift"); // of the text's top, in halves of the free height
        QTest::newRow("top") << TVerticalAlignment::vaTop << 0;
        QTest::newRow("centre: half the free height") << TVerticalAlignment::vaCenter << 1;
        QTest::newRow("bottom: all of it") << TVerticalAlignment::vaBottom << 2;
    }
    void verticalAlignmentMovesTheText() {
        QFETCH(TVerticalAlignment, alignment);
        QFETCH(int, shift);
        auto inkTop = [](TVerticalAlignment v) {
            TProLabel label;
            prepare(label);
            label.resize(80, 60);
            label.setVerticalAlignment(v);
            const QImage img = render(label);
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (img.pixelColor(x, y) == kFace)
                        return y;
            return -1;
        };
        const int textHeight = QFontMetrics(textFont()).height();
        const int free = 60 - textHeight;
        QCOMPARE(inkTop(alignment) - inkTop(TVerticalAlignment::vaTop), free * shift / 2);
    }

    void angleIsNormalisedAndSwitchesAutoSizeOff() {
        TProLabel label;
        QVERIFY(label.autoSize());
        label.setAngle(-90);
        QCOMPARE(label.angle(), 270);
        QVERIFY(!label.autoSize());
        label.setAngle(720);
        QCOMPARE(label.angle(), 0);
    }

    void rotatedTextBoxFollowsItsQuadrant_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QPoint>("origin");
        // Text 50 x 10 in a 200 x 100 rectangle, placed at its top-left.
        // 90: c = 0, s = 1: 50 high, 10 wide; the text starts at the box's bottom and runs up.
        QTest::newRow("90") << 90 << QRect(0, 0, 10, 50) << QPoint(0, 50);
        // 180: upside down, 50 wide, 10 high; starts at the right, one text height below its top.
        QTest::newRow("180") << 180 << QRect(0, 0, 50, 10) << QPoint(50, 10);
        // 270: runs down, starts at the box's top right.
        QTest::newRow("270") << 270 << QRect(0, 0, 10, 50) << QPoint(10, 0);
        // 30: c = 0.866, s = sin(pi/6) which is a hair under 0.5 in doubles, so the truncated
        // products are Wc 43, Ws 24, Hc 8, Hs 4: 32 high, 47 wide, start 24 down.
        QTest::newRow("30") << 30 << QRect(0, 0, 47, 32) << QPoint(0, 24);
    }
    void rotatedTextBoxFollowsItsQuadrant() {
        QFETCH(int, angle);
        QFETCH(QRect, box);
        QFETCH(QPoint, origin);
        const RotatedPlacement p = placeRotated(QSize(50, 10), angle, QRect(0, 0, 200, 100), Qt::AlignLeft,
                                                TVerticalAlignment::vaTop);
        QCOMPARE(p.box, box);
        QCOMPARE(p.origin, origin);
    }

    void rotatedTextIsDrawnInsideItsBox() {
        TProLabel label;
        prepare(label);
        label.resize(60, 80);
        label.setAlignment(Qt::AlignLeft);
        label.setVerticalAlignment(TVerticalAlignment::vaTop);
        label.setAngle(90);
        const QImage img = render(label);
        const QFontMetrics fm(label.font());
        const int w = fm.horizontalAdvance(QStringLiteral("Ab"));
        int inked = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == kFace) {
                    ++inked;
                    QVERIFY2(x < fm.height() + 1 && y <= w + 1,
                             qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
                }
        QVERIFY(inked > 0);
    }

    void layoutPlacesCaptionEditAndBar_data() {
        QTest::addColumn<int>("labelWidth");
        QTest::addColumn<int>("gap");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("edit");
        // Auto size: edit box 21 high + bar 4 + 1 = 26, whatever was asked.
        QTest::newRow("auto size") << 100 << 0 << true << 26 << QRect(100, 0, 150, 21);
        QTest::newRow("gap shifts and narrows the edit") << 80 << 10 << true << 26 << QRect(90, 0, 160, 21);
        // Without auto size the asked 40 stays: the edit box is 40 - 4 - 1 high.
        QTest::newRow("fixed height") << 100 << 0 << false << 40 << QRect(100, 0, 150, 35);
    }
    void layoutPlacesCaptionEditAndBar() {
        QFETCH(int, labelWidth);
        QFETCH(int, gap);
        QFETCH(bool, autoSize);
        QFETCH(int, height);
        QFETCH(QRect, edit);
        const LabelEditGeometry g = labelEditLayout(QSize(250, 40), labelWidth, gap, autoSize, 21);
        QCOMPARE(g.height, height);
        QCOMPARE(g.edit, edit);
        QCOMPARE(g.label, QRect(0, 0, labelWidth, height));
        QCOMPARE(g.bar, QRect(0, height - 4, 250, 4));
    }

    void compositeFollowsItsLayoutAndIgnoresLabelHeight() {
        TProLabelEdit e;
        QCOMPARE(e.width(), 250);
        QCOMPARE(e.caption(), QStringLiteral("LabelEdit:"));
        QCOMPARE(e.height(), e.editBox()->sizeHint().height() + 5);
        const QRect before = e.editBox()->geometry();
        e.setLabelHeight(100);
        QCOMPARE(e.editBox()->geometry(), before);
        QCOMPARE(e.labelHeight(), e.height());
        e.setLabelWidth(60);
        e.setGap(5);
        QCOMPARE(e.editBox()->geometry(), QRect(65, 0, 185, e.height() - 5));
        QCOMPARE(e.fillBar()->geometry(), QRect(0, e.height() - 4, 250, 4));
        QVERIFY(e.focusPolicy() == Qt::NoFocus);
        QCOMPARE(e.captionLabel()->buddy(), e.editBox());
    }

    void fillBarColourFollowsTheLength_data() {
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<int>("typed");
        QTest::addColumn<QColor>("colour");
        const QColor green(0, 255, 0), red(255, 0, 0);
        QTest::newRow("26 of 30 is below 0.9") << 30 << 26 << green;
        QTest::newRow("27 of 30 reaches 0.9") << 30 << 27 << red;
        QTest::newRow("9 of 10 is exactly 0.9") << 10 << 9 << red;
        QTest::newRow("full") << 10 << 10 << red;
        QTest::newRow("empty") << 10 << 0 << green;
    }
    void fillBarColourFollowsTheLength() {
        QFETCH(int, maxLength);
        QFETCH(int, typed);
        QFETCH(QColor, colour);
        TProLabelEdit e;
        e.setMaxLength(maxLength);
        QColor seen;
        connect(&e, &TProLabelEdit::changed, this, [&] { seen = e.fillBar()->barColor(); });
        // Something else first, so that the empty row's text is a change too.
        e.setText(QStringLiteral("-"));
        e.setText(QString(typed, QLatin1Char('x')));
        QCOMPARE(seen, colour); // the bar had its colour when OnChange ran
        QCOMPARE(e.fillBar()->maximum(), maxLength);
        QCOMPARE(e.fillBar()->position(), typed);
    }

    void withoutMaxLengthTheBarKeepsItsColour() {
        TProLabelEdit e;
        e.setMaxLength(10);
        e.setText(QString(9, QLatin1Char('x')));
        QCOMPARE(e.fillBar()->barColor(), QColor(255, 0, 0));
        e.setMaxLength(0);
        e.setText(QStringLiteral("x"));
        QCOMPARE(e.fillBar()->barColor(), QColor(255, 0, 0));
        QCOMPARE(e.fillBar()->maximum(), 0);
    }

    void programSetTextRaisesOnChange() {
        TProLabelEdit e;
        QSignalSpy spy(&e, &TProLabelEdit::changed);
        e.setText(QStringLiteral("Praha"));
        QCOMPARE(spy.count(), 1);
    }

    void aLongerTextFromTheProgramIsKeptAndTypingCannotLengthenIt_data() {
        QTest::addColumn<QString>("shown"); // put in by the program, as a stored value is
        QTest::addColumn<int>("cursor");    // where the user puts the cursor; -1 at the end
        QTest::addColumn<int>("backspaces");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        // The box takes 5 characters; "110 00" has 6.
        QTest::newRow("shown whole") << "110 00" << -1 << 0 << ""
                                     << "110 00";
        QTest::newRow("typing at the end adds nothing") << "110 00" << -1 << 0 << "9"
                                                        << "110 00";
        QTest::newRow("typing inside adds nothing") << "110 00" << 3 << 0 << "9"
                                                    << "110 00";
        // One deleted leaves 5: the limit is reached, so nothing more may be typed.
        QTest::newRow("deleting shortens it, at the limit") << "110 00" << -1 << 1 << "9"
                                                            << "110 0";
        // Two deleted leave 4: one of the two typed characters fits.
        QTest::newRow("below the limit typing fills it up") << "110 00" << -1 << 2 << "99"
                                                            << "110 9";
        // "110| 00" loses "10"; the 9 lands where the user deleted, not at the end.
        QTest::newRow("deleting inside keeps the cursor there") << "110 00" << 3 << 2 << "9"
                                                                << "19 00";
        QTest::newRow("a shorter text typed on, cut at the limit") << "11" << -1 << 0 << "00099"
                                                                   << "11000";
    }
    void aLongerTextFromTheProgramIsKeptAndTypingCannotLengthenIt() {
        QFETCH(QString, shown);
        QFETCH(int, cursor);
        QFETCH(int, backspaces);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        TProLabelEdit e;
        e.setMaxLength(5);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        e.setText(shown);
        QCOMPARE(e.text(), shown);
        if (cursor >= 0)
            e.editBox()->setCursorPosition(cursor);
        for (int i = 0; i < backspaces; ++i)
            QTest::keyClick(e.editBox(), Qt::Key_Backspace);
        QTest::keyClicks(e.editBox(), typed);
        QCOMPARE(e.text(), text);
        QCOMPARE(e.maxLength(), 5);
        QCOMPARE(e.fillBar()->position(), int(text.size()));
    }

    void aLimitBelowTheTextLeavesTheTextWhole() {
        TProLabelEdit e;
        e.setText(QStringLiteral("Praha 10"));
        e.setMaxLength(5);
        QCOMPARE(e.text(), QStringLiteral("Praha 10"));
        e.setMaxLength(0);
        e.setText(QString(40000, QLatin1Char('x'))); // past even the "unlimited" edit box
        QCOMPARE(e.text().size(), 40000);
    }

    void enterMovesToTheNextControlAndStillRaisesKeyPress() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* first = new TProLabelEdit;
        auto* second = new TProLabelEdit;
        auto* button = new QPushButton(QStringLiteral("Hotovo"));
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QList<QChar> keys;
        connect(first, &TProLabelEdit::keyPressed, this, [&](QChar k) { keys << k; });
        connect(second, &TProLabelEdit::keyPressed, this, [&](QChar k) { keys << k; });
        first->editBox()->setFocus();
        QTest::keyClick(first->editBox(), Qt::Key_A);
        QTest::keyClick(first->editBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), second->editBox());
        QTest::keyClick(second->editBox(), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), button);
        QCOMPARE(keys, (QList<QChar>{QLatin1Char('a'), QChar(13), QChar(13)}));
        QCOMPARE(first->text(), QStringLiteral("a"));
        // An edit that is no tab stop is passed over.
        second->setTabStop(false);
        first->editBox()->setFocus();
        QTest::keyClick(first->editBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), button);
    }
};

QTEST_MAIN(TestLabelEdits)
#include "tst_labeledits.moc"
