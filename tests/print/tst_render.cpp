// kalmorvaty-render run as a developer runs it: one PNG per page at 96 dots per inch, named
// page_00001.png and on, and clear refusals of bad arguments.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString errors;
};

Run render(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_RENDER_BIN), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesEveryPage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QSize>("size");
        QTest::newRow("order form") << QStringList{"Objednavka"} << QStringList{"page_00001.png"} << QSize(793, 1121);
        QTest::newRow("25 orders, ten a page")
            << QStringList{"SeznamObjednavek", "--orders", "25"}
            << QStringList{"page_00001.png", "page_00002.png", "page_00003.png"} << QSize(1121, 793);
        QTest::newRow("no suppliers: only the categories")
            << QStringList{"SeznamDodavatelu", "--suppliers", "0"}
            << QStringList{"page_00001.png", "page_00002.png"} << QSize(1121, 793);
    }
    void writesEveryPage() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, files);
        QFETCH(QSize, size);
        QTemporaryDir out;
        const Run run = render(args + QStringList{QStringLiteral("--out"), out.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), files);
        const QImage first(QDir(out.path()).filePath(files.first()));
        QCOMPARE(first.size(), size);
        // The page starts at the margins: the top-left corner of the first band's frame or box.
        QCOMPARE(first.pixelColor(37, 37), QColor(Qt::black));
        QCOMPARE(first.pixelColor(10, 10), QColor(Qt::white));
    }

    void refusesBadArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown layout") << QStringList{"Faktura", "--out", "x"} << "name one of the layouts";
        QTest::newRow("no output folder") << QStringList{"Objednavka"} << "--out DIR is missing";
        QTest::newRow("count not a number") << QStringList{"SeznamObjednavek", "--orders", "mnoho", "--out", "x"}
                                            << "--orders needs a number of 0 or more";
    }
    void refusesBadArguments() {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const Run run = render(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
