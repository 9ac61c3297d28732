// What the data module's connection loop asks of the user, answered through the dialog seam.
#pragma once

#include "data/connectionui.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace kv::app {

class AppConnectionUi : public data::ConnectionUi {
public:
    // `onTerminate` is called when the user gives up connecting.
    explicit AppConnectionUi(std::function<void()> onTerminate);

    void showError(const QString& text) override;
    // Only "Yes" counts as yes; closing the question gives up like "No".
    bool confirm(const QString& text) override;
    void showMessage(const QString& text) override;
    // The application's visible windows are minimised while the set-up program runs.
    void beforeSetupProgram() override;
    void afterSetupProgram() override;
    void requestTerminate() override;

private:
    std::function<void()> onTerminate_;
    QList<QPointer<QWidget>> minimised_;
};

} // namespace kv::app
