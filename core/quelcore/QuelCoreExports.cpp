// The six functions of the processor-information library. Only these are
// exported; everything else in the library is hidden.
#pragma GCC visibility push(default)
#include "quelcore/QuelCore_Info.h"
#pragma GCC visibility pop

#include "quelcore/ClockSpeed.h"
#include "quelcore/CpuLoadMeter.h"
#include "quelcore/ProcessorIdentity.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include "quelcore/X86Identity.h"
#else
#include "quelcore/CacheSizes.h"
#include "quelcore/CpuInfoIdentity.h"
#include "quelcore/HostFiles.h"
#endif

namespace {

ProcessorIdentity ReadIdentity() {
#if defined(__x86_64__) || defined(__i386__)
    return ReadX86Identity().value_or(ProcessorIdentity{});
#else
    const auto midr = ReadTextFile("/sys/devices/system/cpu/cpu0/regs/identification/midr_el1");
    return CpuInfoIdentity(ReadTextFile("/proc/cpuinfo").value_or(std::string()),
                           kSysfsCacheFolder, midr ? ParseMidr(*midr) : std::nullopt);
#endif
}

// Read on first use; the processor does not change while the program runs.
const ProcessorIdentity& Identity() {
    static const ProcessorIdentity identity = [] {
        try {
            return ReadIdentity();
        } catch (...) {
            return ProcessorIdentity{};
        }
    }();
    return identity;
}

CpuLoadMeter& LoadMeter() {
    static CpuLoadMeter meter;
    return meter;
}

// Copies at most width characters and a terminating NUL; the rest of the
// caller's buffer stays as it was.
void CopyText(const std::string& text, char* buffer, std::size_t width) {
    if (buffer == nullptr) {
        return;
    }
    const std::size_t count = std::min(text.size(), width);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

void Store(std::uint8_t* target, std::uint8_t value) {
    if (target != nullptr) {
        *target = value;
    }
}

} // namespace

extern "C" {

void GetCPU_Info(std::uint8_t* type, std::uint8_t* family, std::uint8_t* model,
                 std::uint8_t* stepping) {
    const ProcessorIdentity& identity = Identity();
    Store(type, identity.Type);
    Store(family, identity.Family);
    Store(model, identity.Model);
    Store(stepping, identity.Stepping);
}

void GetCPU_ExtInfo(std::uint8_t* first, std::uint8_t* second, std::uint8_t* third) {
    const ProcessorIdentity& identity = Identity();
    Store(first, identity.ExtInfo[0]);
    Store(second, identity.ExtInfo[1]);
    Store(third, identity.ExtInfo[2]);
}

void GetCPU_String(char* name48, char* extra16) {
    const ProcessorIdentity& identity = Identity();
    CopyText(identity.Name, name48, 48);
    CopyText(identity.Vendor, extra16, 16);
}

std::int32_t GetCPU_Caps(std::int32_t code) {
    if (code < 0 || code >= ProcessorIdentity::kCapsCount) {
        return 0;
    }
    return Identity().Caps[static_cast<std::size_t>(code)];
}

std::int16_t GetCPU_Speed() {
    try {
        if (const auto reported = KernelClockMHz(ClockSources{})) {
            return ClockAnswer(*reported);
        }
#if defined(__x86_64__) || defined(__i386__)
        return ClockAnswer(MeasureX86ClockMHz());
#else
        return 0;
#endif
    } catch (...) {
        return 0;
    }
}

std::int16_t GetCPU_Usage() {
    try {
        return LoadMeter().Sample();
    } catch (...) {
        return 0;
    }
}

} // extern "C"
