#pragma once

#include "facts/ProcessorLibrary.h"

// The processor-information library QuelCore, called directly.
class QuelCoreBinding : public ProcessorLibrary {
  public:
    void GetCPU_Info(std::uint8_t& type, std::uint8_t& family, std::uint8_t& model,
                     std::uint8_t& stepping) override;
    void GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second, std::uint8_t& third) override;
    void GetCPU_String(char* name48, char* extra16) override;
    std::int32_t GetCPU_Caps(std::int32_t code) override;
    std::int16_t GetCPU_Speed() override;
    std::int16_t GetCPU_Usage() override;
};
