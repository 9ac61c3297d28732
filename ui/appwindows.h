// The windows created once at start-up and kept for the whole run, found by their class name
// ("TFormNovaObj"). The container owns them and destroys them in reverse order of creation. One
// container serves the program, so a window of one folder finds a window of another without
// linking to it (the new order window finds the code lists, every printing window the preview).
// Once the main window is set as the owner, every window added becomes its owned window.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace kv::ui {

class AppWindows {
public:
    AppWindows() = default;
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;
    ~AppWindows();

    // The main window, which owns the program's other windows: the desktop lists it alone, keeps
    // the others above it (transient for it) and its title is the program's title. It must outlive
    // the windows added after it is set; nullptr when there is none (tests of single windows).
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

    // Takes `window` over under `className`; a later window of the same name replaces the lookup.
    // A top-level window without a parent becomes the owner's, keeping its own frame flags.
    void add(const QString& className, std::unique_ptr<QObject> window);
    // The window created under `className`, or nullptr when that window is not part of the program.
    QObject* find(const QString& className) const;
    template <class T> T* find(const QString& className) const { return qobject_cast<T*>(find(className)); }

    // The class names in creation order.
    QStringList classNames() const;
    // Destroys every window, the last created first.
    void clear();

private:
    std::vector<std::pair<QString, std::unique_ptr<QObject>>> windows_;
    QWidget* owner_ = nullptr;
};

// The program's windows: filled by the start-up sequence and emptied at its end.
AppWindows& appWindows();

} // namespace kv::ui
