// The column list of a data-aware grid: which fields are shown, in what order, how wide. It knows
// no widgets, so the grid layout files and tests work on it directly; the grid applies it to its view.
#pragma once

#include "data/store/tabledef.h"

#include <QList>
#include <QString>

namespace kv::controls {

struct DBGridColumn {
    QString fieldName;
    bool expanded = false;
    int width = -1; // pixels, when the column carries a width of its own; -1: none
    bool visible = true;

    bool operator==(const DBGridColumn&) const = default;
};

class DBGridColumns {
public:
    // Default: built from the table's visible fields, no widths of their own. Loaded: read from a
    // layout file (or given by the caller), kept exactly as given.
    enum class State { Default, Loaded };

    // The width a grid gives a column that carries none: characters times the font's average
    // character width, plus the cell's margins. Columns of unknown fields get a fixed width.
    static int defaultPixelWidth(int characters, int charWidth);
    static constexpr int kUnknownFieldWidth = 64;
    static constexpr int kCellMargin = 4;

    // The table's visible fields in field order; state Default.
    void setDefaults(const store::TableDef& def);
    // Replaces the list; state Loaded.
    void setLoaded(const QList<DBGridColumn>& columns);

    State state() const { return state_; }
    int count() const { return int(columns_.size()); }
    const DBGridColumn& at(int i) const { return columns_[i]; }
    const QList<DBGridColumn>& columns() const { return columns_; }

    // The user moved a column from display position `from` to `to`.
    void move(int from, int to);
    // The user resized a column. A loaded list keeps the width; a default list does not, so such a
    // resize lasts only while the grid shows it.
    void resize(int i, int pixels);

    // The field a column shows in `def`, -1 when the table has no such field.
    int fieldIndex(int i, const store::TableDef& def) const;
    // The width the field of column i would give by default, in pixels.
    int defaultWidth(int i, const store::TableDef& def, int charWidth) const;
    // The width shown: the column's own, else the default.
    int shownWidth(int i, const store::TableDef& def, int charWidth) const;
    // The title: the field's display label, or the field name when the table has no such field.
    QString title(int i, const store::TableDef& def) const;

private:
    State state_ = State::Default;
    QList<DBGridColumn> columns_;
};

} // namespace kv::controls
