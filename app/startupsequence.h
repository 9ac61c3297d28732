// The program's start-up, run and end: title and icon, the main window, the animated splash with its
// progress texts, the data module, the windows in their fixed order, the daily support notice and
// the message loop; at the end the windows, the data module and the main window are destroyed.
#pragma once

#include "startupwindows.h"
#include "ui/appwindows.h"

#include <functional>
#include <memory>

namespace kv::data {
class TDM;
}

namespace kv::app {

class TFormObj;
class TSplashForm;

// The waits of the start-up. The program uses the defaults; tests shorten them.
struct StartupTiming {
    int pauseMs = 1000;      // each of the three pauses
    int splashTickMs = 20;   // the splash animation step
    int noticeTickMs = 1000; // the support notice's countdown step
};

class StartupSequence {
public:
    explicit StartupSequence(StartupTiming timing = {},
                             std::vector<StartupWindow> windowOrder = startupWindows());
    // Destroys the windows, then the data module (closing the tables), then the main window
    // (writing its position to SETUP.INI).
    ~StartupSequence();

    // Runs the start-up up to the message loop. Returns false when the program is to end instead:
    // the user gave up connecting or the data module could not be created.
    bool run();
    // Shows the main window and runs the message loop until the main window is closed.
    int exec();

    bool terminating() const { return terminating_; }
    TFormObj* mainWindow() const { return main_.get(); }
    TSplashForm* splash() const { return splash_.get(); }
    data::TDM* dataModule() const { return dm_.get(); }
    ui::AppWindows& windows() { return ui::appWindows(); }

    // Called with the new data module before it connects; tests set the set-up program here.
    std::function<void(data::TDM&)> prepareDataModule;

private:
    void createDataModule();
    void createWindows();
    void showSupportNotice();
    void pause() const;
    void waitForSplash();

    StartupTiming timing_;
    std::vector<StartupWindow> windowOrder_;
    bool terminating_ = false;
    std::unique_ptr<TFormObj> main_;
    std::unique_ptr<TSplashForm> splash_;
    std::unique_ptr<data::TDM> dm_;
};

} // namespace kv::app
