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

    // Whatever the user's umask, files made later and files made before reach the owner and, in a
    // shared data folder, the group; never other accounts.
    void filesReachOnlyTheProgramsUsers_data() {
        QTest::addColumn<int>("umask");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<int>("before"); // the mode of a file made earlier
        QTest::addColumn<int>("narrowed");
        QTest::addColumn<int>("created");
        QTest::newRow("shared, umask 022, database as the engine made it") << 022 << true << 0644 << 0660 << 0660;
        QTest::newRow("shared, umask 002, SERVER.INI readable by all") << 002 << true << 0666 << 0660 << 0660;
        QTest::newRow("personal, umask 022") << 022 << false << 0644 << 0600 << 0600;
        QTest::newRow("personal, umask 002, group-writable file") << 002 << false << 0664 << 0600 << 0600;
        QTest::newRow("personal, an executable keeps its bit") << 022 << false << 0755 << 0700 << 0600;
    }
    void filesReachOnlyTheProgramsUsers() {
        QFETCH(int, umask);
        QFETCH(bool, shared);
        QFETCH(int, before);
        QFETCH(int, narrowed);
        QFETCH(int, created);
        const QString earlier = root_ + QLatin1String("/SERVER.INI");
        write(earlier, "x");
        QVERIFY(::chmod(QFile::encodeName(earlier).constData(), mode_t(before)) == 0);
        const mode_t saved = ::umask(mode_t(umask));
        keepToUsers(root_, shared);
        const QString later = root_ + QLatin1String("/Kalmorvaty.sqlite");
        write(later, "x");
        ::umask(saved);
        const auto mode = [](const QString& path) {
            struct stat st;
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
        };
        QCOMPARE(mode(earlier), narrowed);
        QCOMPARE(mode(later), created);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
