// The linker map file of the program, read once at start into three tables: units (code ranges of
// source files), procedures (public symbols by rising offset) and source lines. An offset into the
// program's code is looked up in them by linear scans. A line that cannot be read is skipped, a file
// that cannot be opened is as if missing, and nothing in the file can stop the program.
//
// The lines that matter (all others are ignored):
//   headings, tested with every blank removed: "StartLengthNameClass" (0), "Detailedmapofsegments"
//   (1), "AddressPublicsbyName" (2), "AddressPublicsbyValue" (3), "Linenumbersfor<unit>(..." (4),
//   "Boundresourcefiles" (5);
//   data lines, beginning with a blank and holding a ":":
//   1: " 0001:00000120 00000340 C=CODE S=.text G=(none) M=errors/mapfile.cpp ALIGN=16"
//   3: " 0001:00000F3C       kv::errors::MapTables::load(QString const&)"
//   4: "   123 0001:00000F3C   124 0001:00000F40"
// Only segment 1, the program's code, is kept.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kv::errors {

class MapTables {
public:
    struct UnitItem {
        int name;            // index into the unit names
        uint32_t start, end; // end = start + length, one past the last byte
    };
    // Texts are kept as places in the file's text, which the tables hold.
    struct ProcedureItem {
        uint32_t offset;
        uint32_t namePos, nameLength;
    };
    struct LineNumberItem {
        int unit;
        uint32_t offset;
        uint32_t numberPos, numberLength;
    };

    // Reads the file; true only when all three tables then hold a record. A file of 4 GB or more is
    // not read.
    bool load(const QString& path);
    bool loadText(QByteArray text);
    void clear();

    QString lookupUnit(uint32_t offset) const;
    QString lookupProcedure(uint32_t offset) const;
    QString lookupLine(uint32_t offset) const;

    // The same answers as views into the tables, for a signal handler: no allocation.
    std::string_view unitView(uint32_t offset) const;
    std::string_view procedureView(uint32_t offset) const;
    std::string_view lineView(uint32_t offset) const;

    const std::vector<UnitItem>& units() const { return units_; }
    const std::vector<ProcedureItem>& procedures() const { return procedures_; }
    const std::vector<LineNumberItem>& lines() const { return lines_; }
    bool loaded() const { return !units_.empty() && !procedures_.empty() && !lines_.empty(); }

private:
    std::string_view view(uint32_t pos, uint32_t length) const {
        return std::string_view(text_.constData() + pos, size_t(length));
    }
    int internUnit(std::string_view name);
    const UnitItem* findUnit(uint32_t offset) const;
    void segmentLine(std::string_view line);
    void publicLine(std::string_view line, qsizetype lineStart);
    void lineNumberLine(std::string_view line, qsizetype lineStart);

    QByteArray text_;
    std::vector<QByteArray> unitNames_;
    QHash<QByteArray, int> unitIds_;
    int currentUnit_ = -1;
    std::vector<UnitItem> units_;
    std::vector<ProcedureItem> procedures_;
    std::vector<LineNumberItem> lines_;
};

// The tables of the running program, read from "<executable folder><program>.map" at start.
MapTables& programMap();
// The map file's path for the running program.
QString programMapPath();

} // namespace kv::errors
