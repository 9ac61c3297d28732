// The program folder of a build and of an installed copy: the data folder an installation names
// beside the executable, getting the folder ready at start, and sharing it with the group.
#include "base/programfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace kv;

class TestProgramFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString root_;

    void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private Q_SLOTS:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = dir_->path();
    }
    void cleanup() { setProgramFolder(QString()); }

    void anInstallationNamesTheDataFolder_data() {
        QTest::addColumn<QByteArray>("named"); // contents of datafolder.txt; null: no such file
        QTest::addColumn<QString>("expected"); // under the temporary folder
        QTest::newRow("run from the build: the executable's folder") << QByteArray() << "/opt/kv/lib/";
        QTest::newRow("absolute") << QByteArray("ROOT/var/lib/kalmorvaty\n") << "/var/lib/kalmorvaty/";
        QTest::newRow("relative to the executable's folder")
            << QByteArray("../../var/lib/kalmorvaty\n") << "/opt/var/lib/kalmorvaty/";
        QTest::newRow("written on Windows: CR LF and blanks") << QByteArray("  ROOT/data/ \r\n") << "/data/";
        QTest::newRow("Czech letters in UTF-8")
            << QByteArray("ROOT/data/účetní\n") << QStringLiteral("/data/účetní/");
        QTest::newRow("an empty line names none") << QByteArray("\nROOT/data\n") << "/opt/kv/lib/";
    }
    void anInstallationNamesTheDataFolder() {
        QFETCH(QByteArray, named);
        QFETCH(QString, expected);
        const QString exe = root_ + QLatin1String("/opt/kv/lib");
        QVERIFY(QDir().mkpath(exe));
        if (!named.isNull())
            write(exe + QLatin1String("/datafolder.txt"), QByteArray(named).replace("ROOT", root_.toUtf8()));
        QCOMPARE(programFolderFor(exe), root_ + expected);
        QCOMPARE(programFolderFor(exe + QLatin1Char('/')), root_ + expected);
    }

    void aMissingFolderIsCreatedAtStart() {
        setProgramFolder(root_ + QLatin1String("/var/lib/kalmorvaty"));
        QVERIFY(prepareProgramFolder());
        QVERIFY(QFileInfo(root_ + QLatin1String("/var/lib/kalmorvaty")).isDir());
        QCOMPARE(QDir(root_ + QLatin1String("/var/lib/kalmorvaty")).entryList(QDir::Files | QDir::Hidden),
                 QStringList()); // the probe leaves nothing behind
    }

    void aFolderThatCannotBeWrittenIsReported() {
        // A folder under a file can be neither made nor written, whoever runs the test.
        write(root_ + QLatin1String("/soubor"), "x");
        setProgramFolder(root_ + QLatin1String("/soubor/data"));
        QVERIFY(!prepareProgramFolder());
    }

    void sharingLetsTheGroupWriteOwnFilesAndNewOnes() {
        const QString db = root_ + QLatin1String("/KALMORVATY.db");
        write(db, "x");
        QVERIFY(::chmod(QFile::encodeName(db).constData(), 0644) == 0); // as the database engine makes it
        const mode_t before = ::umask(022);
        shareWithGroup(root_);
        const mode_t after = ::umask(before);
        QCOMPARE(after, mode_t(002));
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(db).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0664));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
