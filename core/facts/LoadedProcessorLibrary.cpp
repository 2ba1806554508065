#include "facts/LoadedProcessorLibrary.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// At most width characters and a NUL, as the library copies its texts.
void copyText(const std::string& text, char* buffer, std::size_t width) {
    const std::size_t count = std::min(text.size(), width);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

} // namespace

LoadedProcessorLibrary::LoadedProcessorLibrary(ProcessorIdentity identity)
    : identity_(std::move(identity)) {}

void LoadedProcessorLibrary::GetCPU_Info(std::uint8_t& type, std::uint8_t& family,
                                         std::uint8_t& model, std::uint8_t& stepping) {
    type = identity_.Type;
    family = identity_.Family;
    model = identity_.Model;
    stepping = identity_.Stepping;
}

void LoadedProcessorLibrary::GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second,
                                            std::uint8_t& third) {
    first = identity_.ExtInfo[0];
    second = identity_.ExtInfo[1];
    third = identity_.ExtInfo[2];
}

void LoadedProcessorLibrary::GetCPU_String(char* name48, char* extra16) {
    copyText(identity_.Name, name48, 48);
    copyText(identity_.Vendor, extra16, 16);
}

std::int32_t LoadedProcessorLibrary::GetCPU_Caps(std::int32_t code) {
    return code >= 0 && code < ProcessorIdentity::kCapsCount
               ? identity_.Caps[static_cast<std::size_t>(code)]
               : 0;
}

std::int16_t LoadedProcessorLibrary::GetCPU_Speed() {
    return 0;
}

std::int16_t LoadedProcessorLibrary::GetCPU_Usage() {
    return 0;
}
