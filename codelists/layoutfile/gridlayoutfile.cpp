// Reading and writing grid layout files.
//
// Byte layout (integers little-endian; "short string" = 1 length byte, then the bytes):
//
//   offset  size  content
//   0       4     signature "TPF0"
//   4       16    class name, short string "TColumnsWrapper"
//   20      1     object name, short string, always empty (0x00)
//   21      8     property name, short string "Columns"
//   29      1     0x0E collection
//   30      ...   one item per column, in display order:
//                   0x01                               item begin
//                   "Expanded"  0x08                   when the column is not expanded (every column here)
//                   "FieldName" string value           when the field name is not empty
//                   "Width"     integer value          when the column's own width differs from its default
//                   "Visible"   0x09 / 0x08            always written
//                   0x00                               item end
//   ...     1     0x00 end of the collection
//   ...     1     0x00 end of the object's properties
//   ...     1     0x00 end of the object's (empty) list of children
//
// Property names are short strings of ASCII. Value tags:
//
//   tag   meaning          payload
//   0x02  8-bit integer    1 byte, signed
//   0x03  16-bit integer   2 bytes, signed
//   0x04  32-bit integer   4 bytes, signed
//   0x06  short string     1 length byte, then the Windows-1250 bytes
//   0x08  false            none
//   0x09  true             none
//   0x0C  long string      4-byte length, then the Windows-1250 bytes
//
// Integers are written with the smallest tag that holds them, strings under 256 bytes as short.
// Bytes after the object's end are not read.
#include "gridlayoutfile.h"

#include "gridlayouterror.h"

#include "base/codec1250.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

