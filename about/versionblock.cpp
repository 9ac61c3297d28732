// Reading and writing the version block's node tree.
#include "versionblock.h"

#include <QtEndian>
#include <cstring>

namespace kv::about {
namespace {

constexpr qsizetype align4(qsizetype v) {
    return (v + 3) & ~qsizetype(3);
}

void put16(QByteArray& out, uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void put32(QByteArray& out, uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void pad4(QByteArray& out) {
    while (out.size() % 4)
        out.append('\0');
}

// One node with its value and already written children; `out` must end on a 4-byte boundary.
void node(QByteArray& out, const QString& key, uint16_t type, const QByteArray& value, uint16_t valueLength,
          const QByteArray& children) {
    const qsizetype start = out.size();
    put16(out, 0);
    put16(out, valueLength);
    put16(out, type);
    for (QChar c : key)
        put16(out, c.unicode());
    put16(out, 0);
    pad4(out);
    out.append(value);
    if (!children.isEmpty()) {
        pad4(out);
        out.append(children);
    }
    qToLittleEndian(uint16_t(out.size() - start), out.data() + start);
}

QByteArray textNode(const QString& key, const QString& value) {
    QByteArray v;
    for (QChar c : value)
        put16(v, c.unicode());
    put16(v, 0);
    QByteArray out;
    node(out, key, 1, v, uint16_t(value.size() + 1), {});
    pad4(out);
    return out;
}

} // namespace

QByteArray writeVersionBlock(const VersionData& d) {
    QByteArray fixed;
    const FixedFileInfo& f = d.fixed;
    for (uint32_t v : {f.signature, f.structVersion, f.fileVersionMS, f.fileVersionLS, f.productVersionMS,
                       f.productVersionLS, f.flagsMask, f.flags, f.fileOS, f.fileType, f.fileSubtype,
                       f.fileDateMS, f.fileDateLS})
        put32(fixed, v);

    const QString tableKey = QStringLiteral("%1%2")
                                 .arg(d.language, 4, 16, QLatin1Char('0'))
                                 .arg(d.codePage, 4, 16, QLatin1Char('0'))
                                 .toUpper();
    QByteArray strings;
    for (const auto& [key, value] : d.strings)
        strings.append(textNode(key, value));
    QByteArray table;
    node(table, tableKey, 1, {}, 0, strings);
    pad4(table);
    QByteArray stringFileInfo;
    node(stringFileInfo, QStringLiteral("StringFileInfo"), 1, {}, 0, table);
    pad4(stringFileInfo);

    QByteArray children = stringFileInfo;
    if (d.withTranslation) {
        QByteArray translation;
        put16(translation, d.language);
        put16(translation, d.codePage);
        QByteArray var;
        node(var, QStringLiteral("Translation"), 0, translation, 4, {});
        pad4(var);
        QByteArray varFileInfo;
        node(varFileInfo, QStringLiteral("VarFileInfo"), 1, {}, 0, var);
        pad4(varFileInfo);
        children.append(varFileInfo);
    }
    QByteArray out;
    node(out, QStringLiteral("VS_VERSION_INFO"), 0, fixed, 52, children);
    return out;
}

std::optional<VersionBlock::Node> VersionBlock::readNode(qsizetype start, qsizetype limit) const {
    if (start < 0 || start + 6 > limit)
        return std::nullopt;
    const qsizetype length = u16(start);
    if (length < 6 || start + length > limit)
        return std::nullopt;
    Node n;
    n.start = start;
    n.end = start + length;
    const qsizetype valueLength = u16(start + 2);
    n.type = u16(start + 4);
    qsizetype at = start + 6;
    while (true) {
        if (at + 2 > n.end)
            return std::nullopt; // a key without its terminating zero
        const uint16_t c = u16(at);
        at += 2;
        if (c == 0)
            break;
        n.key.append(QChar(c));
    }
    n.valueStart = std::min(align4(at), n.end);
    const qsizetype valueBytes = n.type == 1 ? valueLength * 2 : valueLength;
    n.valueEnd = std::min(n.valueStart + valueBytes, n.end);
    n.childrenStart = std::min(align4(n.valueEnd), n.end);
    return n;
}

bool VersionBlock::isValid() const {
    const auto root = readNode(0, size_);
    return root && root->key.compare(QLatin1String("VS_VERSION_INFO"), Qt::CaseInsensitive) == 0;
}

std::optional<VersionBlock::Node> VersionBlock::findPath(const QString& path) const {
    auto current = readNode(0, size_);
    if (!current)
        return std::nullopt;
    for (const QString& key : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        std::optional<Node> found;
        qsizetype at = current->childrenStart;
        while (at < current->end) {
            const auto child = readNode(at, current->end);
            if (!child)
                break;
            if (child->key.compare(key, Qt::CaseInsensitive) == 0) {
                found = child;
                break;
            }
            at = align4(child->end); // every child is at least 6 bytes, so this always moves on
        }
        if (!found)
            return std::nullopt;
        current = found;
    }
    return current;
}

std::optional<QByteArray> VersionBlock::queryBinary(const QString& path) const {
    const auto n = findPath(path);
    if (!n)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(data_ + n->valueStart), n->valueEnd - n->valueStart);
}

std::optional<QString> VersionBlock::queryText(const QString& path) const {
    const auto n = findPath(path);
    if (!n)
        return std::nullopt;
    // Writers disagree on whether a text's length counts characters or bytes: read to the zero.
    QString text;
    for (qsizetype at = n->valueStart; at + 2 <= n->end; at += 2) {
        const uint16_t c = u16(at);
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

std::optional<FixedFileInfo> VersionBlock::fixedInfo() const {
    const auto value = queryBinary(QStringLiteral("\\"));
    if (!value || value->size() < 52)
        return std::nullopt;
    uint32_t w[13];
    for (int i = 0; i < 13; ++i)
        w[i] = qFromLittleEndian<uint32_t>(value->constData() + 4 * i);
    return FixedFileInfo{w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11], w[12]};
}

} // namespace kv::about
