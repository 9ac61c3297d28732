// Grid layout files ("Dodavatele.grd", "Uzivatele.grd", "SeznamObj.grd"): a grid's column list kept
// from one run to the next as one object in a tagged binary format. Reading is all or nothing;
// writing replaces the file. The byte layout is described beside the code in gridlayoutfile.cpp.
// No widgets here: a grid takes its columns through codelists/gridlayouts.h.
#pragma once

#include "controls/dbgridcolumns.h"
#include "data/store/tabledef.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kv::codelists {

class GridLayoutFile {
public:
    // The file's bytes for `columns` in display order. A column's width is written only when it
    // carries one of its own that differs from the default its field gives with `charWidth`.
    static QByteArray write(const controls::DBGridColumns& columns, const store::TableDef& def,
                            int charWidth);
    // The columns the bytes describe; nullopt when they do not parse completely.
    static std::optional<QList<controls::DBGridColumn>> read(const QByteArray& bytes);

    // Reads the file at `path` into `columns` (state Loaded). Any failure (missing, unreadable,
    // not parsing) leaves `columns` untouched and returns false; nothing is shown.
    static bool load(const QString& path, controls::DBGridColumns& columns);
    // Writes the file at `path`. Throws GridLayoutError when it cannot be created or written.
    static void save(const QString& path, const controls::DBGridColumns& columns, const store::TableDef& def,
                     int charWidth);
};

} // namespace kv::codelists