namespace kv::codelists {

namespace {

constexpr char kSignature[] = "TPF0";
constexpr char kClassName[] = "TColumnsWrapper";

enum Tag : quint8 {
    EndOfList = 0x00,
    ListBegin = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    ShortString = 0x06,
    False = 0x08,
    True = 0x09,
    LongString = 0x0C,
    Collection = 0x0E,
};

class Writer {
public:
    void byte(quint8 b) { out_.append(char(b)); }
    void shortString(const QByteArray& s) {
        byte(quint8(s.size()));
        out_.append(s);
    }
    void name(const char* ascii) { shortString(QByteArray(ascii)); }
    void integer(qint32 v) {
        if (v >= -128 && v <= 127) {
            byte(Int8);
            byte(quint8(qint8(v)));
        } else if (v >= -32768 && v <= 32767) {
            byte(Int16);
            raw<qint16>(qint16(v));
        } else {
            byte(Int32);
            raw<qint32>(v);
        }
    }
    void string(const QString& text) {
        const QByteArray bytes = toCp1250(text);
        if (bytes.size() < 256) {
            byte(ShortString);
            shortString(bytes);
        } else {
            byte(LongString);
            raw<qint32>(qint32(bytes.size()));
            out_.append(bytes);
        }
    }
    void boolean(bool v) { byte(v ? True : False); }
    const QByteArray& bytes() const { return out_; }

private:
    template <typename T> void raw(T v) {
        char buf[sizeof(T)];
        qToLittleEndian(v, buf);
        out_.append(buf, sizeof(T));
    }
    QByteArray out_;
};

// Reads from the bytes; any read past the end or any unexpected byte throws Malformed.
struct Malformed {};

class Reader {
public:
    explicit Reader(const QByteArray& in)
        : in_(in) {}
    quint8 byte() {
        need(1);
        return quint8(in_[pos_++]);
    }
    QByteArray bytes(qsizetype n) {
        if (n < 0)
            throw Malformed{};
        need(n);
        const QByteArray out = in_.mid(pos_, n);
        pos_ += n;
        return out;
    }
    QByteArray shortString() { return bytes(byte()); }
    void expect(quint8 b) {
        if (byte() != b)
            throw Malformed{};
    }
    qint32 integer() {
        switch (byte()) {
        case Int8:
            return qint8(byte());
        case Int16:
            return qFromLittleEndian<qint16>(bytes(2).constData());
        case Int32:
            return qFromLittleEndian<qint32>(bytes(4).constData());
        default:
            throw Malformed{};
        }
    }
    QString string() {
        switch (byte()) {
        case ShortString:
            return fromCp1250(shortString());
        case LongString:
            return fromCp1250(bytes(qFromLittleEndian<qint32>(bytes(4).constData())));
        default:
            throw Malformed{};
        }
    }
    bool boolean() {
        switch (byte()) {
        case False:
            return false;
        case True:
            return true;
        default:
            throw Malformed{};
        }
    }

private:
    void need(qsizetype n) const {
        if (in_.size() - pos_ < n)
            throw Malformed{};
    }
    const QByteArray& in_;
    qsizetype pos_ = 0;
};

controls::DBGridColumn readItem(Reader& r) {
    controls::DBGridColumn c;
    // The writer leaves "Expanded" out exactly for an expanded column.
    c.expanded = true;
    for (QByteArray prop = r.shortString(); !prop.isEmpty(); prop = r.shortString()) {
        if (prop == "Expanded")
            c.expanded = r.boolean();
        else if (prop == "FieldName")
            c.fieldName = r.string();
        else if (prop == "Width")
            c.width = r.integer();
        else if (prop == "Visible")
            c.visible = r.boolean();
        else
            throw Malformed{};
    }
    return c;
}

} // namespace

QByteArray GridLayoutFile::write(const controls::DBGridColumns& columns, const store::TableDef& def,
                                 int charWidth) {
    Writer w;
    for (const char* c = kSignature; *c; ++c)
        w.byte(quint8(*c));
    w.name(kClassName);
    w.name("");
    w.name("Columns");
    w.byte(Collection);
    for (int i = 0; i < columns.count(); ++i) {
        const controls::DBGridColumn& c = columns.at(i);
        w.byte(ListBegin);
        if (!c.expanded) {
            w.name("Expanded");
            w.boolean(false);
        }
        if (!c.fieldName.isEmpty()) {
            w.name("FieldName");
            w.string(c.fieldName);
        }
        if (c.width >= 0 && c.width != columns.defaultWidth(i, def, charWidth)) {
            w.name("Width");
            w.integer(c.width);
        }
        w.name("Visible");
        w.boolean(c.visible);
        w.byte(EndOfList);
    }
    w.byte(EndOfList);
    w.byte(EndOfList);
    w.byte(EndOfList);
    return w.bytes();
}

std::optional<QList<controls::DBGridColumn>> GridLayoutFile::read(const QByteArray& bytes) {
    try {
        Reader r(bytes);
        if (r.bytes(4) != QByteArray(kSignature) || r.shortString() != kClassName)
            return std::nullopt;
        r.shortString(); // the object name, not used
        QList<controls::DBGridColumn> columns;
        bool sawColumns = false;
        for (QByteArray prop = r.shortString(); !prop.isEmpty(); prop = r.shortString()) {
            if (prop != "Columns" || sawColumns)
                return std::nullopt;
            sawColumns = true;
            r.expect(Collection);
            for (quint8 tag = r.byte(); tag != EndOfList; tag = r.byte()) {
                if (tag != ListBegin)
                    return std::nullopt;
                columns.append(readItem(r));
            }
        }
        r.expect(EndOfList); // the children: a column list never has any
        if (!sawColumns)
            return std::nullopt;
        return columns;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

bool GridLayoutFile::load(const QString& path, controls::DBGridColumns& columns) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const auto read = GridLayoutFile::read(f.readAll());
    if (!read)
        return false;
    columns.setLoaded(*read);
    return true;
}

void GridLayoutFile::save(const QString& path, const controls::DBGridColumns& columns,
                          const store::TableDef& def, int charWidth) {
    const QByteArray bytes = write(columns, def, charWidth);
    // A new file replaces the old one only once it is complete; where the folder allows no new
    // file beside it, the old file is written in place.
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw GridLayoutError(QStringLiteral("Nelze zapsat soubor '%1': %2").arg(path, f.errorString()));
}

} // namespace kv::codelists
