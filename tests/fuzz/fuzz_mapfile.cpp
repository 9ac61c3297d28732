// Fuzz target: a map file's text through the reader, then every lookup at the bounds of what it read.
#include "errors/mapfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::errors::MapTables map;
    map.loadText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    auto lookAt = [&](uint32_t offset) {
        (void)map.lookupUnit(offset);
        (void)map.lookupProcedure(offset);
        (void)map.lookupLine(offset);
    };
    for (const auto& u : map.units()) {
        lookAt(u.start);
        lookAt(u.end);
        lookAt(u.end + 1);
    }
    for (const auto& l : map.lines())
        lookAt(l.offset - 1);
    lookAt(0);
    lookAt(UINT32_MAX);
    return 0;
}
