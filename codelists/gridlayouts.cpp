// Grid layout files applied to a grid and saved from one.
#include "gridlayouts.h"

#include "controls/dbgrid.h"
#include "ui/exceptionhook.h"

namespace kv::codelists {

bool GridLayouts::saveReported(const QString& path, const controls::DBGridColumns& columns,
                               const store::TableDef& def, int charWidth) {
    try {
        GridLayoutFile::save(path, columns, def, charWidth);
        return true;
    } catch (...) {
        ui::handleException(std::current_exception());
        return false;
    }
}

bool GridLayouts::load(const QString& path, controls::DBGrid& grid) {
    controls::DBGridColumns columns = grid.columns();
    if (!GridLayoutFile::load(path, columns))
        return false;
    grid.setColumns(columns);
    return true;
}

bool GridLayouts::saveReported(const QString& path, const controls::DBGrid& grid) {
    const store::Table* t = grid.gridModel()->table();
    return saveReported(path, grid.columns(), t ? t->definition() : store::TableDef{}, grid.charWidth());
}

} // namespace kv::codelists
