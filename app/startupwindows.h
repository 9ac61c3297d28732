// The windows the start-up sequence creates after the data module, in creation order. A window is
// added to the program by giving its entry a factory in startupwindows.cpp.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace kv::app {

struct StartupWindow {
    const char* className;
    // Creates the window hidden; empty while the window is not part of the program yet.
    std::function<std::unique_ptr<QObject>()> create;
};

const std::vector<StartupWindow>& startupWindows();

} // namespace kv::app
