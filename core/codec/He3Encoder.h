#pragma once

#include "codec/He3Format.h"
#include "codec/He3Progress.h"

#include <array>
#include <cstdint>
#include <vector>

// One EncodeByte call: counts the bytes, builds the code tree and its codes,
// and replaces the caller's buffer with the coded or the stored form.
// Tables live as long as the object, which serves exactly one call.
class He3Encoder {
  public:
    explicit He3Encoder(He3Progress& progress);

    void Encode(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);

  private:
    void CountBytes(const std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);
    void AddLeaves();
    void MergeNodes();
    void BuildCodes();
    std::int32_t DataBits() const;
    std::uint8_t Checksum(const std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);
    std::vector<std::uint8_t> WriteStream(const std::vector<std::uint8_t>& ByteArray,
                                          std::int32_t ByteLen, std::uint8_t checksum,
                                          std::int32_t dataBytes);
    static void StoreUnchanged(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);

    He3Progress& progress_;
    std::array<std::int32_t, He3::kSymbolCount> Counts{};
    NodeTable Nodes{};
    CodeTable Codes{};
    std::int16_t NodeCount = 0;
    std::int16_t SymbolCount = 0;
};
