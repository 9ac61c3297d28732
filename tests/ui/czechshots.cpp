// Pictures of the toolkit's own dialogs as the program shows them, in Czech: the print dialog, a
// save dialog and a date picker with its calendar open. For review by eye, under an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/ui_czechshots OUTPUT-FOLDER
#include "ui/czechtoolkit.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

bool screenShot(const QString& file) {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
    const bool ok = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    if (!kv::ui::useCzechToolkit())
        std::printf("no Czech translation of the toolkit here: the pictures are English\n");
    bool ok = true;

    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    ok &= screenShot(out + QLatin1String("/print-dialog.png"));
    print.hide();

    QFileDialog save(
        nullptr, QStringLiteral("Uložit obrázek"), QDir::homePath(),
        kv::ui::toQtFilter(QStringLiteral("Obrázek PNG|*.png|Obrázek JPEG|*.jpg|Obrázek BMP|*.bmp")));
    save.setAcceptMode(QFileDialog::AcceptSave);
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.show();
    ok &= screenShot(out + QLatin1String("/save-dialog.png"));
    save.hide();

    QDateEdit picker(QDate(2026, 12, 9));
    picker.setCalendarPopup(true);
    picker.setDisplayFormat(QStringLiteral("d.M.yyyy"));
    picker.move(100, 100);
    picker.resize(160, picker.sizeHint().height());
    picker.show();
    screenShot(out + QLatin1String("/calendar.png")); // let the picker appear first
    const QPoint arrow(picker.width() - 8, picker.height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, arrow, picker.mapToGlobal(arrow), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&picker, &press);
    ok &= screenShot(out + QLatin1String("/calendar.png"));
    return ok ? 0 : 1;
}
