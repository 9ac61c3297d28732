// The window region component and the splash animation built on it: first shape taken whole,
// combine modes, applying and taking back, update brackets, the region-data block, "region error",
// and the splash's opening and closing shapes.
#include "app/region.h"
#include "app/splashanimation.h"
#include "app/splashform.h"
#include "tests/support/quietoffscreen.h"

#include <QTest>
#include <QTimer>
#include <QtEndian>

using namespace kv::app;

Q_DECLARE_METATYPE(kv::app::TRegionCombine)

namespace {

QRegion ellipse(int x1, int y1, int x2, int y2) {
    return QRegion(QRect(x1, y1, x2 - x1, y2 - y1), QRegion::Ellipse);
}
QRegion rect(int x1, int y1, int x2, int y2) {
    return QRegion(x1, y1, x2 - x1, y2 - y1);
}

qint32 longAt(const QByteArray& data, int offset) {
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

// A window to shape; shown, since only a shown window's mask decides what is visible.
struct Window {
    QWidget widget;
    Window() {
        widget.resize(200, 200);
        widget.show();
    }
};

} // namespace

class TestRegion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { kv::test::quietOffscreenWarnings(); }

    void firstShapeIsTakenWholeWhateverTheMode_data() {
        QTest::addColumn<TRegionCombine>("mode");
        // Intersecting, subtracting or xoring with "nothing yet" would give nothing or the shape;
        // the first shape must always come out whole.
        QTest::newRow("rcAnd") << rcAnd;
        QTest::newRow("rcIntersect") << rcIntersect;
        QTest::newRow("rcCopy") << rcCopy;
        QTest::newRow("rcDifference") << rcDifference;
        QTest::newRow("rcSubtract") << rcSubtract;
        QTest::newRow("rcOr") << rcOr;
        QTest::newRow("rcUnion") << rcUnion;
        QTest::newRow("rcXor") << rcXor;
    }
    void firstShapeIsTakenWholeWhateverTheMode() {
        QFETCH(TRegionCombine, mode);
        Window w;
        TRegion r(&w.widget);
        r.setCombineMode(mode);
        r.AddEllipse(10, 20, 110, 80);
        r.setActive(true);
        QCOMPARE(w.widget.mask(), ellipse(10, 20, 110, 80));
    }

    void secondShapeJoinsByTheCombineMode_data() {
        QTest::addColumn<TRegionCombine>("mode");
        QTest::addColumn<QRegion>("expected");
        // Built: rectangle A (0,0)-(60,60); added: rectangle B (40,40)-(100,100).
        const QRegion a = rect(0, 0, 60, 60), b = rect(40, 40, 100, 100);
        QTest::newRow("rcAnd is the overlap") << rcAnd << a.intersected(b);
        QTest::newRow("rcIntersect is the overlap") << rcIntersect << a.intersected(b);
        QTest::newRow("rcCopy replaces") << rcCopy << b;
        QTest::newRow("rcDifference is built minus new") << rcDifference << a.subtracted(b);
        QTest::newRow("rcSubtract is built minus new") << rcSubtract << a.subtracted(b);
        QTest::newRow("rcOr is both") << rcOr << a.united(b);
        QTest::newRow("rcUnion is both") << rcUnion << a.united(b);
        QTest::newRow("rcXor leaves out the overlap") << rcXor << a.xored(b);
    }
    void secondShapeJoinsByTheCombineMode() {
        QFETCH(TRegionCombine, mode);
        QFETCH(QRegion, expected);
        Window w;
        TRegion r(&w.widget);
        r.AddRect(0, 0, 60, 60);
        r.setCombineMode(mode);
        r.AddRect(40, 40, 100, 100);
        r.setActive(true);
        QCOMPARE(w.widget.mask(), expected);
    }

