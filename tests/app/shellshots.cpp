// Pictures of the shell's windows for review by eye: the main window, the splash halfway through
// opening (outside its shape transparent) and the support notice, written as PNG files.
// Run: QT_QPA_PLATFORM=offscreen build/tests/app_shellshots OUTPUT-FOLDER
// With "--screen FILE" it grabs the whole X screen instead, to picture the running program under Xvfb
// (tests/app/shellshots-x.sh).
#include "app/artwork.h"
#include "app/formdar.h"
#include "app/formobj.h"
#include "app/splashform.h"
#include "ui/appwindows.h"

#include "base/programfolder.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

bool save(QWidget& w, const QString& file, const QRegion& shape = {}) {
    QImage img = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (!shape.isEmpty()) {
        QImage shaped(img.size(), QImage::Format_ARGB32);
        shaped.fill(Qt::transparent);
        QPainter p(&shaped);
        p.setClipRegion(shape);
        p.drawImage(0, 0, img);
        img = shaped;
    }
    const bool ok = img.save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--screen")
        return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QTemporaryDir programFolder; // no SETUP.INI is read or written in the real one
    kv::setProgramFolder(programFolder.path() + QLatin1Char('/'));
    bool ok = true;

    kv::ui::AppWindows windows;
    kv::app::TFormObj main(windows);
    main.show();
    ok &= save(main, out + QLatin1String("/mainwindow.png"));

    kv::app::TSplashForm splash(1);
    splash.InfoLabel->setText(QStringLiteral("Připojení k databázi..."));
    splash.show();
    while (splash.animation().box().left > 39)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash.Timer1->stop();
    ok &= save(splash, out + QLatin1String("/splash-middle.png"), splash.mask());
    splash.Timer1->start();
    while (!splash.finished())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ok &= save(splash, out + QLatin1String("/splash-open.png"), splash.mask());

    kv::app::TFormDar notice(60000);
    notice.show();
    ok &= save(notice, out + QLatin1String("/notice.png"));

    ok &= kv::app::iconImage(128).save(out + QLatin1String("/icon-128.png"));
    return ok ? 0 : 1;
}
