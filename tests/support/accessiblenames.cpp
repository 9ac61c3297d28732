// Finding the reachable controls of a window and the names the accessibility interface gives them.
#include "accessiblenames.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <QWidget>

namespace kv::test {
namespace {

// Hidden widgets cannot be reached, except the pages a tab or stacked widget hides until chosen.
bool reachableInside(const QWidget& widget, const QWidget& window) {
    for (const QWidget* w = &widget; w && w != &window; w = w->parentWidget()) {
        if (w->isWindow())
            return false; // a window of its own, checked on its own
        const bool page = qobject_cast<const QStackedWidget*>(w->parentWidget()) != nullptr;
        if (w->isHidden() && !page)
            return false;
    }
    return true;
}

// The edit of a spin box, date edit or combo box and the buttons and editors of a grid are read as
// the control they belong to; a container that hands its focus on (a tab widget to its tab bar) is
// read through the control it hands it to.
bool partOfAControl(const QWidget& widget) {
    if (widget.focusProxy())
        return true;
    for (const QWidget* p = widget.parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

bool offersAction(QAccessibleInterface* iface) {
    QAccessibleActionInterface* actions = iface->actionInterface();
    return actions && !actions->actionNames().isEmpty();
}

// The objects the accessibility tree of `window` reaches going down from the window's interface.
// Item views are not entered: their children are cells, read through the view.
void collectTree(QAccessibleInterface* iface, QSet<const QObject*>& reached, int depth = 0) {
    if (!iface || !iface->isValid() || depth > 64)
        return;
    const QObject* object = iface->object();
    if (object) {
        if (reached.contains(object))
            return;
        reached.insert(object);
        if (qobject_cast<const QAbstractItemView*>(object))
            return;
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collectTree(iface->child(i), reached, depth + 1);
}

} // namespace

QString accessibleName(const QWidget& widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&widget));
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

QStringList unnamedControls(const QWidget& window) {
    QStringList unnamed;
    QSet<const QObject*> onTree;
    collectTree(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&window)), onTree);
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!reachableInside(*w, window) || partOfAControl(*w))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (!iface)
            continue;
        if (w->focusPolicy() == Qt::NoFocus && !offersAction(iface))
            continue;
        if (!onTree.contains(w)) {
            unnamed << QStringLiteral("%1 (%2, off the tree)")
                           .arg(w->objectName(), QLatin1String(w->metaObject()->className()));
            continue;
        }
        // A tab bar is read tab by tab: each tab needs a name, the bar itself none.
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i).trimmed().isEmpty() && tabs->accessibleTabName(i).isEmpty())
                    unnamed << QStringLiteral("%1 tab %2 (QTabBar)").arg(w->objectName()).arg(i);
            continue;
        }
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                     QLatin1String(w->metaObject()->className()));
    }
    return unnamed;
}

} // namespace kv::test
