// The PE resource walk and the ELF section search for the version block.
#include "versionresource.h"

#include "versionblock.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace kv::about {
namespace {

// Bounds-checked little-endian reads over the file's bytes.
class Bytes {
public:
    Bytes(const char* data, qsizetype size)
        : data_(reinterpret_cast<const uint8_t*>(data))
        , size_(uint64_t(size)) {}
    bool has(uint64_t at, uint64_t n) const { return at <= size_ && n <= size_ - at; }
    uint16_t u16(uint64_t at) const { return has(at, 2) ? qFromLittleEndian<uint16_t>(data_ + at) : 0; }
    uint32_t u32(uint64_t at) const { return has(at, 4) ? qFromLittleEndian<uint32_t>(data_ + at) : 0; }
    uint64_t u64(uint64_t at) const { return has(at, 8) ? qFromLittleEndian<uint64_t>(data_ + at) : 0; }
    const char* at(uint64_t off) const { return reinterpret_cast<const char*>(data_ + off); }
    uint64_t size() const { return size_; }

private:
    const uint8_t* data_;
    uint64_t size_;
};

VersionResource unreadable() {
    return {VersionResource::Unreadable, {}};
}

VersionResource found(const Bytes& b, uint64_t offset, uint64_t size) {
    if (size == 0)
        return {};
    if (!b.has(offset, size) || size > 0xFFFF)
        return unreadable();
    QByteArray block(b.at(offset), qsizetype(size));
    if (!VersionBlock(block.constData(), block.size()).isValid())
        return unreadable();
    return {VersionResource::Found, block};
}

struct PeSection {
    uint32_t rva, virtualSize, rawSize, rawOffset;
};

VersionResource fromPe(const Bytes& b) {
    const uint64_t pe = b.u32(0x3C);
    if (!b.has(pe, 24) || std::memcmp(b.at(pe), "PE\0\0", 4) != 0)
        return {};
    const uint16_t sectionCount = b.u16(pe + 6);
    const uint16_t optionalSize = b.u16(pe + 20);
    const uint64_t opt = pe + 24;
    const uint16_t magic = b.u16(opt);
    uint64_t countAt = 0, dirAt = 0;
    if (magic == 0x10B) {
        countAt = opt + 92;
        dirAt = opt + 96;
    } else if (magic == 0x20B) {
        countAt = opt + 108;
        dirAt = opt + 112;
    } else {
        return {};
    }
    if (b.u32(countAt) < 3 || dirAt + 24 > opt + optionalSize || !b.has(dirAt, 24))
        return {};
    const uint32_t resourceRva = b.u32(dirAt + 16);
    if (resourceRva == 0)
        return {};

    const uint64_t sectionsAt = opt + optionalSize;
    auto section = [&](uint32_t rva) -> std::optional<PeSection> {
        for (uint32_t i = 0; i < sectionCount; ++i) {
            const uint64_t s = sectionsAt + 40ull * i;
            if (!b.has(s, 40))
                return std::nullopt;
            const PeSection sec{b.u32(s + 12), b.u32(s + 8), b.u32(s + 16), b.u32(s + 20)};
            const uint32_t span = std::max(sec.virtualSize, sec.rawSize);
            if (rva >= sec.rva && uint64_t(rva) < uint64_t(sec.rva) + span)
                return sec;
        }
        return std::nullopt;
    };
    const auto rsrc = section(resourceRva);
    if (!rsrc)
        return {};
    // The resource tree's offsets are relative to its root, which lies inside the section's raw data.
    const uint64_t root = uint64_t(rsrc->rawOffset) + (resourceRva - rsrc->rva);
    const uint64_t rootEnd = uint64_t(rsrc->rawOffset) + rsrc->rawSize;
    auto inTree = [&](uint64_t off, uint64_t n) {
        return off >= root && off <= rootEnd && n <= rootEnd - off && b.has(off, n);
    };

    // The entry of a directory with `id` (or the first entry when id < 0): its u32 offset field.
    auto entry = [&](uint64_t dir, int64_t id) -> std::optional<uint32_t> {
        if (!inTree(dir, 16))
            return std::nullopt;
        const uint32_t count = uint32_t(b.u16(dir + 12)) + b.u16(dir + 14);
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t e = dir + 16 + 8ull * i;
            if (!inTree(e, 8))
                return std::nullopt;
            const uint32_t name = b.u32(e);
            if (id < 0 || (!(name & 0x80000000u) && name == uint32_t(id)))
                return b.u32(e + 4);
        }
        return std::nullopt;
    };
    const auto typeEntry = entry(root, 16);
    if (!typeEntry)
        return {};
    // From here on a version resource is there: whatever cannot be followed makes it unreadable.
    if (!(*typeEntry & 0x80000000u))
        return unreadable();
    const auto nameEntry = entry(root + (*typeEntry & 0x7FFFFFFFu), -1);
    if (!nameEntry || !(*nameEntry & 0x80000000u))
        return unreadable();
    const auto langEntry = entry(root + (*nameEntry & 0x7FFFFFFFu), -1);
    if (!langEntry || (*langEntry & 0x80000000u))
        return unreadable();
    const uint64_t data = root + *langEntry;
    if (!inTree(data, 16))
        return unreadable();
    const uint32_t dataRva = b.u32(data);
    const uint32_t dataSize = b.u32(data + 4);
    const auto dataSection = section(dataRva);
    if (!dataSection || dataRva - dataSection->rva >= dataSection->rawSize)
        return unreadable();
    return found(b, uint64_t(dataSection->rawOffset) + (dataRva - dataSection->rva), dataSize);
}

