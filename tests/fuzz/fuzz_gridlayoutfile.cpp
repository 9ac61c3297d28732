// Fuzz target: grid layout files. Bytes that read as a column list are applied to a grid over the
// users table, as a window does with its layout file, and written back: what the writer makes must
// read again, and a second round must give the same bytes.
#include "fuzzsupport.h"

#include "tests/support/testdatabase.h"

#include "codelists/layoutfile/gridlayoutfile.h"
#include "controls/dbgrid.h"
#include "data/schema.h"
#include "data/store/datasource.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>

using kv::codelists::GridLayoutFile;

namespace {

struct UsersGrid {
    kv::test::EmbeddedFixture fixture;
    std::unique_ptr<kv::store::Table> table = fixture.openTable(QStringLiteral("Uzivatele"));
    kv::store::DataSource source{table.get()};
    kv::controls::DBGrid grid;

    UsersGrid() {
        table->insertRecord({QStringLiteral("Ing."), QStringLiteral("Svoboda"), QStringLiteral("Petr"),
                             QStringLiteral("PSV")});
        table->first();
        grid.setDataSource(&source);
    }
};

// Lives as long as the application, which is never torn down.
UsersGrid& usersGrid() {
    static UsersGrid* g = new UsersGrid;
    return *g;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kv::fuzz::silenceQt();
    kv::fuzz::startApplication<QApplication>();
    usersGrid();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read =
        GridLayoutFile::read(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!read)
        return 0;

    UsersGrid& g = usersGrid();
    kv::controls::DBGridColumns columns;
    columns.setLoaded(*read);
    g.grid.setColumns(columns);
    QAbstractItemModel* model = g.grid.model();
    for (int c = 0; c < model->columnCount(); ++c) {
        (void)model->headerData(c, Qt::Horizontal);
        (void)model->index(0, c).data();
    }

    const kv::store::TableDef& def = kv::data::tableDef(QStringLiteral("Uzivatele"));
    const int charWidth = g.grid.charWidth();
    const QByteArray once = GridLayoutFile::write(columns, def, charWidth);
    const auto again = GridLayoutFile::read(once);
    if (!again || again->size() != read->size())
        std::abort();
    kv::controls::DBGridColumns second;
    second.setLoaded(*again);
    if (GridLayoutFile::write(second, def, charWidth) != once)
        std::abort();
    return 0;
}
