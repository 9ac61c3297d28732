// What a screen reader finds in a window: the controls a user can reach and the name each one is
// read by. Window tests check with unnamedControls() that every control is in the window's
// accessibility tree and has a name there: its caption, the label it is the buddy of, or (for an
// icon-only button) the hint set as its accessible name.
#pragma once

#include <QStringList>

class QWidget;

namespace kv::test {

// The controls of `window` a user can reach that a screen reader cannot name, as "objectName (class)":
// those with no accessible name, and those it never finds, as "objectName (class, off the tree)",
// because going down the accessibility tree from the window does not reach them (a screen reader
// walks that tree, not the widgets' parents).
// Reachable: not hidden (a page of a tab or stacked widget counts, it is one click away), and
// taking the keyboard focus or offering an action (a button that takes no focus still presses).
// Disabled controls count too: a screen reader reads them. The parts a control is built of (the
// edit inside a spin box or combo box, a grid's corner button) are read as that control and are not
// listed themselves.
// The window need not be shown.
QStringList unnamedControls(const QWidget& window);

// The name a screen reader reads for `widget` (empty when it has none).
QString accessibleName(const QWidget& widget);

} // namespace kv::test
