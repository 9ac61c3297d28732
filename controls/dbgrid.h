// The data-aware grid: a table view over a DBGridModel whose selected row follows the table's
// cursor both ways, with column moves and widths kept in its column list, read-only on request,
// and Ctrl+Del deleting the current record after a confirmation. The model holds only the rows on
// the screen; the vertical scroll bar and the keys that move between rows move that window over
// the whole view.
#pragma once

#include "dbgridmodel.h"

#include <QTableView>

namespace kv::controls {

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(store::DataSource* source); // not owned
    store::DataSource* dataSource() const { return model_->dataSource(); }
    DBGridModel* gridModel() const { return model_; }

    // Read-only: no cell editing and no Ctrl+Del.
    void setReadOnly(bool on);
    bool isReadOnly() const { return model_->isReadOnly(); }
    void setRowStyleHook(DBGridRowStyleHook hook) { model_->setRowStyleHook(std::move(hook)); }

    // The column list in display order, with the widths the user gave in the loaded state.
    const DBGridColumns& columns() const { return model_->columns(); }
    void setColumns(const DBGridColumns& columns);
    // The width of a digit in the grid's font, in pixels: display widths in characters become
    // column widths with it. The font's average character width is narrower than digits, and an
    // order number of 16 characters in a bold row did not fit its 20-character column.
    int charWidth() const;

    // The view's record at a model row (the top record is row 0).
    int recordRow(int modelRow) const { return model_->topRow() + modelRow; }
    // Scrolls the columns to the index's; rows come onto the screen by moving the window.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void applyWidths(const QList<int>& widths = {});
    int fullRows() const;
    int lastTop() const;
    void updateRowBar();
    void showRowsFrom(int top);
    void ensureShown(int row);
    void selectShownCursor();
    void selectCursorRow(int row);
    void moveCursorTo(int modelRow);
    void columnMoved(int oldVisual, int newVisual);
    void deleteCurrent();

    DBGridModel* model_;
    bool syncing_ = false;
    bool applyingWidths_ = false;
    bool updatingBar_ = false;
    int cursorRow_ = -1; // the view's record the table's cursor stands on
};

} // namespace kv::controls
