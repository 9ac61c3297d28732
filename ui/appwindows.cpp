// The container of the windows created at start-up.
#include "appwindows.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace kv::ui {

AppWindows& appWindows() {
    static AppWindows windows;
    return windows;
}

AppWindows::~AppWindows() {
    clear();
}

void AppWindows::add(const QString& className, std::unique_ptr<QObject> window) {
    // The windows are made in other folders, each with the frame the program gives it; ownership is
    // added here so that no window has to know the main window.
    if (auto* w = qobject_cast<QWidget*>(window.get()); w && owner_ && w->isWindow() && !w->parentWidget())
        w->setParent(owner_, w->windowFlags());
    windows_.emplace_back(className, std::move(window));
}

QObject* AppWindows::find(const QString& className) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (it->first == className)
            return it->second.get();
    return nullptr;
}

QStringList AppWindows::classNames() const {
    QStringList out;
    for (const auto& w : windows_)
        out << w.first;
    return out;
}

void AppWindows::clear() {
    // A window may be owned for a while by a later one (the error window by the modal window it
    // arose in), and deleting that one deletes it too: each is deleted only while it still exists.
    std::vector<QPointer<QObject>> alive;
    for (auto& w : windows_)
        alive.emplace_back(w.second.release());
    windows_.clear();
    for (auto it = alive.rbegin(); it != alive.rend(); ++it)
        delete it->data();
}

} // namespace kv::ui
