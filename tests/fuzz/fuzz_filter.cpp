// Fuzz target: filter texts, parsed against each of the program's tables (between them every field
// type). A text either parses into SQL with one placeholder per parameter or is refused with a
// filter error; anything else is a fault.
#include "fuzzsupport.h"

#include "data/schema.h"
#include "data/store/filter.h"
#include "data/store/storeerror.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kv::fuzz::silenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const kv::store::TableDef& def : kv::data::schema()) {
        try {
            const auto filter = kv::store::Filter::parse(text, def);
            // Literals never reach the SQL text, and field names carry no "?".
            if (filter->sql().count(QLatin1Char('?')) != filter->params().size())
                std::abort();
        } catch (const kv::store::StoreError& e) {
            if (e.kind() != kv::store::StoreError::Kind::Filter)
                std::abort();
        }
    }
    return 0;
}
