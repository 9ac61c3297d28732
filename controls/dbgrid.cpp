// The data-aware grid's view: selection and cursor kept together, the window of rows moved by the
// scroll bar and the keys, column moves and widths handed to the column list, and Ctrl+Del.
#include "dbgrid.h"

#include "data/store/storeerror.h"
#include "navigatoractions.h"
#include "ui/dialogs.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace kv::controls {

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent)
    , model_(new DBGridModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);

    connect(model_, &DBGridModel::cursorRowChanged, this, &DBGrid::selectCursorRow);
    connect(model_, &DBGridModel::viewCountChanged, this, &DBGrid::updateRowBar);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        selectCursorRow(model_->table() && model_->table()->isOpen() ? model_->table()->recNo() : -1);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!updatingBar_)
            showRowsFrom(value);
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { moveCursorTo(current.row()); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applyingWidths_)
            model_->resizeColumn(logical, size);
    });
    // The header's own move is taken back once it has finished, and the column list moved
    // instead, so model columns always stand in display order.
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        QMetaObject::invokeMethod(
            this, [this, oldVisual, newVisual] { columnMoved(oldVisual, newVisual); }, Qt::QueuedConnection);
    });
}

void DBGrid::setDataSource(store::DataSource* source) {
    model_->setDataSource(source);
}

