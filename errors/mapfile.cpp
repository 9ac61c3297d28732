// Reading the map file's headings and data lines into the tables, and the three lookups.
#include "mapfile.h"

#include "base/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <string>

namespace kv::errors {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The value of each byte as a hexadecimal digit, 0xFF for the others.
constexpr std::array<uint8_t, 256> kHexDigits = [] {
    std::array<uint8_t, 256> t{};
    t.fill(0xFF);
    for (int i = 0; i < 10; ++i)
        t[size_t('0' + i)] = uint8_t(i);
    for (int i = 0; i < 6; ++i)
        t[size_t('A' + i)] = t[size_t('a' + i)] = uint8_t(10 + i);
    return t;
}();

bool hex8(std::string_view s, size_t at, uint32_t& out) {
    if (at > s.size() || s.size() - at < 8)
        return false;
    uint32_t v = 0;
    uint8_t bad = 0;
    for (size_t i = at; i < at + 8; ++i) {
        const uint8_t d = kHexDigits[uint8_t(s[i])];
        bad |= d & 0xF0;
        v = v << 4 | (d & 0x0F);
    }
    out = v;
    return bad == 0;
}

// The segment number before the first ":", blanks removed; true when it reads as 1.
bool segmentOne(std::string_view line, size_t colon) {
    long v = 0;
    bool digits = false;
    for (size_t i = 0; i < colon; ++i) {
        const char c = line[i];
        if (c == ' ')
            continue;
        if (c < '0' || c > '9' || v > 100000)
            return false;
        v = v * 10 + (c - '0');
        digits = true;
    }
    return digits && v == 1;
}

// The heading a line starts, tested on the line with every blank removed; -1 for none.
int heading(std::string_view line, std::string& unit) {
    size_t first = 0;
    while (first < line.size() && line[first] == ' ')
        ++first;
    // Every heading begins with one of these letters: most lines are decided here, without a copy.
    if (first == line.size() || !std::strchr("SDALB", line[first]))
        return -1;
    char buf[1024];
    size_t n = 0;
    for (size_t i = first; i < line.size() && n < sizeof buf; ++i)
        if (line[i] != ' ')
            buf[n++] = line[i];
    const std::string_view squeezed(buf, n);
    static constexpr std::string_view kHeadings[] = {"StartLengthNameClass", "Detailedmapofsegments",
                                                     "AddressPublicsbyName", "AddressPublicsbyValue",
                                                     "Linenumbersfor",       "Boundresourcefiles"};
    for (int h = 0; h < 6; ++h) {
        if (squeezed.substr(0, kHeadings[h].size()) != kHeadings[h])
            continue;
        if (h == 4) {
            const std::string_view rest = squeezed.substr(kHeadings[h].size());
            unit.assign(rest.substr(0, rest.find('(')));
        }
        return h;
    }
    return -1;
}

} // namespace

void MapTables::clear() {
    text_.clear();
    unitNames_.clear();
    unitIds_.clear();
    currentUnit_ = -1;
    units_.clear();
    procedures_.clear();
    lines_.clear();
}

bool MapTables::load(const QString& path) {
    clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return loadText(f.readAll());
}

int MapTables::internUnit(std::string_view name) {
    const auto it = unitIds_.constFind(QByteArray::fromRawData(name.data(), qsizetype(name.size())));
    if (it != unitIds_.constEnd())
        return it.value();
    const QByteArray key(name.data(), qsizetype(name.size()));
    unitNames_.push_back(key);
    const int id = int(unitNames_.size() - 1);
    unitIds_.insert(key, id);
    return id;
}

