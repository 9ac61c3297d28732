// The offscreen platform keeps window masks, stacking and grabs as state but warns on each use; the
// splash alone sets a mask per animation tick. This drops those warnings and passes the rest on.
#pragma once

#include <QtGlobal>

namespace kv::test {

inline QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void quietOffscreenWarnings() {
    previousHandler() =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
            if (msg.startsWith(QLatin1String("This plugin does not support ")))
                return;
            if (previousHandler())
                previousHandler()(type, ctx, msg);
        });
}

} // namespace kv::test
