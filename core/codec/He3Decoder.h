#pragma once

#include "codec/He3Format.h"
#include "codec/He3Progress.h"

#include <array>
#include <cstdint>
#include <vector>

// One DecodeByte call: checks the identification, rebuilds the code tree from
// the stream's table, walks it one stream bit at a time and checks the result
// against the stored checksum. The stream is untrusted: every read is checked
// against the buffer, and the caller's buffer changes only on success.
class He3Decoder {
  public:
    explicit He3Decoder(He3Progress& progress);

    void Decode(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);

  private:
    static void RestoreStored(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen);
    void ReadTable(const std::vector<std::uint8_t>& ByteArray, std::int16_t N);
    std::int64_t ReadCodeBits(const std::vector<std::uint8_t>& ByteArray, std::int16_t N);
    void BuildTree();
    std::int32_t DecodeData(const std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen,
                            std::int64_t dataStart, std::vector<std::uint8_t>& Result,
                            std::int32_t OrigLen);
    std::uint8_t Checksum(const std::vector<std::uint8_t>& Result, std::int32_t Decoded);

    He3Progress& progress_;
    NodeTable Nodes{};
    CodeTable Codes{};
    std::int16_t NodeCount = 0;
    // The tree flattened for the data walk: Next[2 * node + bit] is the inner
    // node that bit leads to, ~Symbol when it leads to a leaf, or kMissing
    // when the child is missing.
    static constexpr std::int16_t kMissing = ~static_cast<std::int16_t>(He3::kSymbolCount);
    std::array<std::int16_t, 2 * He3::kMaxNodes> Next{};
};
