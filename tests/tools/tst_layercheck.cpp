// The include check on small trees written by the test: what it lets through and what it reports.
#include "tools/layercheck/layercheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using kv::tools::checkLayers;
using kv::tools::LayerCheckInput;

class TstLayerCheck : public QObject {
    Q_OBJECT

    static void write(const QTemporaryDir& dir, const QString& path, const QByteArray& text) {
        QDir(dir.path()).mkpath(QFileInfo(path).path());
        QFile f(dir.filePath(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // A three-floor tree: base at the bottom, store on it, a window folder on top; one more folder
    // beside the window folder.
    static constexpr const char* layers = "# comment\n"
                                          "base:    -          no-widgets\n"
                                          "store:   base       no-widgets\n"
                                          "windows: store\n"
                                          "other:   base\n";

private slots:
    void findings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("faults");
        // Two floors down through the transitive list.
        QTest::newRow("down two floors")
            << "windows/w.cpp" << QByteArray("#include \"base/b.h\"\n") << QStringList{};
        QTest::newRow("own folder, beside the file")
            << "store/s.cpp" << QByteArray("#include \"s.h\"\n") << QStringList{};
        QTest::newRow("up") << "store/s.cpp" << QByteArray("#include <QString>\n#include \"windows/w.h\"\n")
                            << QStringList{
                                   "store/s.cpp:2: includes windows/w.h (windows is not below store)"};
        QTest::newRow("sideways") << "windows/w.cpp" << QByteArray("#include \"other/o.h\"\n")
                                  << QStringList{
                                         "windows/w.cpp:1: includes other/o.h (other is not below windows)"};
        QTest::newRow("a subfolder belongs to its folder")
            << "base/deep/d.cpp" << QByteArray("#include \"store/s.h\"\n")
            << QStringList{"base/deep/d.cpp:1: includes store/s.h (store is not below base)"};
        QTest::newRow("widget header in a widget-free folder")
            << "store/s.cpp" << QByteArray("#include <QWidget>\n#include <QtWidgets/QLabel>\n")
            << QStringList{"store/s.cpp:1: includes <QWidget> (store is free of widgets)",
                           "store/s.cpp:2: includes <QtWidgets/QLabel> (store is free of widgets)"};
        QTest::newRow("widget header in a window folder")
            << "windows/w.cpp" << QByteArray("#include <QWidget>\n") << QStringList{};
    }
    void findings() {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, faults);
        QTemporaryDir dir;
        for (const char* header : {"base/b.h", "store/s.h", "windows/w.h", "other/o.h"})
            write(dir, QString::fromLatin1(header), "#pragma once\n");
        write(dir, file, text);
        LayerCheckInput input{dir.path(), QString::fromLatin1(layers), {QStringLiteral("QWidget")}};
        QCOMPARE(checkLayers(input), faults);
    }

    void aListNamingAnUnknownFolderIsAFault() {
        QTemporaryDir dir;
        LayerCheckInput input{dir.path(), QStringLiteral("a: b\n"), {}};
        QCOMPARE(checkLayers(input), QStringList{"layers: a names b, which is not a listed folder"});
    }
};

QTEST_GUILESS_MAIN(TstLayerCheck)
#include "tst_layercheck.moc"
