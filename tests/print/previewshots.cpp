// Pictures of the print preview window for review by eye: the orders list shown, the e-mail panel
// open, and the printer setup dialog, written as PNG files. Not a test.
// Run: build/tests/print_previewshots OUTPUT-FOLDER; under Xvfb with a window manager and
// QT_QPA_PLATFORM=xcb, "--screen" grabs the whole screen instead, frames and titles included.
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "print/formnahledtisku.h"
#include "print/sestavy.h"
#include "report/view/printersetupdialog.h"

#include "base/programfolder.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

bool save(QWidget& w, bool screen, const QString& file) {
    // Let the window settle (maximising, painting) before the picture is taken.
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
    const QPixmap shot = screen ? QGuiApplication::primaryScreen()->grabWindow(0) : w.grab();
    const bool ok = shot.save(file);
    std::printf("%s %s (title \"%s\")\n", ok ? "wrote" : "FAILED", qPrintable(file),
                qPrintable(w.windowTitle()));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QStringList args = app.arguments();
    const bool screen = args.contains(QStringLiteral("--screen"));
    const QString out =
        args.size() > 1 && !args.last().startsWith(QLatin1String("--")) ? args.last() : QStringLiteral(".");
    QDir().mkpath(out);
    kv::tools::SampleDatabase db;
    kv::tools::fillFirm(db.dm(), true);
    kv::tools::fillOrders(db.dm(), 25);
    kv::print::TSestavy sestavy(db.dm());
    kv::print::TFormNahledTisku preview;
    preview.NahledReportu->setReport(sestavy.SeznamObjednavek);
    preview.NahledReportu->setReportDirectory(kv::programFolder());
    preview.NahledReportu->setReportName(QStringLiteral("Seznam objednávek"));
    // The size of a maximised window, for screens without a window manager to maximise it.
    preview.resize(1240, 980);
    preview.show();
    bool ok = save(preview, screen, out + QStringLiteral("/preview.png"));
    preview.SBMailuj->click();
    preview.edPrijemcelEmailu_Email->setText(QStringLiteral("nakup@strojirny-horak.cz"));
    ok &= save(preview, screen, out + QStringLiteral("/preview-mail.png"));
    preview.SBZrusSendMail->click();

    kv::report::PrinterSetupDialog setup({QStringLiteral("Kancelář HP LaserJet"), QStringLiteral("Sklad")},
                                         {QStringLiteral("Sklad"), QPageSize::A4, QPageLayout::Landscape},
                                         &preview);
    setup.show();
    ok &= save(setup, screen, out + QStringLiteral("/printer-setup.png"));
    return ok ? 0 : 1;
}
