// Where an exception was raised. Every C++ exception of the process - ours, and those thrown inside
// libstdc++ or Qt - passes through __cxa_throw, which this unit interposes to record the call stack
// before throwing; the record is found again from the exception object. Addresses are then mapped
// to the program's code: an offset is measured from the start of the program's executable load
// segment (its load address from the dynamic loader plus the segment's virtual address), the same
// base the map writer uses; an address in a shared library is never turned into an offset.
#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <optional>
#include <typeinfo>
#include <vector>

namespace kv::errors {

class MapTables;

// The return addresses recorded when `error` was thrown, innermost first; empty when not recorded
// (an exception thrown before the recording existed or pushed out of the record by later throws).
std::vector<uintptr_t> throwStack(const std::exception_ptr& error);

// The program's code: the executable load segment of the main program as loaded.
struct CodeRange {
    uintptr_t start = 0, size = 0;
    bool contains(uintptr_t a) const { return a >= start && a - start < size; }
};
const CodeRange& programCode();

// The map offset of a code address, when it lies in the program's code.
std::optional<uint32_t> codeOffset(uintptr_t address);

// The map offset naming the place an exception was raised: the first return address in the
// program's code whose procedure is not library code instantiated into the program (std::,
// __gnu_cxx::), or else the first in the program's code at all. A return address is taken one byte
// back, inside the call, so a call that ends its function is not counted to the next one.
std::optional<uint32_t> raiseOffset(const std::vector<uintptr_t>& stack, const MapTables& map);

// "std::exception > std::logic_error > std::out_of_range": the thrown type and its base classes as
// far as the type information tells them, root first (a single base is followed, of several the
// first).
QString exceptionClassChain(const std::type_info* type);
QString exceptionClassChain(const std::exception_ptr& error);

} // namespace kv::errors
