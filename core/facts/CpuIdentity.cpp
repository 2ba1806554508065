#include "facts/CpuIdentity.h"

#if defined(__x86_64__) || defined(__i386__)
#include <libcpuid/libcpuid.h>

namespace {

// The text without surrounding spaces; nothing when that leaves none.
std::optional<std::string> Trimmed(const char* text) {
    const std::string value(text);
    const std::size_t first = value.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

} // namespace

CpuIdentity ReadCpuIdentity() {
    CpuIdentity identity;
    cpu_raw_data_t raw{};
    cpu_id_t id{};
    if (!cpuid_present() || cpuid_get_raw_data(&raw) != 0 || cpu_identify(&raw, &id) != 0) {
        return identity;
    }
    identity.Vendor = Trimmed(id.vendor_str);
    identity.Brand = Trimmed(id.brand_str);
    identity.Family = id.ext_family;
    identity.Model = id.ext_model;
    // Not libcpuid's codename: its table is older than many processors in
    // use and names them wrongly (a Ryzen Z1 "Zambezi X3", a Core Ultra "More
    // than quad-core"), as it does some older ones; no fact at all is better.
    identity.Stepping = id.stepping;
    return identity;
}

#else

CpuIdentity ReadCpuIdentity() {
    return {};
}

#endif
