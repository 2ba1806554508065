#pragma once

#include <optional>
#include <string>

// Who made the processor and what it is, from libcpuid; each part empty
// where the library cannot tell (always on processors other than x86).
struct CpuIdentity {
    std::optional<std::string> Vendor; // e.g. "GenuineIntel"
    std::optional<std::string> Brand;  // the brand text, trimmed
    // The family and model as displayed (base plus extended), the stepping.
    std::optional<int> Family;
    std::optional<int> Model;
    std::optional<int> Stepping;
};

CpuIdentity ReadCpuIdentity();
