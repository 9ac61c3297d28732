// The standard version block (VS_VERSIONINFO with VS_FIXEDFILEINFO, StringFileInfo and VarFileInfo):
// queried by path the way the platform's version query does it, and written from plain data. Every
// read is bounds-checked; a damaged block answers "not found", never reads outside its bytes.
//
// One node of the tree, all fields little-endian, every node starting on a 4-byte boundary:
//   offset  size  field
//   0       2     wLength       bytes of the node with its children (not the padding after it)
//   2       2     wValueLength  value size: bytes (wType 0) or UTF-16 units with the zero (wType 1)
//   4       2     wType         0 binary value, 1 text value
//   6       2n    szKey         UTF-16 key with its terminating zero
//   ..            padding to a 4-byte boundary, then the value, padding again, then the children
// The root's key is "VS_VERSION_INFO" and its value the 52-byte fixed block:
//   0 signature 0xFEEF04BD, 4 structure version, 8/12 file version MS/LS, 16/20 product version
//   MS/LS, 24 flags mask, 28 flags, 32 file OS, 36 file type, 40 file subtype, 44/48 file date MS/LS.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>
#include <optional>

namespace kv::about {

struct FixedFileInfo {
    uint32_t signature = 0xFEEF04BD;
    uint32_t structVersion = 0x00010000;
    uint32_t fileVersionMS = 0, fileVersionLS = 0;
    uint32_t productVersionMS = 0, productVersionLS = 0;
    uint32_t flagsMask = 0x3F, flags = 0;
    uint32_t fileOS = 0x00040004;
    uint32_t fileType = 1, fileSubtype = 0;
    uint32_t fileDateMS = 0, fileDateLS = 0;
};

// The contents of a block to write: the fixed part, one string table and its translation.
struct VersionData {
    FixedFileInfo fixed;
    uint16_t language = 0x0405;             // Czech
    uint16_t codePage = 1250;               // Windows-1250
    QList<QPair<QString, QString>> strings; // key, value in table order
    bool withTranslation = true;
};

QByteArray writeVersionBlock(const VersionData& data);

// A read-only view of a block in memory (not owned; it must outlive the view).
class VersionBlock {
public:
    VersionBlock() = default;
    VersionBlock(const char* data, qsizetype size)
        : data_(reinterpret_cast<const uint8_t*>(data))
        , size_(size) {}

    bool isEmpty() const { return size_ == 0; }
    // Whether the root node is whole and reads as a version block.
    bool isValid() const;

    // The value bytes at `path` ("\", "\VarFileInfo\Translation", "\StringFileInfo\040504E2\Comments"),
    // keys compared without regard to case; nothing when any step is missing or damaged.
    std::optional<QByteArray> queryBinary(const QString& path) const;
    // A text value up to its terminating zero.
    std::optional<QString> queryText(const QString& path) const;
    // The fixed block, when the root's value holds all 52 bytes.
    std::optional<FixedFileInfo> fixedInfo() const;

private:
    struct Node {
        qsizetype start = 0, end = 0; // the node's bytes
        qsizetype valueStart = 0, valueEnd = 0;
        qsizetype childrenStart = 0;
        uint16_t type = 0;
        QString key;
    };
    std::optional<Node> readNode(qsizetype start, qsizetype limit) const;
    std::optional<Node> findPath(const QString& path) const;
    uint16_t u16(qsizetype at) const { return uint16_t(data_[at] | (data_[at + 1] << 8)); }

    const uint8_t* data_ = nullptr;
    qsizetype size_ = 0;
};

} // namespace kv::about
