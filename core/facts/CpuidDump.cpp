#include "facts/CpuidDump.h"

#include "platform/QuelError.h"

#include <cstdlib>
#include <sstream>

namespace {

struct LeafKind {
    const char* Name;
    // Where index 0 is, and whether the index is the subleaf of that leaf.
    std::uint32_t Leaf;
    bool Subleaf;
};

constexpr LeafKind kKinds[] = {
    {"basic_cpuid", 0, false},
    {"ext_cpuid", 0x80000000u, false},
    {"intel_fn4", 4, true},
    {"intel_fn11", 0xb, true},
    {"intel_fn12h", 0x12, true},
    {"intel_fn14h", 0x14, true},
    {"amd_fn8000001dh", 0x8000001du, true},
};

// A whole hexadecimal number of 1 to 8 digits.
bool readHex(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 8 ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return false;
    }
    value = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
    return true;
}

// Lines that name one leaf and subleaf instead of a family of them.
struct SingleLeaf {
    const char* Name;
    std::uint32_t Leaf;
    std::uint32_t Subleaf;
};

constexpr SingleLeaf kSingles[] = {
    {"leaf7_subleaf1=", 7, 1},
    {"hypervisor_leaf=", 0x40000000u, 0},
};

constexpr char kXcr0[] = "xcr0=";

// EAX, EBX, ECX and EDX from "eax ebx ecx edx"; what is wrong, or empty.
std::string readAnswer(const std::string& text, CpuidAnswer& answer) {
    std::istringstream words(text);
    std::string word;
    for (std::uint32_t& value : answer) {
        if (!(words >> word) || !readHex(word, value)) {
            return "four hexadecimal numbers must follow '='";
        }
    }
    return words >> word ? "more than four numbers after '='" : "";
}

// A 64-bit register as 16 hexadecimal digits.
bool readXcr0(const std::string& text, std::uint64_t& value) {
    std::uint32_t high = 0;
    std::uint32_t low = 0;
    if (text.size() != 16 || !readHex(text.substr(0, 8), high) || !readHex(text.substr(8), low)) {
        return false;
    }
    value = static_cast<std::uint64_t>(high) << 32 | low;
    return true;
}

} // namespace

const CpuidAnswer* CpuidAnswers::Find(std::uint32_t leaf, std::uint32_t subleaf) const {
    const auto found = Leaves.find({leaf, subleaf});
    return found == Leaves.end() ? nullptr : &found->second;
}

const CpuidAnswer* CpuidAnswers::FindReported(std::uint32_t leaf, std::uint32_t subleaf) const {
    const CpuidAnswer* top = Find(leaf & 0x80000000u);
    return top != nullptr && (*top)[0] >= leaf ? Find(leaf, subleaf) : nullptr;
}

std::vector<CpuidAnswers> ParseCpuidDump(const std::string& text, const std::string& name) {
    const auto fail = [&name](std::size_t line, const std::string& what) {
        return QuelError(QuelError::kOwnError, "ParseCpuidDump",
                         name + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                             what);
    };
    if (text.size() > kMaxDumpBytes) {
        throw fail(0, "larger than " + std::to_string(kMaxDumpBytes >> 20) +
                          " MiB, more than a dump of CPUID answers can be");
    }
    std::vector<CpuidAnswers> cpus;
    std::istringstream lines(text);
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        if (line.find("Logical CPU #") != std::string::npos) {
            if (cpus.size() >= kMaxDumpCpus) {
                throw fail(number,
                           "more than " + std::to_string(kMaxDumpCpus) + " logical processors");
            }
            cpus.emplace_back();
            continue;
        }
        if (cpus.empty()) {
            cpus.emplace_back();
        }
        if (line.rfind(kXcr0, 0) == 0) {
            std::uint64_t xcr0 = 0;
            if (!readXcr0(line.substr(sizeof kXcr0 - 1), xcr0)) {
                throw fail(number, "xcr0 must be 16 hexadecimal digits");
            }
            cpus.back().Xcr0 = xcr0;
            continue;
        }
        const SingleLeaf* single = nullptr;
        for (const SingleLeaf& known : kSingles) {
            if (line.rfind(known.Name, 0) == 0) {
                single = &known;
            }
        }
        if (single != nullptr) {
            CpuidAnswer answer{};
            const std::string fault =
                readAnswer(line.substr(std::string(single->Name).size()), answer);
            if (!fault.empty()) {
                throw fail(number, fault);
            }
            cpus.back().Leaves[{single->Leaf, single->Subleaf}] = answer;
            continue;
        }
        const auto open = line.find('[');
        const auto close = line.find("]=");
        const LeafKind* kind = nullptr;
        for (const LeafKind& known : kKinds) {
            if (open != std::string::npos && line.compare(0, open, known.Name) == 0) {
                kind = &known;
            }
        }
        // The index is decimal, as in "basic_cpuid[13]".
        const std::string digits = kind != nullptr && close != std::string::npos && close > open
                                       ? line.substr(open + 1, close - open - 1)
                                       : std::string();
        if (digits.empty() || digits.size() > 4 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            throw fail(number, "not a line of CPUID answers: \"" + line.substr(0, 60) + "\"");
        }
        const auto index = static_cast<std::uint32_t>(std::stoul(digits));
        if (index > kMaxDumpIndex) {
            throw fail(number, "index " + digits + " is above " + std::to_string(kMaxDumpIndex));
        }
        CpuidAnswer answer{};
        if (const std::string fault = readAnswer(line.substr(close + 2), answer); !fault.empty()) {
            throw fail(number, fault);
        }
        const std::pair<std::uint32_t, std::uint32_t> key =
            kind->Subleaf ? std::make_pair(kind->Leaf, index)
                          : std::make_pair(kind->Leaf + index, std::uint32_t{0});
        cpus.back().Leaves[key] = answer;
    }
    if (cpus.empty() || (cpus.front().Leaves.empty() && !cpus.front().Xcr0)) {
        throw fail(0, "holds no CPUID answers");
    }
    return cpus;
}
