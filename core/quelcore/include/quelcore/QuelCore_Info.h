#pragma once

#include <cstdint>

// The processor-information library QuelCore (libQuelCore.so beside the
// program). Arguments passed by reference are the addresses of the caller's
// variables, into which the library writes.

// The capability codes of GetCPU_Caps whose answers are the processor's cache
// sizes in kilobytes.
namespace CacheCode {
inline constexpr std::int32_t Data = 53;
inline constexpr std::int32_t Instructions = 57;
inline constexpr std::int32_t Level2 = 61;
} // namespace CacheCode

extern "C" {

// Type code, family, model and stepping of the processor.
void GetCPU_Info(std::uint8_t* type, std::uint8_t* family, std::uint8_t* model,
                 std::uint8_t* stepping);
// Three further bytes of the library's choice.
void GetCPU_ExtInfo(std::uint8_t* first, std::uint8_t* second, std::uint8_t* third);
// The processor's name into a buffer of 48 characters and a further text into
// one of 16, each followed by a terminating NUL; nothing beyond is written.
void GetCPU_String(char* name48, char* extra16);
// Features answer 1 when present (codes 38 and 42: non-zero); cache codes
// answer a size in kilobytes.
std::int32_t GetCPU_Caps(std::int32_t code);
// Processor clock in MHz.
std::int16_t GetCPU_Speed();
// Processor load in percent since the previous call, 0 to 100.
std::int16_t GetCPU_Usage();
}
