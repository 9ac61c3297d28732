// The offscreen platform keeps window masks, stacking, size hints and grabs as state but warns on
// each use ("This plugin does not support raise()"), and window tests show and raise windows all
// the time. quietOffscreenWarnings() drops those warnings and passes every other message on.
#pragma once

#include <QtGlobal>

namespace kv::test {

inline QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

// Call once per test program (initTestCase); a second call changes nothing.
inline void quietOffscreenWarnings() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previousHandler() =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
            if (msg.startsWith(QLatin1String("This plugin does not support ")))
                return;
            if (previousHandler())
                previousHandler()(type, ctx, msg);
        });
}

} // namespace kv::test
