// The column list of a data-aware grid: defaults from the table definition, moves and resizes,
// and the titles and widths the grid shows.
#include "dbgridcolumns.h"

namespace kv::controls {

int DBGridColumns::defaultPixelWidth(int characters, int charWidth) {
    return characters * charWidth + kCellMargin;
}

void DBGridColumns::setDefaults(const store::TableDef& def) {
    columns_.clear();
    for (const store::FieldDef& f : def.fields) {
        if (!f.hidden)
            columns_.append(DBGridColumn{f.name});
    }
    state_ = State::Default;
}

void DBGridColumns::setLoaded(const QList<DBGridColumn>& columns) {
    columns_ = columns;
    state_ = State::Loaded;
}

void DBGridColumns::move(int from, int to) {
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    columns_.move(from, to);
}

void DBGridColumns::resize(int i, int pixels) {
    if (state_ == State::Loaded && i >= 0 && i < count())
        columns_[i].width = pixels;
}

int DBGridColumns::fieldIndex(int i, const store::TableDef& def) const {
    return def.fieldIndex(columns_[i].fieldName);
}

int DBGridColumns::defaultWidth(int i, const store::TableDef& def, int charWidth) const {
    const int f = fieldIndex(i, def);
    return f < 0 ? kUnknownFieldWidth : defaultPixelWidth(def.fields[f].width(), charWidth);
}

int DBGridColumns::shownWidth(int i, const store::TableDef& def, int charWidth) const {
    return columns_[i].width >= 0 ? columns_[i].width : defaultWidth(i, def, charWidth);
}

QString DBGridColumns::title(int i, const store::TableDef& def) const {
    const int f = fieldIndex(i, def);
    return f < 0 ? columns_[i].fieldName : def.fields[f].label();
}

} // namespace kv::controls
