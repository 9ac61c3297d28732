// Fuzz target: a file's bytes through the PE resource walk and the ELF section search, and the same
// bytes as a version block queried for every key the reader asks for.
#include "about/versionblock.h"
#include "about/versionresource.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

void queryAll(const kv::about::VersionBlock& block) {
    (void)block.isValid();
    (void)block.fixedInfo();
    (void)block.queryBinary(QStringLiteral("\\VarFileInfo\\Translation"));
    for (const char* key : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                            "LegalTrademarks", "OriginalFilename", "Productname", "Quelmarix_App",
                            "ProductVersion", "Comments"})
        (void)block.queryText(QStringLiteral("\\StringFileInfo\\040504E2\\") + QLatin1String(key));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto found = kv::about::findVersionResource(bytes, qsizetype(size));
    if (found.status == kv::about::VersionResource::Found)
        queryAll(kv::about::VersionBlock(found.block.constData(), found.block.size()));
    queryAll(kv::about::VersionBlock(bytes, qsizetype(size)));
    return 0;
}
