#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 (FIPS 180-4): pins the test input's content and derives the
// machine's identifier for a results history.
class Sha256 {
  public:
    Sha256();
    void Update(const std::uint8_t* data, std::size_t size);
    // The digest as 64 lower-case hex digits; the object is spent afterwards.
    std::string HexDigest();

    static std::string Of(const std::uint8_t* data, std::size_t size);

  private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t used_ = 0;
    std::uint64_t length_ = 0;
};
