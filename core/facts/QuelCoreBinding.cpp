#include "facts/QuelCoreBinding.h"

#include "quelcore/QuelCore_Info.h"

void QuelCoreBinding::GetCPU_Info(std::uint8_t& type, std::uint8_t& family, std::uint8_t& model,
                                  std::uint8_t& stepping) {
    ::GetCPU_Info(&type, &family, &model, &stepping);
}

void QuelCoreBinding::GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second,
                                     std::uint8_t& third) {
    ::GetCPU_ExtInfo(&first, &second, &third);
}

void QuelCoreBinding::GetCPU_String(char* name48, char* extra16) {
    ::GetCPU_String(name48, extra16);
}

std::int32_t QuelCoreBinding::GetCPU_Caps(std::int32_t code) {
    return ::GetCPU_Caps(code);
}

std::int16_t QuelCoreBinding::GetCPU_Speed() {
    return ::GetCPU_Speed();
}

std::int16_t QuelCoreBinding::GetCPU_Usage() {
    return ::GetCPU_Usage();
}
