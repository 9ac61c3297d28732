// Image export: one picture of all pages under exactly the given name, per-page names, unknown
// kinds, the JPEG fallback to PNG (a failing page, a picture taller than JPEG allows), rows handed
// to the writer a page at a time, our BMP layout, and the preview's messages. Exported pixels are
// the preview's at 100 % after the reduction to 16 bits.
#include "report/outputs/bmpwriter.h"
#include "report/outputs/imageexport.h"
#include "report/model/reporterror.h"
#include "report/model/labelcontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/band.h"
#include "report/layout/pagerecorder.h"
#include "report/view/previewgeometry.h"
#include "report/view/reportpreview.h"
#include "ui/scripteddialogs.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace kv::report;

namespace {

// `pages` A4 portrait pages: one band a page with a coloured box and the page's number.
std::unique_ptr<Report> pagedReport(int pages) {
    auto report = std::make_unique<Report>(ReportMetrics(96));
    for (int i = 1; i <= pages; ++i) {
        auto* band = new Band(report.get(), rbDetail);
        band->setHeight(1000);
        auto box = std::make_unique<ShapeControl>();
        box->setBounds(50, 50, 300, 200);
        box->brush = QBrush(QColor::fromHsv(i * 40 % 360, 200, 220));
        band->addControl(std::move(box));
        auto label = std::make_unique<LabelControl>();
        label->caption = QStringLiteral("Strana %1 – žluťoučký kůň").arg(i);
        label->setBounds(60, 300, 400, 30);
        band->addControl(std::move(label));
    }
    return report;
}

// A preview with its progress bar, showing the pages of pagedReport(pages).
struct PreparedPreview {
    explicit PreparedPreview(int pages)
        : report(pagedReport(pages)) {
        view.setProgressBar(&bar);
        view.setReport(report.get());
        view.prepare();
    }
    std::unique_ptr<Report> report;
    QProgressBar bar;
    ReportPreview view;
};

QStringList files(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

// Records what a writer is handed and writes nothing.
struct RecordingWriter : ImageWriter {
    QStringList* log;
    explicit RecordingWriter(QStringList* l)
        : log(l) {}
    void begin(const QString& path, QSize size) override {
        *log << QStringLiteral("begin %1 %2x%3")
                    .arg(QFileInfo(path).fileName())
                    .arg(size.width())
                    .arg(size.height());
    }
    void write(const QImage& rows) override { *log << QStringLiteral("rows %1").arg(rows.height()); }
    void finish() override { *log << QStringLiteral("finish"); }
    QImage::Format rowFormat() const override { return QImage::Format_RGB16; }
};

// A real writer that fails as it starts on the file named `failing`, as a JPEG does.
struct FailingAt : ImageWriter {
    std::unique_ptr<ImageWriter> real;
    QString failing;
    FailingAt(std::unique_ptr<ImageWriter> w, const QString& name)
        : real(std::move(w))
        , failing(name) {}
    void begin(const QString& path, QSize size) override {
        if (QFileInfo(path).fileName() == failing)
            throw JpegWriteError(QStringLiteral("zkouška"));
        real->begin(path, size);
    }
    void write(const QImage& rows) override { real->write(rows); }
    void finish() override { real->finish(); }
    QImage::Format rowFormat() const override { return real->rowFormat(); }
};

} // namespace

class TestImageExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void singlePictureOfAllPagesUnderTheGivenName() {
        QTemporaryDir dir;
        auto report = pagedReport(3);
        PageRecorder g;
        g.execute(*report);
        QList<int> progress;
        ImageExportSteps steps;
        steps.onPage = [&](int p) { progress << p; };
        exportImages(g.pages(), dir.filePath(QStringLiteral("Report.PNG")), true, steps);
        QCOMPARE(files(dir), QStringList{"Report.PNG"});
        QCOMPARE(progress, (QList<int>{1, 2, 3}));
        const QImage picture(dir.filePath(QStringLiteral("Report.PNG")));
        QCOMPARE(picture.size(), QSize(793, 3 * 1121));

        // Each page as the preview shows it at 100 %, reduced to 16 bits a pixel.
        ReportPreview view;
        // Lower than the page: at 100 % the page is replayed one to one from 3 pixels down.
        view.resize(900, 700);
        view.setReport(report.get());
        view.prepare();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (int p = 1; p <= 3; ++p) {
            view.setPage(p);
            const QRect at = placePreview(QSize(793, 1121), 100, view.viewport()->size()).page;
            QCOMPARE(at.size(), QSize(793, 1121));
            const QImage shown = view.widget()->grab(at).toImage().convertToFormat(QImage::Format_RGB16);
            const QImage exported =
                picture.copy(0, 1121 * (p - 1), 793, 1121).convertToFormat(QImage::Format_RGB16);
            QCOMPARE(exported, shown);
        }
    }

    void onePictureAPageUnderNumberedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("written");
        // The extension comes out in lower case; the page number has at least five digits.
        QTest::newRow("bmp") << "Report.BMP"
                             << QStringList{"Report_00001.bmp", "Report_00002.bmp", "Report_00003.bmp"};
        QTest::newRow("png") << "seznam.png"
                             << QStringList{"seznam_00001.png", "seznam_00002.png", "seznam_00003.png"};
        QTest::newRow("jpg") << "x.Jpg" << QStringList{"x_00001.jpg", "x_00002.jpg", "x_00003.jpg"};
        QTest::newRow("unknown kind writes nothing") << "Report.gif" << QStringList{};
    }
    void onePictureAPageUnderNumberedNames() {
        QFETCH(QString, name);
        QFETCH(QStringList, written);
        QTemporaryDir dir;
        auto report = pagedReport(3);
        PageRecorder g;
        g.execute(*report);
        QList<int> progress;
        ImageExportSteps steps;
        steps.onPage = [&](int p) { progress << p; };
        exportImages(g.pages(), dir.filePath(name), false, steps);
        QCOMPARE(files(dir), written);
        // The progress runs through the pages whether anything is written or not.
        QCOMPARE(progress, (QList<int>{1, 2, 3}));
        for (int p = 1; p <= int(written.size()); ++p) {
            const QImage page(dir.filePath(written[p - 1]));
            QCOMPARE(page.size(), QSize(793, 1121));
            // Lossless kinds hold exactly the 16-bit pixels.
            if (!name.endsWith(QLatin1String("pg"), Qt::CaseInsensitive))
                QCOMPARE(page.convertToFormat(QImage::Format_RGB16),
                         pageImage16(g.page(p)).convertToFormat(QImage::Format_RGB16));
        }
    }

    void failingJpegPageIsWrittenAsPngAndTheExportGoesOn() {
        QTemporaryDir dir;
        auto report = pagedReport(3);
        PageRecorder g;
        g.execute(*report);
        QStringList reasons;
        ImageExportSteps steps;
        // The JPEG of page 2 fails as it starts; the others are real.
        steps.makeWriter = [&](ImageKind kind) -> std::unique_ptr<ImageWriter> {
            return std::make_unique<FailingAt>(makeImageWriter(kind), QStringLiteral("name_00002.jpg"));
        };
        steps.onJpegFallback = [&](const QString& reason) { reasons << reason; };
        exportImages(g.pages(), dir.filePath(QStringLiteral("name.jpg")), false, steps);
        QCOMPARE(files(dir), (QStringList{"name_00001.jpg", "name_00002.png", "name_00003.jpg"}));
        QCOMPARE(reasons, QStringList{"zkouška"});
    }

    void rowsReachTheWriterAPageAtATime() {
        auto report = pagedReport(3);
        PageRecorder g;
        g.execute(*report);
        QStringList log;
        ImageExportSteps steps;
        steps.makeWriter = [&](ImageKind) { return std::make_unique<RecordingWriter>(&log); };
        exportImages(g.pages(), QStringLiteral("/nikde/Report.png"), true, steps);
        // One picture 3 pages tall, but never more than one page of rows in memory.
        QCOMPARE(log,
                 (QStringList{"begin Report.png 793x3363", "rows 1121", "rows 1121", "rows 1121", "finish"}));
    }

    void jpegTallerThanItsLimitBecomesPngWithOneMessage() {
        // 59 A4 pages are 66,139 rows; a JPEG holds 65,500.
        QTemporaryDir dir;
        kv::ui::ScriptedDialogs dialogs;
        PreparedPreview preview(59);
        preview.view.exportImage(dir.filePath(QStringLiteral("Report.jpg")), true);
        QCOMPARE(dialogs.messages(),
                 QStringList{"Chyba při kompresi JPG obrázku!\nObrázek bude uložen se stejným "
                             "jménem, ale ve formátu PNG..."});
        QCOMPARE(dialogs.calls.value(0).style, kv::ui::MsgStyle::Error);
        QCOMPARE(files(dir), QStringList{"Report.png"});
        QCOMPARE(QImageReader(dir.filePath(QStringLiteral("Report.png"))).size(), QSize(793, 59 * 1121));
        QVERIFY(preview.bar.isHidden());
        QCOMPARE(preview.bar.value(), 0);
    }

    void failedExportSaysWhyAndRestoresThePointer() {
        QTemporaryDir dir;
        kv::ui::ScriptedDialogs dialogs;
        PreparedPreview preview(2);
        preview.view.exportImage(dir.filePath(QStringLiteral("chybi/Report.png")), false);
        const QString prefix = QStringLiteral("Došlo k chybě při exportu obrázku!\nChybová zpráva:");
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages()[0].startsWith(prefix + QStringLiteral("Soubor \"")),
                 qPrintable(dialogs.messages()[0]));
        QVERIFY(dialogs.messages()[0].contains(QStringLiteral("Report_00001.png")));
        QVERIFY(preview.bar.isHidden());
        QCOMPARE(preview.bar.value(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void bmpStoresRowsBottomUpBehindItsHeader() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pruhy.bmp"));
        // Five rows of three pixels in two blocks: red, green, white, then black and blue.
        QImage top(3, 3, QImage::Format_RGB16);
        top.fill(Qt::red);
        top.setPixelColor(0, 1, Qt::green);
        top.setPixelColor(0, 2, Qt::white);
        QImage bottom(3, 2, QImage::Format_RGB16);
        bottom.fill(Qt::black);
        bottom.setPixelColor(2, 1, Qt::blue);
        BmpWriter writer;
        writer.begin(path, QSize(3, 5));
        writer.write(top);
        writer.write(bottom);
        writer.finish();

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray b = file.readAll();
        auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
        auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
        // Rows of 3 x 2 = 6 bytes padded to 8.
        QCOMPARE(b.size(), 66 + 5 * 8);
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(u32(2), quint32(106));
        QCOMPARE(u32(10), quint32(66));
        QCOMPARE(u32(18), quint32(3));
        QCOMPARE(u32(22), quint32(5));
        QCOMPARE(u16(28), quint16(16));
        QCOMPARE(u32(30), quint32(3));
        QCOMPARE(u32(54), quint32(0xF800));
        // The bottom row comes first: black, black, blue.
        QCOMPARE(u16(66), quint16(0));
        QCOMPARE(u16(70), quint16(0x001F));
        // A common reader gets the picture back as it was written.
        const QImage read = QImage(path).convertToFormat(QImage::Format_RGB16);
        QCOMPARE(read.size(), QSize(3, 5));
        QCOMPARE(read.pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(read.pixelColor(0, 1), QColor(Qt::green));
        QCOMPARE(read.pixelColor(0, 2), QColor(Qt::white));
        QCOMPARE(read.pixelColor(2, 4), QColor(Qt::blue));
    }

    void bmpRefusesAPictureItsHeaderCannotHold() {
        // 793 pixels a row take 1588 bytes: 2.8 million rows pass the 4 GB a BMP can state.
        QTemporaryDir dir;
        BmpWriter writer;
        QVERIFY_THROWS_EXCEPTION(
            ImageWriteError, writer.begin(dir.filePath(QStringLiteral("velky.bmp")), QSize(793, 2800000)));
        QVERIFY(files(dir).isEmpty());
    }

    void reductionIsTheTripThroughSixteenBits() {
        // Every value of every channel: red runs across, green down, blue along the diagonal.
        QImage colours(256, 256, QImage::Format_RGB32);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x)
                colours.setPixel(x, y, qRgb(x, y, (x + y) & 0xFF));
        }
        QImage reduced = colours;
        reduceTo16Bits(reduced);
        QCOMPARE(reduced,
                 colours.convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_RGB32));
    }

    void pageNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("extension lower-cased") << "/a/Report.PNG" << 1 << "/a/Report_00001.png";
        QTest::newRow("more than five digits") << "/a/r.bmp" << 123456 << "/a/r_123456.bmp";
        QTest::newRow("dots in the folder") << "/a.b/r.jpg" << 2 << "/a.b/r_00002.jpg";
    }
    void pageNames() {
        QFETCH(QString, name);
        QFETCH(int, page);
        QFETCH(QString, expected);
        QCOMPARE(pageImageName(name, page), expected);
    }
};

QTEST_MAIN(TestImageExport)
#include "tst_imageexport.moc"
