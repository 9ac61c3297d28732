// What the record navigator's buttons do to a table and when each of them can be pressed, apart
// from the widget so that windows and tests use the same rules.
#pragma once

#include <QString>

class QWidget;

namespace kv::store {
class DataSource;
class Table;
} // namespace kv::store

namespace kv::controls {

enum class TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};
inline constexpr int kNavigateButtonCount = 10;

// The question asked before a delete: confirmation style, OK and Cancel.
QString deleteQuestion();
// Asks deleteQuestion() through the dialog seam; true when the answer is OK.
bool confirmDeletion(QWidget* parent = nullptr);
// Whether a control bound to `source` may delete its current record: a refusal of the source's
// delete check is shown as an error (OK) and gives false; otherwise, with `confirm`, the answer to
// deleteQuestion(). Store errors of the check pass on.
bool approveDeletion(const store::DataSource* source, bool confirm, QWidget* parent = nullptr);

// Whether `button` can be pressed on `table` now: moves toward an end the cursor has not reached,
// delete and edit on a record, post and cancel while editing; nothing on a closed table.
bool navigateEnabled(const store::Table& table, TNavigateBtn button);

// Runs `button` on `table`. A delete with `confirmDelete` asks deleteQuestion() through the dialog
// seam and deletes only on OK. Returns false when the user declined. Store errors pass on.
bool navigate(store::Table& table, TNavigateBtn button, bool confirmDelete = true, QWidget* parent = nullptr);

} // namespace kv::controls
