#include "testinput/CodeSection.h"

#include "platform/QuelError.h"
#include "testinput/DataBlock.h"
#include "testinput/FunctionWriter.h"
#include "testinput/SplitMix64.h"
#include "testinput/X86Emitter.h"

#include <algorithm>

namespace {

// Room kept at the end for the data block; what it leaves free stays zero,
// like the padding of a section to the file alignment.
constexpr std::uint32_t kDataRoom = 8192;

void padTo(std::vector<std::uint8_t>& text, std::uint32_t end, bool withNops) {
    X86Emitter out(static_cast<std::uint32_t>(text.size()));
    std::uint32_t gap = end - static_cast<std::uint32_t>(text.size());
    while (gap > 0) {
        const int length = withNops ? static_cast<int>(std::min<std::uint32_t>(gap, 9)) : 1;
        if (withNops) {
            out.Nop(length);
        } else {
            out.Int3();
        }
        gap -= static_cast<std::uint32_t>(length);
    }
    text.insert(text.end(), out.Bytes().begin(), out.Bytes().end());
}

// One jump through the import table per imported function.
std::vector<std::uint8_t> importThunks(const DataBlock& data, std::uint32_t origin) {
    X86Emitter out(origin);
    for (const std::uint32_t slot : data.ImportSlots()) {
        out.JmpRip(slot);
    }
    return out.Bytes();
}

} // namespace

std::vector<std::uint8_t> MakeCodeSection(std::uint32_t size) {
    if (size < 2 * kDataRoom) {
        throw QuelError::Overflow("MakeCodeSection");
    }
    SplitMix64 random(0xC0DEC0DE0BADC0DEULL);
    const std::uint32_t textEnd = (size - kDataRoom) / 16 * 16;
    const DataBlock data(textEnd, textEnd, random);
    if (textEnd + data.Bytes().size() > size) {
        throw QuelError::Overflow("MakeCodeSection");
    }
    const std::uint32_t thunkSize = static_cast<std::uint32_t>(data.ImportSlots().size()) * 6;
    const std::uint32_t thunkStart = (textEnd - thunkSize - 16) / 16 * 16;

    std::vector<std::uint8_t> section;
    section.reserve(size);
    std::vector<std::uint32_t> starts;
    while (true) {
        const auto origin = static_cast<std::uint32_t>(section.size());
        FunctionWriter writer(random, data, thunkStart, starts);
        const std::vector<std::uint8_t> function = writer.Write(origin);
        const std::uint32_t end =
            (origin + static_cast<std::uint32_t>(function.size()) + 15) / 16 * 16;
        if (end > thunkStart) {
            break;
        }
        starts.push_back(origin);
        section.insert(section.end(), function.begin(), function.end());
        padTo(section, end, random.Below(4) == 0);
    }
    padTo(section, thunkStart, false);
    const std::vector<std::uint8_t> thunks = importThunks(data, thunkStart);
    section.insert(section.end(), thunks.begin(), thunks.end());
    padTo(section, textEnd, false);
    section.insert(section.end(), data.Bytes().begin(), data.Bytes().end());
    section.resize(size, 0);
    return section;
}
