#pragma once

#include "facts/ProcessorLibrary.h"
#include "quelcore/ProcessorIdentity.h"

// The processor-information library's six answers for a machine loaded from
// its raw data: the fixed facts as given, and no clock or usage, which only
// the running machine has.
class LoadedProcessorLibrary : public ProcessorLibrary {
  public:
    explicit LoadedProcessorLibrary(ProcessorIdentity identity);

    void GetCPU_Info(std::uint8_t& type, std::uint8_t& family, std::uint8_t& model,
                     std::uint8_t& stepping) override;
    void GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second, std::uint8_t& third) override;
    void GetCPU_String(char* name48, char* extra16) override;
    std::int32_t GetCPU_Caps(std::int32_t code) override;
    std::int16_t GetCPU_Speed() override;
    std::int16_t GetCPU_Usage() override;

  private:
    ProcessorIdentity identity_;
};
