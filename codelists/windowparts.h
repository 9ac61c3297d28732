// Making the controls of the code-list and settings windows: each gets its name as objectName, its
// caption (or what it shows) as accessible name and its place in the window's client pixels.
#pragma once

#include "boxset.h"

#include <QList>
#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>
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
// A navigator on `source` with first, previous, next, last, delete and refresh.
controls::TDBNavigator* makeNavigator(QWidget* parent, const char* name, store::DataSource* source,
                                      QPoint topLeft);

// The labelled edits of `fields` on `page`, the i-th at `place(i)`, one after the other in tab
// order, each added to `boxes`. `def` gives the sizes of fields whose edits take all they hold.
QList<controls::TProLabelEdit*> makeBoxes(QWidget* page, std::span<const BoxField> fields,
                                          const store::TableDef& def, BoxSet& boxes,
                                          const std::function<QRect(int)>& place, int labelWidth);
// Hands the edits makeBoxes() made to the window's members, the i-th edit to the i-th member; as
// many members as edits.
void nameBoxes(const QList<controls::TProLabelEdit*>& edits,
               std::initializer_list<controls::TProLabelEdit**> members);
// Tab goes from each of `widgets` to the next.
void setTabChain(std::initializer_list<QWidget*> widgets);

} // namespace kv::codelists
