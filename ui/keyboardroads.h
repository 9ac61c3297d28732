// The keyboard ways through every window, installed once on the application: Enter on a focused push
// or tool button presses it (Space still does), Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the tab
// widget the focus is in, Tab leaves a memo as it leaves every other box, and a window shown or a page
// turned puts the focus in its first box in tab order, so typing starts at once. A window that gives the focus to a box of its own keeps its choice:
// only a focus left on a page tab, or on nothing, is moved.
#pragma once

#include <QObject>

class QTabWidget;
class QWidget;

namespace kv::ui {

class KeyboardRoads : public QObject {
    Q_OBJECT
public:
    explicit KeyboardRoads(QObject* parent = nullptr);

    // The first control of `page` in tab order that takes typing (an edit, a memo, a list to pick
    // from), or failing that the first that takes the focus by Tab; null when there is none.
    static QWidget* firstBox(QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the focus in the first box of `window`'s current page when it is on a tab or nowhere.
    static void settleFocus(QWidget* window);
    void followPages(QWidget* window);
};

} // namespace kv::ui
