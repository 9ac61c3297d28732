// A window's grid and its layout file: the grid's column list replaced by a file read in full, and
// written back when the window closes with a failure reported rather than thrown.
#pragma once

#include "codelists/layoutfile/gridlayoutfile.h"

namespace kv::controls {
class DBGrid;
}

namespace kv::codelists {

class GridLayouts {
public:
    // GridLayoutFile::save(), with a failure handed to the application's error handler instead of
    // thrown, so the closing window closes all the same. Returns whether the file was written.
    static bool saveReported(const QString& path, const controls::DBGridColumns& columns,
                             const store::TableDef& def, int charWidth);

    // The same for a grid: its column list is replaced only by a file read in full; the widths
    // written are measured against its table's fields and its font.
    static bool load(const QString& path, controls::DBGrid& grid);
    static bool saveReported(const QString& path, const controls::DBGrid& grid);
};

} // namespace kv::codelists
