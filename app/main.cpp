// Kalmorvaty: the program's entry. Runs the start-up, then the message loop unless the user gave up
// connecting to the database, and destroys everything in order at the end.
#include "kvapplication.h"
#include "startupsequence.h"

#include "errors/errorreporting.h"
#include "ui/keyboardroads.h"

int main(int argc, char** argv) {
    kv::app::KvApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalmorvaty"));
    QApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kalmorvaty"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Enter on buttons, Ctrl+Tab through pages and the focus in each window's first box.
    app.installEventFilter(new kv::ui::KeyboardRoads(&app));

    // Before the start-up: errors of the start-up itself are logged, and the map is read once.
    kv::errors::ErrorReportingScope errorReporting;

    kv::app::StartupSequence startup;
    if (!startup.run())
        return 0;
    return startup.exec();
}
