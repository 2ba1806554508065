#pragma once

#include "codec/He3Format.h"

#include <cstdint>

// Packs single bits into bytes, least significant bit first, writing each
// byte as soon as its eighth bit is placed. The caller provides room for
// every byte that will be written.
class He3BitWriter {
  public:
    explicit He3BitWriter(std::uint8_t* out) : out_(out) {}

    // Places one bit, 0 or 1.
    void Put(std::uint8_t bit) {
        value_ = static_cast<std::uint8_t>(value_ + He3::BitValues[position_] * bit);
        if (++position_ == 8) {
            *out_++ = value_;
            value_ = 0;
            position_ = 0;
        }
    }

    // Places the bits of a code, first bit first.
    void PutCode(const SymbolCode& code) {
        const unsigned count = code.BitCount;
        const std::uint8_t* bits = code.Bits.data();
        for (unsigned j = 0; j < count; ++j) {
            Put(bits[j]);
        }
    }

    // Writes a partly filled byte, its unused high bits 0; returns the
    // position after the last byte written.
    std::uint8_t* Flush() {
        if (position_ > 0) {
            *out_++ = value_;
            value_ = 0;
            position_ = 0;
        }
        return out_;
    }

  private:
    std::uint8_t* out_;
    std::uint8_t value_ = 0;
    unsigned position_ = 0;
};