    void rectangleAndEllipseMaskTheWindowToTheirUnion() {
        Window w;
        TRegion r(&w.widget);
        QCOMPARE(r.CombineMode(), rcUnion);
        r.AddRect(0, 0, 20, 20);
        r.AddEllipse(50, 50, 150, 100);
        QVERIFY(!r.Active());
        QVERIFY(w.widget.mask().isEmpty()); // nothing applied before Active
        r.setActive(true);
        const QRegion mask = w.widget.mask();
        QCOMPARE(mask, rect(0, 0, 20, 20).united(ellipse(50, 50, 150, 100)));
        QVERIFY(mask.contains(QPoint(5, 5)));
        QVERIFY(mask.contains(QPoint(100, 75)));
        QVERIFY(!mask.contains(QPoint(30, 30))); // between the two
        QVERIFY(!mask.contains(QPoint(52, 52))); // the ellipse's box corner is not the ellipse
        QVERIFY(!r.hasBuiltShape());             // the window owns the shape now
    }

    void destroyingTheComponentLeavesTheWindowShaped() {
        Window w;
        {
            auto* r = new TRegion(&w.widget);
            r->AddEllipse(0, 0, 100, 100);
            r->setActive(true);
            delete r;
        }
        QCOMPARE(w.widget.mask(), ellipse(0, 0, 100, 100));
    }

    void activeWithoutAShapeShowsTheWholeWindow() {
        Window w;
        w.widget.setMask(rect(0, 0, 10, 10));
        TRegion r(&w.widget);
        r.setActive(true);
        QVERIFY(r.Active());
        QVERIFY(w.widget.mask().isEmpty());
    }

