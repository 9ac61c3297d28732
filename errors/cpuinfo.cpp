// Processor identification: the vendor paths over the cpuid leaves, the model tables of the three
// old vendors, and the clock measurement with its pass rule and rounding (halves to even).
#include "cpuinfo.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kv::errors {
namespace {

QString regsText(std::initializer_list<uint32_t> regs) {
    QByteArray bytes;
    for (uint32_t r : regs)
        bytes.append(reinterpret_cast<const char*>(&r), 4);
    return QString::fromLatin1(bytes);
}

QString brandString(CpuPort& cpu, uint32_t highestExtended) {
    QByteArray bytes;
    for (uint32_t leaf = 0x80000002; leaf <= 0x80000004 && leaf <= highestExtended; ++leaf) {
        const CpuidRegs r = cpu.cpuid(leaf);
        for (uint32_t v : {r.eax, r.ebx, r.ecx, r.edx})
            bytes.append(reinterpret_cast<const char*>(&v), 4);
    }
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    // Intel right-aligns its brand string with leading blanks; the kernel shows it trimmed.
    return QString::fromLatin1(bytes).trimmed();
}

// The highest extended leaf, or 0 where the processor answers leaf 0x80000000 with something else
// (old processors repeat their highest standard leaf there).
uint32_t highestExtendedLeaf(CpuPort& cpu) {
    const uint32_t v = cpu.cpuid(0x80000000).eax;
    return (v & 0xffff0000u) == 0x80000000u ? v : 0;
}

void intelCache(CpuInfo& info) {
    info.l2CacheKB = 0;
    for (int i = 1; i < 16; ++i) {
        switch (info.leaf2[i]) {
        case 0x40:
            info.l2CacheKB = 0;
            break;
        case 0x41:
            info.l2CacheKB = 128;
            break;
        case 0x42:
            info.l2CacheKB = 256;
            break;
        case 0x43:
            info.l2CacheKB = 512;
            break;
        case 0x44:
            info.l2CacheKB = 1024;
            break;
        case 0x45:
            info.l2CacheKB = 2048;
            break;
        default:
            break;
        }
    }
}

QString intelModel(const CpuInfo& i) {
    const int cache = i.l2CacheKB;
    switch (i.family) {
    case 4:
        switch (i.model) {
        case 1:
            return QStringLiteral("Intel 486DX Processor");
        case 2:
            return QStringLiteral("Intel 486SX Processor");
        case 3:
            return QStringLiteral("Intel DX2 Processor");
        case 5:
            return QStringLiteral("Intel SX2 Processor");
        case 7:
            return QStringLiteral("Write-Back Enhanced Intel DX2 Processor");
        case 8:
            return QStringLiteral("Intel DX4 Processor");
        default:
            return QStringLiteral("Intel 486 Processor");
        }
    case 5:
        return QStringLiteral("Pentium");
    case 6:
        switch (i.model) {
        case 1:
            return QStringLiteral("Pentium Pro");
        case 3:
            return QStringLiteral("Pentium II");
        case 5:
            if (cache == 0)
                return QStringLiteral("Celeron");
            return cache == 1024 || cache == 2048 ? QStringLiteral("Pentium II Xeon")
                                                  : QStringLiteral("Pentium II");
        case 6:
            return cache == 0 || cache == 128 ? QStringLiteral("Celeron") : QStringLiteral("Pentium II");
        case 7:
            return cache == 1024 || cache == 2048 ? QStringLiteral("Pentium III Xeon")
                                                  : QStringLiteral("Pentium III");
        case 8:
            if (i.brandIndex == 1)
                return QStringLiteral("Celeron");
            return i.brandIndex == 3 ? QStringLiteral("Pentium III Xeon") : QStringLiteral("Pentium III");
        case 10:
            return QStringLiteral("Pentium III Xeon");
        case 11:
            return QStringLiteral("Pentium III");
        default:
            return QStringLiteral("P6 (Model %1)").arg(i.model);
        }
    case 15:
        if (i.brandIndex == 1)
            return QStringLiteral("Celeron");
        return i.brandIndex == 14 ? QStringLiteral("Xeon") : QStringLiteral("Pentium 4");
    default:
        return QStringLiteral("P%1").arg(i.family);
    }
}

QString cyrixModel(const CpuInfo& i) {
    switch (i.family) {
    case 4:
        return QStringLiteral("Cyrix MediaGX");
    case 5:
        if (i.model == 2)
            return QStringLiteral("Cyrix 6x86");
        return i.model == 4 ? QStringLiteral("Cyrix GXm") : QString();
    case 6:
        return QStringLiteral("6x86MX");
    default:
        return QStringLiteral("%1x86").arg(i.family);
    }
}

QString amdModel(const CpuInfo& i) {
    if (i.family == 4)
        return QStringLiteral("Am486(R) or Am5x86");
    if (i.family != 5)
        return QStringLiteral("Unknown AMD Chip");
    switch (i.model) {
    case 0:
    case 1:
    case 2:
    case 3:
        return QStringLiteral("AMD-K5 (Model %1)").arg(i.model);
    case 6:
        return QStringLiteral("AMD-K6(R)");
    case 7:
        return QStringLiteral("AMD-K6");
    case 8:
        return QStringLiteral("AMD-K6(R) -2");
    case 9:
        return QStringLiteral("AMD-K6(R) -3");
    default:
        return QStringLiteral("Unknown AMD Model");
    }
}

// Nearest integer, halves to the even neighbour.
int64_t roundEven(double v) {
    return int64_t(std::nearbyint(v));
}

} // namespace

