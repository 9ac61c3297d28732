// The processor's description for the error report: vendor, model name (the brand string where the
// processor has one, else the vendors' model tables), MMX, the floating-point division check and the
// clock rate measured from the time-stamp counter against the high-resolution counter.
#pragma once

#include "cpuport.h"

#include <QString>
#include <array>
#include <cstdint>

namespace kv::errors {

enum class CpuVendor : uint8_t { None = 0, Intel = 1, Cyrix = 2, Amd = 3, Transmeta = 4 };

struct CpuInfo {
    bool cpuidAvailable = false;
    bool mmx = false;
    bool divisionCheckPassed = false;
    bool cacheInfoPresent = false;
    bool extendedFunctions = false;
    CpuVendor vendor = CpuVendor::None;
    uint8_t type = 0;
    uint8_t family = 4;
    uint8_t model = 0;
    uint8_t stepping = 0;
    uint32_t features = 0;
    int32_t rawMHz = 0;        // measured, rounded; 0 when not measured
    int32_t normalisedMHz = 0; // corrected by the tenths and passed through normalizeMHz
    QString vendorId;          // the 12 characters of leaf 0
    QString vendorName;        // "Intel", "Cyrix", "AMD", "Transmeta" or "Unknown"
    QString modelName;         // at most 48 characters
    int32_t l2CacheKB = 0;     // from the Intel leaf-2 descriptors
    std::array<uint8_t, 16> leaf2{};
    uint8_t brandIndex = 0;
};

// Fills a record anew; measures the clock when the processor has a time-stamp counter. Never throws.
CpuInfo getCpuInfo(CpuPort& cpu = machineCpu());

// Rounds a clock rate to the nearest of the usual endings 0, 20, 33, 50, 60, 66, 80, 90, 100 of its
// hundreds (a tie goes up): 1997 -> 2000, 735 -> 733.
int32_t normalizeMHz(int32_t mhz);

// x - (x / y) * y in extended precision for x = 2658955 and y = pi stays below 1.
bool divisionCheckPasses();

// The clock measurement alone, into rawMHz and normalisedMHz (both 0 without a counter).
void measureClock(CpuInfo& info, CpuPort& cpu);

// "AMD, AMD EPYC, 2100 MHz MMX": the report's processor text.
QString cpuText(const CpuInfo& info);

} // namespace kv::errors
