// What the fuzz targets share: Qt's messages kept off the fuzzer's output, and the application
// object that targets measuring text need.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kv::fuzz {

// A parser that rejects input may warn; thousands of runs a second would bury the fuzzer's own
// report. Fatal messages still end the run.
inline void silenceQt() {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// Fonts, text measuring and widgets need an application object (QGuiApplication, QApplication);
// the offscreen platform needs no display. The fuzzer's own arguments are not Qt's, so Qt gets none.
// The application lives as long as the process: torn down at exit, after the fuzzer's last run, it
// would take Qt's font engines down in an order that strands their FreeType faces.
template <class Application> void startApplication() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application* app = new Application(argc, argv);
    (void)app;
}

} // namespace kv::fuzz
