#pragma once

#include <cstdint>

// The six operations of the processor-information library as the information
// window calls them. QuelCoreBinding calls the real library; tests give
// scripted answers.
class ProcessorLibrary {
  public:
    virtual ~ProcessorLibrary() = default;

    virtual void GetCPU_Info(std::uint8_t& type, std::uint8_t& family, std::uint8_t& model,
                             std::uint8_t& stepping) = 0;
    virtual void GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second, std::uint8_t& third) = 0;
    // name48 has room for 48 characters and a NUL, extra16 for 16 and a NUL.
    virtual void GetCPU_String(char* name48, char* extra16) = 0;
    virtual std::int32_t GetCPU_Caps(std::int32_t code) = 0;
    virtual std::int16_t GetCPU_Speed() = 0;
    virtual std::int16_t GetCPU_Usage() = 0;
};
