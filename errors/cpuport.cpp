// The machine's processor behind the CpuPort interface.
#include "cpuport.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>
#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace kv::errors {
namespace {

// The tick rate of the old platform's performance counter, so the measurement's tick counts keep
// their meaning.
constexpr uint64_t kCounterHz = 3579545;

class MachineCpu : public CpuPort {
public:
    bool idFlagToggles() override {
#if defined(__x86_64__) || defined(__i386__)
        return __get_cpuid_max(0, nullptr) != 0;
#else
        return false;
#endif
    }

    CpuidRegs cpuid(uint32_t leaf) override {
        CpuidRegs r;
#if defined(__x86_64__) || defined(__i386__)
        __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
#else
        (void)leaf;
#endif
        return r;
    }

    uint64_t timeStamp() override {
#if defined(__x86_64__) || defined(__i386__)
        return __rdtsc();
#else
        return 0;
#endif
    }

    uint64_t counterFrequency() override {
        return kCounterHz;
    }

    uint64_t counter() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
        const unsigned __int128 ns =
            (unsigned __int128)ts.tv_sec * 1000000000u + (unsigned __int128)ts.tv_nsec;
        return uint64_t(ns * kCounterHz / 1000000000u);
    }

    bool raisePriority() override {
        if (pthread_getschedparam(pthread_self(), &savedPolicy_, &savedParam_) != 0)
            return false;
        sched_param top{};
        top.sched_priority = sched_get_priority_max(SCHED_FIFO);
        raised_ = pthread_setschedparam(pthread_self(), SCHED_FIFO, &top) == 0;
        return true;
    }

    void restorePriority() override {
        if (raised_)
            pthread_setschedparam(pthread_self(), savedPolicy_, &savedParam_);
        raised_ = false;
    }

private:
    int savedPolicy_ = SCHED_OTHER;
    sched_param savedParam_{};
    bool raised_ = false;
};

} // namespace

CpuPort& machineCpu() {
    static thread_local MachineCpu cpu;
    return cpu;
}

} // namespace kv::errors