VersionResource fromElf(const Bytes& b) {
    const bool is64 = b.u16(4) % 256 == 2; // EI_CLASS
    if ((b.u16(4) & 0xff) != 1 && !is64)
        return {};
    if ((b.u16(4) >> 8) != 1) // EI_DATA: little-endian only
        return {};
    uint64_t shoff;
    uint32_t entSize, shnum, strndx;
    if (is64) {
        shoff = b.u64(0x28);
        entSize = b.u16(0x3A);
        shnum = b.u16(0x3C);
        strndx = b.u16(0x3E);
    } else {
        shoff = b.u32(0x20);
        entSize = b.u16(0x2E);
        shnum = b.u16(0x30);
        strndx = b.u16(0x32);
    }
    if (shoff == 0 || entSize < (is64 ? 64u : 40u) || !b.has(shoff, entSize))
        return {};
    struct Shdr {
        uint32_t name, link;
        uint64_t offset, size;
        uint32_t type;
    };
    auto shdr = [&](uint64_t i) -> std::optional<Shdr> {
        const uint64_t at = shoff + i * entSize;
        if (i >= 0x10000000u || !b.has(at, entSize))
            return std::nullopt;
        if (is64)
            return Shdr{b.u32(at), b.u32(at + 40), b.u64(at + 24), b.u64(at + 32), b.u32(at + 4)};
        return Shdr{b.u32(at), b.u32(at + 24), b.u32(at + 16), b.u32(at + 20), b.u32(at + 4)};
    };
    // Extended numbering: a file with very many sections keeps the counts in section 0.
    const auto first = shdr(0);
    if (shnum == 0 && first)
        shnum = uint32_t(std::min<uint64_t>(first->size, 0xFFFFFF));
    if (strndx == 0xFFFF && first)
        strndx = first->link;
    const auto strtab = shdr(strndx);
    if (!strtab || !b.has(strtab->offset, strtab->size))
        return {};
    const qsizetype nameLength = qsizetype(sizeof(kVersionSection));
    for (uint32_t i = 0; i < shnum; ++i) {
        const auto s = shdr(i);
        if (!s)
            return {};
        if (s->name >= strtab->size || strtab->size - s->name < uint64_t(nameLength))
            continue;
        if (std::memcmp(b.at(strtab->offset + s->name), kVersionSection, size_t(nameLength)) != 0)
            continue;
        if (s->type == 8) // SHT_NOBITS: the section has no bytes in the file
            return unreadable();
        return found(b, s->offset, s->size);
    }
    return {};
}

} // namespace

VersionResource findVersionResource(const char* data, qsizetype size) {
    const Bytes b(data, size);
    if (b.has(0, 4) && std::memcmp(data,
                                   "\x7f"
                                   "ELF",
                                   4) == 0)
        return fromElf(b);
    if (b.has(0, 0x40) && data[0] == 'M' && data[1] == 'Z')
        return fromPe(b);
    return {};
}

VersionResource readVersionResource(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return {};
    if (const uchar* mapped = f.map(0, f.size()))
        return findVersionResource(reinterpret_cast<const char*>(mapped), qsizetype(f.size()));
    const QByteArray all = f.readAll();
    return findVersionResource(all.constData(), all.size());
}

} // namespace kv::about