void DBGrid::setReadOnly(bool on) {
    model_->setReadOnly(on);
    // Tab from cell to cell serves typing into cells; in a grid only read, Tab goes on to the next
    // control, and the arrow keys move through the cells.
    setTabKeyNavigation(!on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
}

void DBGrid::setColumns(const DBGridColumns& columns) {
    model_->setColumns(columns);
}

int DBGrid::charWidth() const {
    return fontMetrics().horizontalAdvance(QLatin1Char('0'));
}

// `widths` (by column) overrides the column list, so widths given in the default state survive a move.
void DBGrid::applyWidths(const QList<int>& widths) {
    const store::Table* t = model_->table();
    const store::TableDef def = t ? t->definition() : store::TableDef{};
    applyingWidths_ = true;
    for (int i = 0; i < model_->columns().count(); ++i) {
        setColumnWidth(i, i < widths.size() ? widths[i] : model_->columns().shownWidth(i, def, charWidth()));
        setColumnHidden(i, !model_->columns().at(i).visible);
    }
    applyingWidths_ = false;
}

void DBGrid::columnMoved(int oldVisual, int newVisual) {
    QHeaderView* header = horizontalHeader();
    if (header->logicalIndex(newVisual) != oldVisual)
        return;
    QList<int> widths;
    for (int i = 0; i < model_->columnCount(); ++i)
        widths << columnWidth(i);
    widths.move(oldVisual, newVisual);
    {
        const QSignalBlocker block(header);
        header->moveSection(newVisual, oldVisual);
    }
    model_->moveColumn(oldVisual, newVisual);
    applyWidths(widths);
}

int DBGrid::fullRows() const {
    return std::max(viewport()->height() / std::max(verticalHeader()->defaultSectionSize(), 1), 1);
}

// The last screen ends with the last record.
int DBGrid::lastTop() const {
    return std::max(model_->viewCount() - fullRows(), 0);
}

// The scroll bar stands for the view's records: its value is the top record.
void DBGrid::updateRowBar() {
    if (model_->topRow() > lastTop()) {
        showRowsFrom(lastTop()); // comes back here with the top in range
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const QScopedValueRollback updating(updatingBar_, true);
    bar->setRange(0, lastTop());
    bar->setPageStep(fullRows());
    bar->setSingleStep(1);
    bar->setValue(model_->topRow());
}

void DBGrid::showRowsFrom(int top) {
    top = std::clamp(top, 0, lastTop());
    if (top != model_->topRow()) {
        // An open cell editor belongs to its record: what it holds is stored before another record
        // takes its row.
        if (state() == EditingState) {
            const QScopedValueRollback sync(syncing_, true);
            selectionModel()->clearCurrentIndex();
        }
        model_->setTopRow(top);
        selectShownCursor();
    }
    updateRowBar();
}

void DBGrid::ensureShown(int row) {
    const int top = model_->topRow();
    if (row < top)
        showRowsFrom(row);
    else if (row >= top + fullRows())
        showRowsFrom(row - fullRows() + 1);
}

// The cursor's row is selected while it is on the screen; scrolled away, nothing is.
void DBGrid::selectShownCursor() {
    const QScopedValueRollback sync(syncing_, true);
    const int row = cursorRow_ - model_->topRow();
    if (cursorRow_ < 0 || row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const int column = std::max(currentIndex().column(), 0);
    selectionModel()->setCurrentIndex(model_->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DBGrid::selectCursorRow(int row) {
    cursorRow_ = row >= 0 && row < model_->viewCount() ? row : -1;
    if (cursorRow_ >= 0)
        ensureShown(cursorRow_);
    selectShownCursor();
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

void DBGrid::moveCursorTo(int modelRow) {
    store::Table* t = model_->table();
    const int row = recordRow(modelRow);
    if (syncing_ || modelRow < 0 || row >= model_->viewCount() || !t || !t->isOpen() || t->recNo() == row)
        return;
    try {
        t->moveTo(row);
    } catch (const store::StoreError& e) {
        ui::showError(e.message(), this);
        selectCursorRow(t->recNo());
    }
}

// Rows are brought onto the screen by moving the window; the table view scrolls only the columns.
void DBGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker quiet(bar);
    const int top = bar->value();
    QTableView::scrollTo(index, hint);
    bar->setValue(top);
}

// The table view sizes its scroll bars for the model's rows, here a screen; the vertical one is
// given back its range over the whole view.
void DBGrid::updateGeometries() {
    QScrollBar* bar = verticalScrollBar();
    {
        const QSignalBlocker quiet(bar);
        const int max = bar->maximum();
        const int page = bar->pageStep();
        const int top = bar->value();
        QTableView::updateGeometries();
        bar->setRange(0, max);
        bar->setPageStep(page);
        bar->setValue(top);
    }
    updateRowBar();
}

// The window has moved instead of the rows.
void DBGrid::scrollContentsBy(int dx, int) {
    QTableView::scrollContentsBy(dx, 0);
}

// Moves between rows go over the whole view, the screen following; other moves stay in the row.
QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int count = model_->viewCount();
    if (cursorRow_ >= 0)
        ensureShown(cursorRow_);
    const QModelIndex moved = QTableView::moveCursor(action, modifiers);
    if (cursorRow_ < 0 || count == 0)
        return moved;
    const bool ctrl = modifiers & Qt::ControlModifier;
    int target = cursorRow_;
    switch (action) {
    case MoveUp: target -= 1; break;
    case MoveDown: target += 1; break;
    case MovePageUp: target -= fullRows(); break;
    case MovePageDown: target += fullRows(); break;
    case MoveHome: target = ctrl ? 0 : target; break;
    case MoveEnd: target = ctrl ? count - 1 : target; break;
    default: return moved;
    }
    target = std::clamp(target, 0, count - 1);
    ensureShown(target);
    const int column = moved.isValid() ? moved.column() : std::max(currentIndex().column(), 0);
    return model_->index(target - model_->topRow(), column);
}

// The model's rows are the screen's, a part row at the bottom included.
void DBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
    model_->setScreenRows((viewport()->height() + rowHeight - 1) / rowHeight);
    updateRowBar();
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        deleteCurrent();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::deleteCurrent() {
    store::Table* t = model_->table();
    if (isReadOnly() || !t || !t->isOpen() || t->isEmpty())
        return;
    try {
        if (!approveDeletion(dataSource(), true, this))
            return;
        t->deleteRecord();
    } catch (const store::StoreError& e) {
        ui::showError(e.message(), this);
    }
}

} // namespace kv::controls
