// The data-aware grid's view: selection and cursor kept together, column moves and widths handed
// to the column list, and Ctrl+Del.
#include "dbgrid.h"

#include "data/store/storeerror.h"
#include "navigatoractions.h"
#include "ui/dialogs.h"

#include <QHeaderView>
#include <QKeyEvent>

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
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (!model_->resettingRowsOnly())
            applyWidths();
        selectCursorRow(model_->table() && model_->table()->isOpen() ? model_->table()->recNo() : -1);
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

void DBGrid::selectCursorRow(int row) {
    syncing_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = model_->index(row, column);
        if (index.isValid()) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
            scrollTo(index);
        }
    }
    syncing_ = false;
}

void DBGrid::moveCursorTo(int row) {
    store::Table* t = model_->table();
    if (syncing_ || row < 0 || !t || !t->isOpen() || t->recNo() == row)
        return;
    try {
        t->moveTo(row);
    } catch (const store::StoreError& e) {
        ui::showError(e.message(), this);
        selectCursorRow(t->recNo());
    }
}

// The model reads a screenful at a time: a part row at the bottom and one more for a scroll step.
void DBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
    model_->setPageRows(viewport()->height() / rowHeight + 2);
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
    if (!confirmDeletion(this))
        return;
    try {
        t->deleteRecord();
    } catch (const store::StoreError& e) {
        ui::showError(e.message(), this);
    }
}

} // namespace kv::controls
