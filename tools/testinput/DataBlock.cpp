#include "testinput/DataBlock.h"

#include <array>
#include <initializer_list>

namespace {

// Bit patterns of the doubles 0.5, 1, 5, 7, 50, 88, 100, 1000, 10000, 86400,
// 2^31 and 0.01, then the sign and magnitude masks.
constexpr std::array<std::uint64_t, 14> kConstants = {
    0x3FE0000000000000ULL, 0x3FF0000000000000ULL, 0x4014000000000000ULL, 0x401C000000000000ULL,
    0x4049000000000000ULL, 0x4056000000000000ULL, 0x4059000000000000ULL, 0x408F400000000000ULL,
    0x40C3880000000000ULL, 0x40F5180000000000ULL, 0x41E0000000000000ULL, 0x3F847AE147AE147BULL,
    0x8000000000000000ULL, 0x7FFFFFFFFFFFFFFFULL};

constexpr std::string_view kTexts[] = {
    "Quelvorant v1.0.320",
    "Quelvorant - Testing ...",
    "Quelvorant is ready, click ''Begin'' ...",
    "Quelvorant has finished testing ...",
    "Test file compression, using Huffman agorithms ...",
    "Test file decompression, using Huffman agorithms ...",
    "The compression was not successful. Something went terribly wrong.",
    "The decompression was not successful. Something went terribly wrong.",
    " Error ...",
    " seconds.",
    " %",
    "<none>",
    "\\Quelvorant.exe",
    "\\QuelTest.HAr",
    "\\QuelTest2.dat",
    "\\FResult.tmp",
    "Final Result.qvd",
    "Final Result.txt",
    "Source file does not exist.",
    "Subscript out of range",
    "Overflow",
    "HE3\r",
    "HE0\r",
    "Tahoma",
    "%d.%d.%d",
    "GenuineIntel",
    "AuthenticAMD",
};

struct Library {
    std::string_view name;
    std::initializer_list<std::string_view> functions;
};

const Library kLibraries[] = {
    {"KERNEL32.dll",
     {"GetTickCount", "GlobalMemoryStatus", "GetVersionExA", "RtlMoveMemory", "lstrcatA",
      "GetModuleFileNameA", "CreateFileA", "ReadFile", "WriteFile", "CloseHandle", "DeleteFileA",
      "GetFileSize", "GetProcessHeap", "HeapAlloc", "HeapFree", "GetLocalTime", "ExitProcess"}},
    {"USER32.dll",
     {"MessageBoxA", "SetTimer", "KillTimer", "ReleaseCapture", "SendMessageA", "InvalidateRect",
      "PeekMessageA", "DispatchMessageA", "TranslateMessage", "ShowWindow", "MoveWindow"}},
    {"ADVAPI32.dll", {"GetUserNameA"}},
    {"ole32.dll", {"OleInitialize", "OleUninitialize", "CoTaskMemFree"}},
    {"SHELL32.dll", {"SHBrowseForFolderA", "SHGetPathFromIDListA"}},
    {"QuelCore.dll",
     {"GetCPU_Info", "GetCPU_ExtInfo", "GetCPU_String", "GetCPU_Caps", "GetCPU_Speed",
      "GetCPU_Usage"}},
};

constexpr std::string_view kVersionTexts[] = {
    "VS_VERSION_INFO", "StringFileInfo",   "040904B0",       "CompanyName", "Quelvorant",
    "FileDescription", "Quelvorant",       "FileVersion",    "1.00.0320",   "InternalName",
    "Quelvorant",      "OriginalFilename", "Quelvorant.exe", "ProductName", "Quelvorant",
    "ProductVersion",  "1.00.0320",        "VarFileInfo",    "Translation",
};

// Where the section would be loaded, relative to the image base.
constexpr std::uint32_t kSectionRva = 0x00001000;

} // namespace

DataBlock::DataBlock(std::uint32_t start, std::uint32_t textEnd, SplitMix64& random)
    : start_(start) {
    addConstants();
    addJumpTables(textEnd, random);
    addTexts();
    addImports();
    addVersionTexts();
}

std::uint32_t DataBlock::here() const {
    return start_ + static_cast<std::uint32_t>(bytes_.size());
}

void DataBlock::align(std::uint32_t boundary) {
    while (here() % boundary != 0) {
        bytes_.push_back(0);
    }
}

void DataBlock::put(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void DataBlock::putText(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

void DataBlock::putWideText(std::string_view text) {
    for (const char c : text) {
        put(static_cast<std::uint8_t>(c), 2);
    }
    put(0, 2);
}

void DataBlock::addConstants() {
    align(16);
    for (const std::uint64_t constant : kConstants) {
        constants_.push_back(here());
        put(constant, 8);
    }
}

void DataBlock::addJumpTables(std::uint32_t textEnd, SplitMix64& random) {
    // Each entry is a case label's distance from the table, so they are negative.
    for (int table = 0; table < 6; ++table) {
        align(4);
        const std::uint32_t origin = here();
        const std::uint32_t base = random.Below(textEnd - 2048) & ~15U;
        const int cases = random.Between(5, 14);
        for (int i = 0; i < cases; ++i) {
            put(base + random.Below(1024) - origin, 4);
        }
    }
}

void DataBlock::addTexts() {
    align(8);
    for (const std::string_view text : kTexts) {
        texts_.push_back(here());
        putText(text);
        align(4);
    }
}

void DataBlock::addImports() {
    // The address table comes first, then the hint/name entries it points at,
    // so the names' offsets are worked out before the table is written.
    align(8);
    std::uint32_t slotCount = 0;
    for (const Library& library : kLibraries) {
        slotCount += static_cast<std::uint32_t>(library.functions.size()) + 1;
    }
    std::uint32_t name = here() + slotCount * 8;
    std::uint16_t hint = 0x0012;
    std::vector<std::uint8_t> names;
    for (const Library& library : kLibraries) {
        for (const std::string_view function : library.functions) {
            slots_.push_back(here());
            put(kSectionRva + name, 8);
            const std::size_t before = names.size();
            names.push_back(static_cast<std::uint8_t>(hint));
            names.push_back(static_cast<std::uint8_t>(hint >> 8));
            names.insert(names.end(), function.begin(), function.end());
            names.push_back(0);
            if (names.size() % 2 != 0) {
                names.push_back(0);
            }
            name += static_cast<std::uint32_t>(names.size() - before);
            hint = static_cast<std::uint16_t>(hint + 0x1D);
        }
        put(0, 8);
    }
    bytes_.insert(bytes_.end(), names.begin(), names.end());
    for (const Library& library : kLibraries) {
        putText(library.name);
    }
}

void DataBlock::addVersionTexts() {
    align(4);
    // Head of the version record: total length, value length, type.
    put(0x0378, 2);
    put(0x0034, 2);
    put(0, 2);
    for (const std::string_view text : kVersionTexts) {
        putWideText(text);
        align(4);
    }
    put(0x04B00409ULL, 4);
}
