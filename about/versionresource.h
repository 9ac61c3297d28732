// Finding a file's version block: in a PE file's resources (type 16, the first name and language) or
// in the ELF section ".kvversion" that our build fills for the program itself. Every offset is
// checked against the file's size, and the resource walk is three fixed levels deep, so a truncated,
// hostile or looping file is answered, never followed.
//
// PE, as far as the walk reads it (little-endian):
//   0x3C u32 offset of "PE\0\0"; then the COFF header: +6 u16 section count, +20 u16 optional header
//   size; the optional header: +0 u16 magic 0x10B (PE32, directories at +96) or 0x20B (PE32+, at
//   +112), +92/+108 u32 directory count; directory 2 is the resources (u32 RVA, u32 size). Sections
//   of 40 bytes follow the optional header: +8 virtual size, +12 RVA, +16 raw size, +20 raw offset.
//   A resource directory: +12 u16 named entries, +14 u16 id entries, then 8-byte entries (u32 name
//   or id, u32 offset; high bit set = a subdirectory) relative to the resource section's start; a
//   data entry: u32 RVA, u32 size.
#pragma once

#include <QByteArray>
#include <QString>

namespace kv::about {

struct VersionResource {
    enum Status {
        None,       // the file has no version block (or is of no kind we read): an empty block
        Found,      // `block` holds it
        Unreadable, // a version block is there but lies outside the file or is damaged
    };
    Status status = None;
    QByteArray block;
};

// The version block inside a file's bytes.
VersionResource findVersionResource(const char* data, qsizetype size);
// The same for a file on disk (mapped, not read whole); a file that cannot be opened has none.
VersionResource readVersionResource(const QString& fileName);

// The ELF section name our build places the block in.
inline constexpr char kVersionSection[] = ".kvversion";

} // namespace kv::about