    void regionErrorWhenThereIsNoShapeToTakeBack() {
        Window w;
        TRegion r(&w.widget);
        r.setActive(true); // no shape: the window shows whole, there is nothing to take back
        QVERIFY_THROWS_EXCEPTION(RegionError, r.setActive(false));
        try {
            r.setActive(false);
        } catch (const RegionError& e) {
            QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("region error"));
        }
        // Adding while Active takes the shape back first, so it fails the same way and leaves no
        // update bracket open behind.
        QVERIFY_THROWS_EXCEPTION(RegionError, r.AddRect(0, 0, 10, 10));
        QCOMPARE(r.updateCount(), 0);
        QVERIFY(r.Active());
    }

    void takingTheShapeBackShowsTheWholeWindowAndKeepsTheShape() {
        Window w;
        TRegion r(&w.widget);
        r.AddRect(10, 10, 50, 50);
        r.setActive(true);
        r.setActive(false);
        QVERIFY(w.widget.mask().isEmpty());
        r.setActive(true);
        QCOMPARE(w.widget.mask(), rect(10, 10, 50, 50));
    }

    void addingWhileActiveReappliesTheCombinedShape() {
        Window w;
        TRegion r(&w.widget);
        r.AddRect(0, 0, 20, 20);
        r.setActive(true);
        r.setCombineMode(rcDifference);
        r.AddRect(10, 10, 20, 20);
        QVERIFY(r.Active());
        QCOMPARE(r.updateCount(), 0);
        QCOMPARE(w.widget.mask(), rect(0, 0, 20, 20).subtracted(rect(10, 10, 20, 20)));
    }

    void updateBracketsApplyTheShapeOnceAtTheOuterEnd() {
        Window w;
        TRegion r(&w.widget);
        r.BeginUpdate(); // neither Active nor inside a bracket: does nothing
        QCOMPARE(r.updateCount(), 0);
        r.AddRect(0, 0, 20, 20);
        r.setActive(true);

        r.BeginUpdate();
        r.BeginUpdate();
        QCOMPARE(r.updateCount(), 2);
        QVERIFY(!r.Active());
        QVERIFY(w.widget.mask().isEmpty()); // the whole window shows while the shape is changed
        r.AddRect(30, 30, 40, 40);
        r.EndUpdate();
        QVERIFY(w.widget.mask().isEmpty()); // still inside the outer bracket
        r.EndUpdate();
        QVERIFY(r.Active());
        QCOMPARE(w.widget.mask(), rect(0, 0, 20, 20).united(rect(30, 30, 40, 40)));
        r.EndUpdate(); // unmatched: nothing happens
        QCOMPARE(r.updateCount(), 0);
    }

    void anEmptyShapeHidesTheWholeWindow() {
        // Disjoint rectangles intersected leave nothing; the window must not show whole.
        Window w;
        TRegion r(&w.widget);
        r.AddRect(0, 0, 10, 10);
        r.setCombineMode(rcAnd);
        r.AddRect(20, 20, 30, 30);
        r.setActive(true);
        QVERIFY(!w.widget.mask().isEmpty());
        QVERIFY(w.widget.mask().intersected(w.widget.rect()).isEmpty());
        r.setActive(false); // and it is taken back as the empty shape it was
        QCOMPARE(longAt(r.RegionData(), 8), 0);
    }

    void regionDataBlockHoldsHeaderAndRectangles() {
        Window w;
        TRegion r(&w.widget);
        QVERIFY(r.RegionData().isEmpty()); // no built shape yet
        r.AddRect(1, 2, 11, 22);
        r.AddRect(1, 22, 11, 32); // touches the first: one rectangle in the block
        r.AddRect(50, 2, 60, 12);
        const QByteArray d = r.RegionData();
        const int n = longAt(d, 8);
        QCOMPARE(d.size(), 32 + 16 * n);
        QCOMPARE(longAt(d, 0), 32);
        QCOMPARE(longAt(d, 4), 1);
        QCOMPARE(longAt(d, 12), 16 * n);
        QCOMPARE((QList<qint32>{longAt(d, 16), longAt(d, 20), longAt(d, 24), longAt(d, 28)}),
                 (QList<qint32>{1, 2, 60, 32}));
        QRegion back;
        for (int i = 0; i < n; ++i) {
            const int o = 32 + 16 * i;
            back += QRect(QPoint(longAt(d, o), longAt(d, o + 4)),
                          QPoint(longAt(d, o + 8) - 1, longAt(d, o + 12) - 1));
        }
        QCOMPARE(back, rect(1, 2, 11, 32).united(rect(50, 2, 60, 12)));
        r.setActive(true);
        QVERIFY(r.RegionData().isEmpty()); // handed to the window
    }

    void splashOpensIn37TicksToTheCircleWithTheTextStrip() {
        SplashAnimation a;
        SplashAnimation::Step step;
        int ticks = 0;
        do {
            step = a.tick();
            ++ticks;
            QCOMPARE(step.strip.has_value(), step.finished); // the strip comes with the last tick only
        } while (!step.finished && ticks < 100);
        QCOMPARE(ticks, 37);
        QCOMPARE(step.ellipse, (EdgeBox{1, 1, 151, 151}));
        QCOMPARE(*step.strip, (EdgeBox{0, 151, 152, 164}));
        QVERIFY(!a.opening());
    }

    void splashClosesBackAndEndsWithoutANewShape() {
        SplashAnimation a;
        while (!a.tick().finished) {
        }
        a.startClosing();
        QList<SplashAnimation::Step> steps;
        do
            steps << a.tick();
        while (!steps.last().finished && steps.size() < 100);
        // 150 pixels of width shrink by 4 a tick: 37 shapes down to 2 pixels, the 38th tick closes.
        QCOMPARE(steps.size(), 38);
        QCOMPARE(steps.first().ellipse, (EdgeBox{3, 3, 149, 149}));
        QVERIFY(!steps.first().strip);
        QCOMPARE(steps[36].ellipse, (EdgeBox{75, 75, 77, 77}));
        QVERIFY(steps[36].applyShape);
        QVERIFY(!steps.last().applyShape);
        QCOMPARE(a.box(), SplashAnimation::kStartBox); // ready to open again
    }

    void splashWindowIsShapedOnEveryTick() {
        TSplashForm splash(1);
        QCOMPARE(splash.mask(), ellipse(75, 75, 77, 77)); // set at creation
        splash.show();
        QTRY_VERIFY(splash.finished());
        QCOMPARE(splash.mask(), ellipse(1, 1, 151, 151).united(rect(0, 151, 152, 164)));
        QVERIFY(!splash.Timer1->isActive());

        splash.clearFinished();
        splash.startClosing();
        QTRY_VERIFY(splash.finished());
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.mask(), ellipse(75, 75, 77, 77)); // the last shape stays as it was
    }
};

QTEST_MAIN(TestRegion)
#include "tst_region.moc"
