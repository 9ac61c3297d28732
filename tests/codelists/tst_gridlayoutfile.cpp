// Grid layout files: the exact bytes written, reading back what was written, files that must be
// ignored, columns of fields the table no longer has, and a save that fails.
#include "codelists/gridlayouts.h"
#include "codelists/layoutfile/gridlayouterror.h"
#include "codelists/layoutfile/gridlayoutfile.h"

#include "controls/dbgrid.h"
#include "data/schema.h"
#include "ui/exceptionhook.h"

#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

using kv::codelists::GridLayoutFile;
using kv::codelists::GridLayouts;
using kv::controls::DBGridColumn;
using kv::controls::DBGridColumns;

namespace {

constexpr int kCharWidth = 7;

QByteArray name(const char* s) {
    return char(qstrlen(s)) + QByteArray(s);
}

// The file's bytes around the given items.
QByteArray file(const QByteArray& items) {
    return QByteArray("TPF0") + name("TColumnsWrapper") + '\0' + name("Columns") + '\x0E' + items +
           QByteArray("\0\0\0", 3);
}

QByteArray item(const QByteArray& field, const QByteArray& width = {}) {
    QByteArray out = '\x01' + name("Expanded") + '\x08';
    if (!field.isEmpty())
        out += name("FieldName") + '\x06' + char(field.size()) + field;
    if (!width.isEmpty())
        out += name("Width") + width;
    return out + name("Visible") + '\x09' + '\0';
}

const kv::store::TableDef& suppliers() {
    return kv::data::tableDef(QStringLiteral("Dodavatele"));
}

DBGridColumns loaded(const QList<DBGridColumn>& columns) {
    DBGridColumns c;
    c.setLoaded(columns);
    return c;
}

} // namespace

class TestGridLayoutFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aColumnWithItsOwnWidthIsWrittenByteForByte() {
        // Nazev at 200 pixels: 200 does not fit 8 bits, so it is a 16-bit integer C8 00.
        const QByteArray expected = QByteArray("TPF0") + '\x0F' + "TColumnsWrapper" + '\x00' + '\x07' +
                                    "Columns" + '\x0E' + '\x01' + '\x08' + "Expanded" + '\x08' + '\x09' +
                                    "FieldName" + '\x06' + '\x05' + "Nazev" + '\x05' + "Width" + '\x03' +
                                    '\xC8' + '\x00' + '\x07' + "Visible" + '\x09' + '\x00' + '\x00' + '\x00' +
                                    '\x00';
        const QByteArray written = GridLayoutFile::write(
            loaded({DBGridColumn{QStringLiteral("Nazev"), false, 200, true}}), suppliers(), kCharWidth);
        QCOMPARE(written.toHex(' '), expected.toHex(' '));
    }

    void defaultColumnsAreWrittenInFieldOrderWithoutWidths() {
        DBGridColumns c;
        c.setDefaults(suppliers());
        c.resize(0, 300); // lasts only for the run in the default state
        const QByteArray written = GridLayoutFile::write(c, suppliers(), kCharWidth);
        // Obor and Poznamka are hidden fields, so they get no column.
        QByteArray items;
        for (const char* f : {"Nazev", "Zastupce", "Ulice", "Obec", "PSC", "Telefon", "Fax", "GSM", "Email",
                              "www", "IC", "DIC"})
            items += item(f);
        QCOMPARE(written.toHex(' '), file(items).toHex(' '));
    }

    void integersTakeTheSmallestTag_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("8-bit") << 127 << QByteArray("\x02\x7F", 2);
        QTest::newRow("8-bit zero") << 0 << QByteArray("\x02\x00", 2);
        QTest::newRow("16-bit from 128") << 128 << QByteArray("\x03\x80\x00", 3);
        QTest::newRow("16-bit top") << 32767 << QByteArray("\x03\xFF\x7F", 3);
        QTest::newRow("32-bit from 32768") << 32768 << QByteArray("\x04\x00\x80\x00\x00", 5);
    }
    void integersTakeTheSmallestTag() {
        QFETCH(int, width);
        QFETCH(QByteArray, value);
        const QByteArray written = GridLayoutFile::write(
            loaded({DBGridColumn{QStringLiteral("IC"), false, width, true}}), suppliers(), kCharWidth);
        QCOMPARE(written.toHex(' '), file(item("IC", value)).toHex(' '));
    }

    void aWidthEqualToTheFieldsDefaultIsNotWritten() {
        // IC is 8 characters: 8 * 7 + 4 pixels is what the grid gives it anyway.
        const QByteArray written = GridLayoutFile::write(
            loaded({DBGridColumn{QStringLiteral("IC"), false, 8 * kCharWidth + 4, true}}), suppliers(),
            kCharWidth);
        QCOMPARE(written.toHex(' '), file(item("IC")).toHex(' '));
    }

    void movedAndResizedColumnsComeBackAsWritten() {
        DBGridColumns c;
        c.setDefaults(suppliers());
        c.setLoaded(c.columns());
        c.move(0, 3);
        c.resize(3, 250);
        c.resize(0, 90);
        c.setLoaded(c.columns() +
                    QList<DBGridColumn>{DBGridColumn{QStringLiteral("Poznámka čeština"), false, 60, true},
                                        DBGridColumn{QString(300, QLatin1Char('x')), false, -1, true}});
        const QByteArray bytes = GridLayoutFile::write(c, suppliers(), kCharWidth);
        // Czech letters are single Windows-1250 bytes; a name of 300 bytes needs the long string tag.
        QVERIFY(bytes.contains(QByteArray("\x06\x10Pozn\xE1mka \xE8"
                                          "e\x9Atina")));
        QVERIFY(bytes.contains(QByteArray("\x0C\x2C\x01\x00\x00", 5) + QByteArray(300, 'x')));
        const auto read = GridLayoutFile::read(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), c.count());
        QCOMPARE(read->at(0).fieldName, QStringLiteral("Zastupce"));
        QCOMPARE(read->at(0).width, 90);
        QCOMPARE(read->at(3).fieldName, QStringLiteral("Nazev"));
        QCOMPARE(read->at(3).width, 250);
        QCOMPARE(read->at(1).width, -1);
        QCOMPARE(*read, c.columns());
    }

    void aColumnWithoutExpandedIsExpandedAndWrittenAgainAsItWasRead() {
        // The writer leaves "Expanded" out for an expanded column, so the reader takes it for one.
        const QByteArray expanded = '\x01' + name("Expanded") + '\x09' + name("FieldName") + "\x06\x02IC" +
                                    name("Visible") + '\x09' + '\0';
        const QByteArray bytes = file(expanded + '\x01' + name("FieldName") + "\x06\x03" + "DIC" +
                                      name("Visible") + '\x09' + '\0');
        const auto read = GridLayoutFile::read(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), 2);
        QVERIFY(read->at(0).expanded);
        QVERIFY(read->at(1).expanded);
        const QByteArray written = GridLayoutFile::write(loaded(*read), suppliers(), kCharWidth);
        const auto again = GridLayoutFile::read(written);
        QVERIFY(again.has_value());
        QCOMPARE(*again, *read);
    }

    void filesThatDoNotParseLeaveTheColumnsAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = file(item("Nazev") + item("IC", QByteArray("\x02\x20", 2)));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("wrong signature") << QByteArray("TPF1") + good.mid(4);
        QTest::newRow("wrong class") << QByteArray("TPF0") + name("TColumnWrapper") + good.mid(20);
        QTest::newRow("unknown column property") << file('\x01' + name("Alignment") + '\x02' + '\x01' + '\0');
        QTest::newRow("unknown object property") << QByteArray("TPF0") + name("TColumnsWrapper") + '\0' +
                                                        name("Rows") + '\x0E' + QByteArray("\0\0\0", 3);
        QTest::newRow("no columns property")
            << QByteArray("TPF0") + name("TColumnsWrapper") + QByteArray("\0\0\0", 3);
        QTest::newRow("width given as a string") << file(item("IC", QByteArray("\x06\x02"
                                                                               "20")));
        QTest::newRow("visible given as a number") << file('\x01' + name("Visible") + "\x02\x01" + '\0');
        QTest::newRow("item without list begin") << file(QByteArray("\x02") + item("IC").mid(1));
        QTest::newRow("long string longer than the file")
            << file('\x01' + name("FieldName") + QByteArray("\x0C\xFF\xFF\x00\x00xx", 7) + '\0');
        QTest::newRow("negative long string length")
            << file('\x01' + name("FieldName") + QByteArray("\x0C\xFF\xFF\xFF\xFF", 5) + '\0');
        for (int cut : {1, 4, 10, 25, 40, int(good.size()) - 1})
            QTest::newRow(qPrintable(QStringLiteral("truncated to %1 bytes").arg(cut))) << good.left(cut);
    }
    void filesThatDoNotParseLeaveTheColumnsAlone() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dodavatele.grd"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        DBGridColumns c;
        c.setDefaults(suppliers());
        const DBGridColumns before = c;
        QVERIFY(!GridLayoutFile::load(path, c));
        QCOMPARE(c.state(), DBGridColumns::State::Default);
        QCOMPARE(c.columns(), before.columns());
    }

    void aMissingFileIsIgnored() {
        QTemporaryDir dir;
        DBGridColumns c;
        c.setDefaults(suppliers());
        QVERIFY(!GridLayoutFile::load(dir.filePath(QStringLiteral("Uzivatele.grd")), c));
        QCOMPARE(c.state(), DBGridColumns::State::Default);
    }

    void aFieldTheTableNoLongerHasStaysAnEmptyColumn() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dodavatele.grd"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file(item("Nazev") + item("Zruseno", QByteArray("\x02\x50", 2)) + item("IC")));
        f.close();
        DBGridColumns c;
        c.setDefaults(suppliers());
        QVERIFY(GridLayoutFile::load(path, c));
        QCOMPARE(c.state(), DBGridColumns::State::Loaded);
        QCOMPARE(c.count(), 3);
        QCOMPARE(c.fieldIndex(1, suppliers()), -1);
        QCOMPARE(c.title(1, suppliers()), QStringLiteral("Zruseno"));
        QCOMPARE(c.title(0, suppliers()), QStringLiteral("Název firmy:"));
        QCOMPARE(c.shownWidth(1, suppliers(), kCharWidth), 0x50);
        QCOMPARE(c.shownWidth(2, suppliers(), kCharWidth), 8 * kCharWidth + 4);
        // Written again, it is the same file.
        GridLayoutFile::save(path, c, suppliers(), kCharWidth);
        QFile back(path);
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll().toHex(' '),
                 file(item("Nazev") + item("Zruseno", QByteArray("\x02\x50", 2)) + item("IC")).toHex(' '));
    }

    void aCorruptFileIsReplacedOnTheNextSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Uzivatele.grd"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("garbage that is much longer than the file that replaces it, so nothing of it may remain");
        f.close();
        DBGridColumns c;
        c.setDefaults(kv::data::tableDef(QStringLiteral("Uzivatele")));
        QVERIFY(!GridLayoutFile::load(path, c));
        GridLayoutFile::save(path, c, kv::data::tableDef(QStringLiteral("Uzivatele")), kCharWidth);
        DBGridColumns again;
        QVERIFY(GridLayoutFile::load(path, again));
        QCOMPARE(again.columns(), c.columns());
    }

    void aWidthResizedInTheGridIsShownAgainNextRun() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Dodavatele.grd"));
        {
            kv::controls::DBGrid grid;
            DBGridColumns c;
            c.setLoaded({DBGridColumn{QStringLiteral("Nazev")}, DBGridColumn{QStringLiteral("IC")}});
            grid.setColumns(c);
            grid.horizontalHeader()->resizeSection(1, 77);
            QVERIFY(GridLayouts::saveReported(path, grid));
        }
        kv::controls::DBGrid grid;
        QVERIFY(GridLayouts::load(path, grid));
        QCOMPARE(grid.columns().state(), DBGridColumns::State::Loaded);
        QCOMPARE(grid.model()->columnCount(), 2);
        QCOMPARE(grid.columnWidth(1), 77);
        QVERIFY(!GridLayouts::load(dir.filePath(QStringLiteral("missing.grd")), grid));
        QCOMPARE(grid.model()->columnCount(), 2);
    }

    void aFailedSaveIsReportedAndNotThrownByTheReportingSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no folder/Dodavatele.grd"));
        DBGridColumns c;
        c.setDefaults(suppliers());
        QVERIFY_THROWS_EXCEPTION(kv::codelists::GridLayoutError,
                                 GridLayoutFile::save(path, c, suppliers(), kCharWidth));

        QStringList reported;
        kv::ui::setExceptionHandler(
            [&](const std::exception_ptr& e) { reported << kv::ui::exceptionMessage(e); });
        QVERIFY(!GridLayouts::saveReported(path, c, suppliers(), kCharWidth));
        kv::ui::setExceptionHandler({});
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].startsWith(QStringLiteral("Nelze zapsat soubor '%1'").arg(path)),
                 qPrintable(reported[0]));
    }
};

QTEST_MAIN(TestGridLayoutFile)
#include "tst_gridlayoutfile.moc"