int32_t normalizeMHz(int32_t v) {
    static constexpr int kEndings[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
    const int r = v % 100;
    int k = 1;
    while (k < 8 && kEndings[k] <= r)
        ++k;
    const int lower = kEndings[k - 1], upper = kEndings[k];
    return r - lower < upper - r ? v - r + lower : v - r + upper;
}

bool divisionCheckPasses() {
    volatile long double x = 2658955.0L;
    volatile long double y = 3.141592653589793;
    return x - (x / y) * y < 1.0L;
}

void measureClock(CpuInfo& info, CpuPort& cpu) {
    info.rawMHz = info.normalisedMHz = 0;
    const uint64_t frequency = cpu.counterFrequency();
    if (frequency == 0)
        return;
    const double freq32 = double(uint32_t(frequency));
    int64_t f1 = 0, f2 = 0, f3 = 0, s = 0;
    uint64_t totalCycles = 0;
    uint32_t totalMicros = 0;
    int passes = 0;
    auto unsettled = [&] {
        return std::llabs(3 * f1 - s) > 3 || std::llabs(3 * f2 - s) > 3 || std::llabs(3 * f3 - s) > 3;
    };
    while (passes < 3 || (passes < 20 && unsettled())) {
        f3 = f2;
        f2 = f1;
        uint32_t t0 = uint32_t(cpu.counter());
        uint32_t t1 = t0;
        uint64_t startStamp = 0, endStamp = 0;
        const bool raised = cpu.raisePriority();
        while (uint32_t(t1 - t0) < 50) {
            t1 = uint32_t(cpu.counter());
            startStamp = cpu.timeStamp();
        }
        t0 = t1;
        while (uint32_t(t1 - t0) < 1000) {
            t1 = uint32_t(cpu.counter());
            endStamp = cpu.timeStamp();
        }
        if (raised)
            cpu.restorePriority();
        const uint64_t cycles = endStamp - startStamp;
        const uint32_t micros = uint32_t(roundEven(double(uint32_t(t1 - t0)) * 100000.0 / (freq32 / 10.0)));
        totalCycles += cycles;
        totalMicros += micros;
        f1 = micros ? roundEven(double(cycles) / micros) : 0;
        s = f1 + f2 + f3;
        ++passes;
    }
    if (totalMicros == 0)
        return; // a counter at processor speed: nothing measurable, reported as not measured
    int64_t tenths = roundEven(double(totalCycles) * 10 / totalMicros);
    const int64_t hundredths = roundEven(double(totalCycles) * 100 / totalMicros);
    if (hundredths - 10 * tenths >= 6)
        ++tenths;
    info.rawMHz = int32_t(roundEven(double(totalCycles) / totalMicros));
    int32_t corrected = info.rawMHz;
    if (tenths - 10 * int64_t(info.rawMHz) >= 6)
        ++corrected;
    info.normalisedMHz = normalizeMHz(corrected);
}

CpuInfo getCpuInfo(CpuPort& cpu) {
    CpuInfo info;
    if (cpu.idFlagToggles()) {
        info.cpuidAvailable = true;
        const CpuidRegs leaf0 = cpu.cpuid(0);
        const uint32_t highest = leaf0.eax;
        info.vendorId = regsText({leaf0.ebx, leaf0.edx, leaf0.ecx});
        const bool intel = info.vendorId == QLatin1String("GenuineIntel");
        uint32_t highestExtended = highestExtendedLeaf(cpu);
        const bool extendedPath = (info.vendorId == QLatin1String("AuthenticAMD") ||
                                   info.vendorId == QLatin1String("CyrixInstead")) &&
                                  highestExtended != 0;
        if (!extendedPath && highest >= 1) {
            const CpuidRegs r = cpu.cpuid(1);
            info.features = r.edx;
            info.brandIndex = uint8_t(r.ebx & 0xff);
            info.type = uint8_t((r.eax >> 12) & 0x3);
            info.family = uint8_t((r.eax >> 8) & 0xf);
            info.model = uint8_t((r.eax >> 4) & 0xf);
            info.stepping = uint8_t(r.eax & 0xf);
            if (intel && highest >= 2) {
                info.cacheInfoPresent = true;
                CpuidRegs l2 = cpu.cpuid(2);
                const int calls = int(l2.eax & 0xff);
                if (calls == 0)
                    l2 = {};
                for (int c = 1; c < calls; ++c)
                    l2 = cpu.cpuid(2);
                std::memcpy(info.leaf2.data(), &l2.eax, 4);
                std::memcpy(info.leaf2.data() + 4, &l2.ebx, 4);
                std::memcpy(info.leaf2.data() + 8, &l2.ecx, 4);
                std::memcpy(info.leaf2.data() + 12, &l2.edx, 4);
            }
        }
        if (extendedPath) {
            if (highestExtended >= 0x80000001) {
                info.extendedFunctions = true;
                const CpuidRegs r = cpu.cpuid(0x80000001);
                info.type = uint8_t((r.eax >> 12) & 0xf);
                info.family = uint8_t((r.eax >> 8) & 0xf);
                info.model = uint8_t((r.eax >> 4) & 0xf);
                info.stepping = uint8_t(r.eax & 0xf);
                info.features = r.edx;
            }
            if (highestExtended >= 0x80000005)
                info.cacheInfoPresent = true;
        }
        // The brand string is read on every path where its leaves exist, so a processor newer than
        // the model tables is named as the kernel names it.
        const QString brand = brandString(cpu, highestExtended);

        if (intel) {
            info.vendorName = QStringLiteral("Intel");
            info.vendor = CpuVendor::Intel;
            if (info.cacheInfoPresent)
                intelCache(info);
            info.modelName = intelModel(info);
        } else if (info.vendorId == QLatin1String("CyrixInstead")) {
            info.vendorName = QStringLiteral("Cyrix");
            info.vendor = CpuVendor::Cyrix;
            info.modelName = cyrixModel(info);
        } else if (info.vendorId == QLatin1String("AuthenticAMD")) {
            info.vendorName = QStringLiteral("AMD");
            info.vendor = CpuVendor::Amd;
            info.modelName = amdModel(info);
        } else if (info.vendorId == QLatin1String("GenuineTMx86")) {
            info.vendorName = QStringLiteral("Transmeta");
            info.vendor = CpuVendor::Transmeta;
            info.modelName = QStringLiteral("Crusoe");
        } else {
            info.vendorName = info.modelName = QStringLiteral("Unknown");
        }
        if (!brand.isEmpty() || (info.extendedFunctions && info.vendor != CpuVendor::Transmeta))
            info.modelName = brand.left(48);
    } else {
        info.vendorName = info.modelName = QStringLiteral("Unknown");
    }
    info.divisionCheckPassed = divisionCheckPasses();
    if (info.cpuidAvailable) {
        if (info.features & (1u << 4))
            measureClock(info, cpu);
        info.mmx = info.features & (1u << 23);
    }
    return info;
}

QString cpuText(const CpuInfo& info) {
    return QStringLiteral("%1, %2, %3 MHz %4%5")
        .arg(info.vendorName, info.modelName)
        .arg(normalizeMHz(info.normalisedMHz))
        .arg(info.mmx ? QStringLiteral("MMX") : QString(),
             info.divisionCheckPassed ? QString() : QStringLiteral(" [FDIV Bug]"));
}

} // namespace kv::errors
