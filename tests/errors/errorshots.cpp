// Pictures of the about window and the exception window for review by eye (not a test). The about
// window shows the version block of the program named on the command line and the shipped changes
// file; the exception window shows a real error of this program with the machine's real facts.
// Run under Xvfb: errorshots KALMORVATY CHANGES-FILE OUTPUT-FOLDER (see errorshots-x.sh).
#include "about/formabout.h"
#include "errors/errorreport.h"
#include "errors/formvyjimka.h"
#include "errors/mapfile.h"

#include "base/clock.h"
#include "base/programfolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <vector>

namespace {

[[gnu::noinline]] int sumOfTheFirst(const std::vector<int>& v, size_t n) {
    int s = 0;
    for (size_t i = 0; i < n; ++i)
        s += v.at(i);
    return s;
}

bool shoot(const QString& file) {
    QApplication::processEvents();
    const bool ok = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (argc != 4) {
        std::fprintf(stderr, "usage: errorshots KALMORVATY CHANGES-FILE OUTPUT-FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);
    QTemporaryDir folder;
    kv::setProgramFolder(folder.path());
    QFile::copy(QString::fromLocal8Bit(argv[2]),
                folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                                QStringLiteral(".zme")));
    bool ok = true;

    kv::about::TFormAbout about;
    about.FormCreate(QString::fromLocal8Bit(argv[1]));
    about.show();
    wait(700);
    ok &= shoot(out + QStringLiteral("/about-program.png"));
    about.tlZmeny->click();
    wait(300);
    ok &= shoot(out + QStringLiteral("/about-changes.png"));
    about.hide();

    kv::errors::MapTables& map = kv::errors::programMap();
    kv::setProgramFolder({});
    const bool mapLoaded = map.load(kv::errors::programMapPath());
    kv::setProgramFolder(folder.path());
    kv::errors::errorReporter().start(&map, mapLoaded, kv::clock::now().addSecs(-(25 * 3600 + 61)),
                                      {QStringLiteral("Kalmorvaty"),
                                       QStringLiteral("Copyright © 2004–2026 Quelmarix"),
                                       QStringLiteral("1.0.0"), QStringLiteral("1.0.0")});
    kv::errors::TFormVyjimka form;
    form.FormCreate();
    for (int i = 0; i < 3; ++i) {
        try {
            sumOfTheFirst(std::vector<int>(4), 6 + size_t(i));
        } catch (...) {
            kv::errors::errorReporter().handle(std::current_exception());
        }
    }
    wait(700);
    ok &= shoot(out + QStringLiteral("/vyjimka.png"));
    QFile::copy(kv::errors::errorLogPath(), out + QStringLiteral("/errorshots.ERR"));
    return ok ? 0 : 1;
}
