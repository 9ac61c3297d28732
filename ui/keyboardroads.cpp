// Enter on buttons, Ctrl+Tab through pages, and the focus in the first box.
#include "keyboardroads.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace kv::ui {

namespace {

bool takesTyping(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

bool tabStop(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(w->window()) &&
           !w->focusProxy();
}

// The tab widget whose page holds `w`, the nearest one first.
QTabWidget* pagesAround(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p))
            return tabs;
        if (p->isWindow())
            break;
    }
    return nullptr;
}

// The current page of the first tab widget of `window`, or the window itself when it has no pages.
QWidget* currentPage(QWidget* window) {
    const auto tabs = window->findChildren<QTabWidget*>();
    for (QTabWidget* t : tabs) {
        if (t->isVisibleTo(window) && t->window() == window)
            return t->currentWidget();
    }
    return window;
}

void turnPage(QTabWidget* tabs, int step) {
    const int count = tabs->count();
    for (int i = 1; i <= count; ++i) {
        const int index = ((tabs->currentIndex() + step * i) % count + count) % count;
        if (tabs->isTabEnabled(index) && tabs->isTabVisible(index)) {
            tabs->setCurrentIndex(index);
            return;
        }
    }
}

} // namespace

KeyboardRoads::KeyboardRoads(QObject* parent)
    : QObject(parent) {}

QWidget* KeyboardRoads::firstBox(QWidget* page) {
    if (!page)
        return nullptr;
    QWidget* firstStop = nullptr;
    // The focus chain of the window, from the page's first child on, staying inside the page.
    QWidget* w = page;
    for (int guard = 0; guard < 10000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == page)
            break;
        if (!page->isAncestorOf(w))
            continue;
        if (!tabStop(w))
            continue;
        if (takesTyping(w))
            return w;
        if (!firstStop)
            firstStop = w;
    }
    return firstStop;
}

void KeyboardRoads::settleFocus(QWidget* window) {
    if (!window || !window->isVisible() || !window->isActiveWindow())
        return;
    QWidget* focus = window->focusWidget();
    const bool onNothing = !focus || focus == window || !focus->isVisible();
    if (!onNothing && !qobject_cast<QTabBar*>(focus) && !qobject_cast<QTabWidget*>(focus))
        return;
    if (QWidget* box = firstBox(currentPage(window)))
        box->setFocus(Qt::TabFocusReason);
}

void KeyboardRoads::followPages(QWidget* window) {
    const auto tabs = window->findChildren<QTabWidget*>();
    for (QTabWidget* t : tabs) {
        if (t->property("kvFollowedByKeyboard").toBool())
            continue;
        t->setProperty("kvFollowedByKeyboard", true);
        // A page turned: its first box, unless the code turning it put the focus somewhere itself
        // (it does so right after the turn, in the same call).
        connect(t, &QTabWidget::currentChanged, t, [t](int) {
            QWidget* page = t->currentWidget();
            QWidget* focus = t->window()->focusWidget();
            if (focus && page && page->isAncestorOf(focus))
                return;
            if (QWidget* box = firstBox(page))
                box->setFocus(Qt::TabFocusReason);
        });
    }
}

bool KeyboardRoads::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget != QApplication::focusWidget())
            break;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (qobject_cast<QPushButton*>(widget) || qobject_cast<QToolButton*>(widget)) && widget->isEnabled()) {
            static_cast<QAbstractButton*>(widget)->animateClick();
            return true;
        }
        const bool backtab = key->key() == Qt::Key_Backtab;
        // A memo takes no tab character, as the program's memos never have: Tab goes on to the next
        // control from there as from every other box.
        if ((key->key() == Qt::Key_Tab || backtab) && !(key->modifiers() & Qt::ControlModifier)) {
            if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
                plain->setTabChangesFocus(true);
            else if (auto* rich = qobject_cast<QTextEdit*>(widget))
                rich->setTabChangesFocus(true);
        }
        if ((key->key() == Qt::Key_Tab || backtab) && (key->modifiers() & Qt::ControlModifier)) {
            if (QTabWidget* tabs = pagesAround(widget)) {
                const bool back = backtab || (key->modifiers() & Qt::ShiftModifier);
                turnPage(tabs, back ? -1 : 1);
                return true;
            }
        }
        break;
    }
    case QEvent::Show: {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && window->isWindow()) {
            followPages(window);
            // After the window's own showing, which may choose a box itself.
            QPointer<QWidget> shown(window);
            QTimer::singleShot(0, window, [shown] { settleFocus(shown); });
        }
        break;
    }
    case QEvent::WindowActivate: {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && window->isWindow())
            settleFocus(window);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kv::ui
