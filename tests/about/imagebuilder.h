// Tiny real-shaped executables made by the tests: a PE file (PE32 or PE32+) whose .rsrc section holds
// a resource tree with one version resource, and an ELF file with our version section, each with the
// faults a test may ask for.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace kv::testing {

struct PeShape {
    bool pe32plus = false;
    bool withResources = true;
    uint32_t typeId = 16;     // 16 is the version resource
    bool loopToRoot = false;  // the type entry's subdirectory is the root itself
    bool dataOutside = false; // the data entry points past the end of the file
    uint32_t sizeDelta = 0;   // added to the data entry's size
};

QByteArray buildPe(const QByteArray& block, const PeShape& shape = {});

struct ElfShape {
    bool withSection = true;
    uint64_t offsetDelta = 0; // moves the version section's offset
    bool noBits = false;      // the section has no bytes in the file
    uint16_t strtabIndex = 2; // the section-name table's index
};

QByteArray buildElf(const QByteArray& block, const ElfShape& shape = {});

} // namespace kv::testing