bool MapTables::loadText(QByteArray text) {
    clear();
    if (text.size() >= qsizetype(UINT32_MAX))
        return false;
    text_ = std::move(text);
    // A map holds about one line record per 40 bytes and one public per 200: one allocation each.
    lines_.reserve(size_t(text_.size() / 40));
    procedures_.reserve(size_t(text_.size() / 200));
    int section = -1;
    const char* data = text_.constData();
    const qsizetype size = text_.size();
    qsizetype pos = 0;
    while (pos < size) {
        const char* nl = static_cast<const char*>(std::memchr(data + pos, '\n', size_t(size - pos)));
        const qsizetype end = nl ? nl - data : size;
        std::string_view line(data + pos, size_t(end - pos));
        const qsizetype lineStart = pos;
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        std::string unit;
        const int h = heading(line, unit);
        if (h >= 0) {
            section = h;
            if (h == 4)
                currentUnit_ = internUnit(unit);
        }
        if (line.empty() || line.front() != ' ' || line.find(':') == std::string_view::npos)
            continue;
        if (section == 1)
            segmentLine(line);
        else if (section == 3)
            publicLine(line, lineStart);
        else if (section == 4 && currentUnit_ >= 0)
            lineNumberLine(line, lineStart);
    }
    return loaded();
}

void MapTables::segmentLine(std::string_view line) {
    const size_t colon = line.find(':');
    uint32_t start, length;
    if (!segmentOne(line, colon) || !hex8(line, colon + 1, start) || !hex8(line, colon + 10, length))
        return;
    const size_t m = line.find('M');
    if (m == std::string_view::npos || m + 2 > line.size())
        return;
    std::string_view name = line.substr(m + 2);
    name = name.substr(0, name.find(' '));
    units_.push_back({internUnit(name), start, start + length});
}

void MapTables::publicLine(std::string_view line, qsizetype lineStart) {
    const size_t colon = line.find(':');
    uint32_t offset;
    if (!segmentOne(line, colon) || !hex8(line, colon + 1, offset))
        return;
    const std::string_view name = trimmed(line.substr(colon + 9));
    procedures_.push_back(
        {offset, uint32_t(lineStart + qsizetype(name.data() - line.data())), uint32_t(name.size())});
}

void MapTables::lineNumberLine(std::string_view line, qsizetype lineStart) {
    // All pairs of a line or none: a pair that does not read makes the whole line unreadable.
    const size_t before = lines_.size();
    std::string_view rest = trimmed(line);
    while (!rest.empty()) {
        size_t blank = 0;
        while (blank < rest.size() && rest[blank] != ' ')
            ++blank;
        uint32_t offset;
        if (blank == rest.size() || !hex8(rest, blank + 6, offset) || rest[blank + 5] != ':') {
            lines_.resize(before);
            return;
        }
        lines_.push_back(
            {currentUnit_, offset, uint32_t(lineStart + (rest.data() - line.data())), uint32_t(blank)});
        rest = trimmed(rest.substr(blank + 14));
    }
}

const MapTables::UnitItem* MapTables::findUnit(uint32_t offset) const {
    for (auto it = units_.rbegin(); it != units_.rend(); ++it)
        if (it->start <= offset && offset <= it->end)
            return &*it;
    return nullptr;
}

std::string_view MapTables::unitView(uint32_t offset) const {
    const UnitItem* u = findUnit(offset);
    return u ? std::string_view(unitNames_[size_t(u->name)].constData(),
                                size_t(unitNames_[size_t(u->name)].size()))
             : std::string_view();
}

std::string_view MapTables::procedureView(uint32_t offset) const {
    for (auto it = procedures_.rbegin(); it != procedures_.rend(); ++it)
        if (it->offset <= offset)
            return view(it->namePos, it->nameLength);
    return {};
}

std::string_view MapTables::lineView(uint32_t offset) const {
    const UnitItem* u = findUnit(offset);
    if (!u)
        return {};
    std::string_view remembered;
    for (const LineNumberItem& l : lines_) {
        if (l.unit != u->name)
            continue;
        if (l.offset >= offset)
            return remembered;
        remembered = view(l.numberPos, l.numberLength);
    }
    return {};
}

static QString toText(std::string_view v) {
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

QString MapTables::lookupUnit(uint32_t offset) const {
    return toText(unitView(offset));
}
QString MapTables::lookupProcedure(uint32_t offset) const {
    return toText(procedureView(offset));
}
QString MapTables::lookupLine(uint32_t offset) const {
    return toText(lineView(offset));
}

MapTables& programMap() {
    static MapTables tables;
    return tables;
}

QString programMapPath() {
    return executableFolder() + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".map");
}

} // namespace kv::errors
