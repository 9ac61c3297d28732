// Writing the tiny PE and ELF files; their layouts follow about/versionresource.h.
#include "imagebuilder.h"

#include <QtEndian>

namespace kv::testing {
namespace {

void put16(QByteArray& b, qsizetype at, uint16_t v) {
    qToLittleEndian(v, b.data() + at);
}
void put32(QByteArray& b, qsizetype at, uint32_t v) {
    qToLittleEndian(v, b.data() + at);
}
void put64(QByteArray& b, qsizetype at, uint64_t v) {
    qToLittleEndian(v, b.data() + at);
}

} // namespace

QByteArray buildPe(const QByteArray& block, const PeShape& s) {
    constexpr uint32_t kRsrcRva = 0x1000, kRaw = 0x200;
    const uint16_t optionalSize = s.pe32plus ? 240 : 224;
    const qsizetype sections = 0x40 + 4 + 20 + optionalSize;
    QByteArray f(kRaw, '\0');
    f[0] = 'M';
    f[1] = 'Z';
    put32(f, 0x3C, 0x40);
    f.replace(0x40, 4, QByteArray("PE\0\0", 4));
    put16(f, 0x44, s.pe32plus ? 0x8664 : 0x14C);
    put16(f, 0x46, 1);
    put16(f, 0x54, optionalSize);
    put16(f, 0x56, 0x0102);
    const qsizetype opt = 0x58;
    put16(f, opt, s.pe32plus ? 0x20B : 0x10B);
    const qsizetype dirs = opt + (s.pe32plus ? 112 : 96);
    put32(f, opt + (s.pe32plus ? 108 : 92), 16);

    // The resource tree: root -> type -> name 1 -> language 0x405 -> data entry -> block.
    QByteArray tree(0x58, '\0');
    put16(tree, 14, 1);
    put32(tree, 16, s.typeId);
    put32(tree, 20, 0x80000000u | (s.loopToRoot ? 0 : 0x18));
    put16(tree, 0x18 + 14, 1);
    put32(tree, 0x18 + 16, 1);
    put32(tree, 0x18 + 20, 0x80000000u | 0x30);
    put16(tree, 0x30 + 14, 1);
    put32(tree, 0x30 + 16, 0x405);
    put32(tree, 0x30 + 20, 0x48);
    put32(tree, 0x48, s.dataOutside ? kRsrcRva + 0x10000 : kRsrcRva + 0x58);
    put32(tree, 0x4C, uint32_t(block.size()) + s.sizeDelta);
    tree += block;
    while (tree.size() % 16)
        tree += '\0';

    if (s.withResources) {
        put32(f, dirs + 16, kRsrcRva);
        put32(f, dirs + 20, uint32_t(tree.size()));
    }
    f.replace(sections, 6, QByteArray(".rsrc\0", 6));
    put32(f, sections + 8, uint32_t(tree.size()));
    put32(f, sections + 12, kRsrcRva);
    put32(f, sections + 16, uint32_t(tree.size()));
    put32(f, sections + 20, kRaw);
    put32(f, sections + 36, 0x40000040);
    return f + tree;
}

QByteArray buildElf(const QByteArray& block, const ElfShape& s) {
    // Header (64) | block | ".shstrtab" names | section headers: null, the version, the names.
    QByteArray f(64, '\0');
    f.replace(0, 4,
              QByteArray("\x7f"
                         "ELF",
                         4));
    f[4] = 2; // 64-bit
    f[5] = 1; // little-endian
    f[6] = 1;
    put16(f, 16, 2);
    put16(f, 18, 62);
    const qsizetype blockAt = f.size();
    f += block;
    const QByteArray names("\0.kvversion\0.shstrtab\0", 22);
    const qsizetype namesAt = f.size();
    f += names;
    while (f.size() % 8)
        f += '\0';
    const qsizetype shoff = f.size();
    f += QByteArray(3 * 64, '\0');
    put64(f, 0x28, uint64_t(shoff));
    put16(f, 0x3A, 64);
    put16(f, 0x3C, 3);
    put16(f, 0x3E, s.strtabIndex);
    const qsizetype version = shoff + 64, strtab = shoff + 128;
    put32(f, version, s.withSection ? 1 : 12);
    put32(f, version + 4, s.noBits ? 8 : 1);
    put64(f, version + 24, uint64_t(blockAt) + s.offsetDelta);
    put64(f, version + 32, uint64_t(block.size()));
    put32(f, strtab, 12);
    put32(f, strtab + 4, 3);
    put64(f, strtab + 24, uint64_t(namesAt));
    put64(f, strtab + 32, uint64_t(names.size()));
    return f;
}

} // namespace kv::testing
