// The processor's identification instruction, its time-stamp counter, the high-resolution counter and
// the thread priority behind one small interface, so the naming tables, the no-identification path
// and the clock measurement's pass rule are tested with recorded register values.
#pragma once

#include <cstdint>

namespace kv::errors {

struct CpuidRegs {
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

class CpuPort {
public:
    virtual ~CpuPort() = default;

    // Whether bit 21 of the flags register (the ID flag) can be flipped: the identification
    // instruction exists.
    virtual bool idFlagToggles() = 0;
    virtual CpuidRegs cpuid(uint32_t leaf) = 0;
    virtual uint64_t timeStamp() = 0;

    // The high-resolution counter: its ticks per second (0 when there is none) and its value.
    virtual uint64_t counterFrequency() = 0;
    virtual uint64_t counter() = 0;

    // Raises the calling thread to its highest priority; false when its priority cannot be read.
    // A raise that is not allowed is not an error: the thread goes on at its own priority.
    virtual bool raisePriority() = 0;
    virtual void restorePriority() = 0;
};

// The machine's processor: cpuid and rdtsc on x86-64 (the no-identification path elsewhere), a
// counter of 3,579,545 Hz derived from CLOCK_MONOTONIC_RAW, real-time priority where allowed.
CpuPort& machineCpu();

} // namespace kv::errors
