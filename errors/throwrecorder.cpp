// The interposed __cxa_throw: records the call stack of every C++ exception, then throws through the
// C++ runtime's own function. The program exports this symbol (see CMakeLists.txt), so the runtime's
// and Qt's own throws come here too. Kept apart from <cxxabi.h>, whose declaration differs in type.
#include "throwrecorder_p.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>

namespace kv::errors::detail {
namespace {

constexpr int kRecords = 8;

struct ThrowRecord {
    const void* object;
    const void* thrower; // the return address into the code that threw
    int count;
    void* frames[kThrowFrames];
};

// The last throws of each thread, oldest overwritten first. Plain data, so nothing runs to build it.
thread_local ThrowRecord tRecords[kRecords];
thread_local unsigned tNext;

} // namespace

void record(void* object, const void* thrower);
void record(void* object, const void* thrower) {
    ThrowRecord& r = tRecords[tNext++ % kRecords];
    r.object = nullptr;
    r.thrower = thrower;
    r.count = backtrace(r.frames, kThrowFrames);
    r.object = object;
}

int recordedThrow(const void* object, void* frames[kThrowFrames]) {
    for (unsigned i = 0; i < kRecords; ++i) {
        const ThrowRecord& r = tRecords[(tNext - 1 - i) % kRecords];
        if (!object || r.object != object)
            continue;
        // The recorder's own frames come first: the stack starts at the code that threw.
        int first = 0;
        while (first < r.count && r.frames[first] != r.thrower)
            ++first;
        if (first == r.count)
            first = 0;
        std::memcpy(frames, r.frames + first, sizeof(void*) * unsigned(r.count - first));
        return r.count - first;
    }
    return 0;
}

} // namespace kv::errors::detail

extern "C" [[noreturn]] void __cxa_throw(void* object, void* type, void (*destroy)(void*)) {
    using Throw = void (*)(void*, void*, void (*)(void*));
    static const Throw real = reinterpret_cast<Throw>(dlsym(RTLD_NEXT, "__cxa_throw"));
    kv::errors::detail::record(object, __builtin_return_address(0));
    if (!real)
        std::abort();
    real(object, type, destroy);
    __builtin_unreachable();
}
