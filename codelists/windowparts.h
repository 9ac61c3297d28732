// Making the controls of the code-list and settings windows: each gets its name as objectName, its
// caption (or what it shows) as accessible name and its place in the window's client pixels.
#pragma once

#include "boxset.h"

#include <QList>
#include <QRect>
#include <QString>
#include <functional>
#include <span>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace kv::controls {
class DBGrid;
class TDBNavigator;
class TProLabelEdit;
} // namespace kv::controls

namespace kv::store {
class DataSource;
struct TableDef;
} // namespace kv::store

namespace kv::codelists {

// A push button that is never the window's default button, so Enter in an edit presses nothing.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A labelled edit; `maxLength` 0 is unlimited.
controls::TProLabelEdit* makeLabelEdit(QWidget* parent, const char* name, const QString& caption,
                                       int maxLength, QRect geometry, int labelWidth);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry);
QFrame* makeSeparator(QWidget* parent, QRect geometry);
// A page of `pages` with its caption as given (blanks included); named after the trimmed caption.
QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption);
// A grid on `source` with titles, column resizing and moving and Ctrl+Del, but no in-place editing.
controls::DBGrid* makeGrid(QWidget* parent, const char* name, const QString& accessibleName,
                           store::DataSource* source, QRect geometry);
// A navigator on `source` with first, previous, next, last, delete and refresh; its buttons are
// named after their hints.
controls::TDBNavigator* makeNavigator(QWidget* parent, const char* name, store::DataSource* source,
                                      QPoint topLeft);

// The labelled edits of `fields` on `page`, the i-th at `place(i)`, one after the other in tab
// order, each added to `boxes`. `def` gives the sizes of fields whose edits take all they hold.
QList<controls::TProLabelEdit*> makeBoxes(QWidget* page, std::span<const BoxField> fields,
                                          const store::TableDef& def, BoxSet& boxes,
                                          const std::function<QRect(int)>& place, int labelWidth);

// Puts `text` into a labelled edit as the program does, so a stored value longer than what may be
// typed is shown whole and written back whole; typing stays limited to the edit's maximum length.
void showInEdit(controls::TProLabelEdit& edit, const QString& text);

} // namespace kv::codelists
