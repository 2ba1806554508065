#pragma once

#include "testinput/DataBlock.h"
#include "testinput/SplitMix64.h"
#include "testinput/X86Emitter.h"

#include <cstdint>
#include <vector>

// Writes one made-up function: a prologue, a body of everyday instructions
// that load and store locals, compute, compare and branch, call other
// functions and imports and load constants and texts, then the epilogue.
class FunctionWriter {
  public:
    FunctionWriter(SplitMix64& random, const DataBlock& data, std::uint32_t textEnd,
                   const std::vector<std::uint32_t>& earlierFunctions);

    // The function's bytes when it starts at section offset origin.
    std::vector<std::uint8_t> Write(std::uint32_t origin);

  private:
    enum class Frame { BasePointer, StackPointer, Leaf };

    int anyRegister();
    int local();
    std::uint32_t callTarget(std::uint32_t origin);
    template <typename T> T pick(const std::vector<T>& items) {
        return items[random_.Below(static_cast<std::uint32_t>(items.size()))];
    }

    void prologue(X86Emitter& out);
    void epilogue(X86Emitter& out);
    void instruction(X86Emitter& out, std::uint32_t origin);
    void compareAndBranch(X86Emitter& out);
    void floatingPoint(X86Emitter& out);
    std::uint32_t immediate();

    SplitMix64& random_;
    const DataBlock& data_;
    std::uint32_t textEnd_;
    const std::vector<std::uint32_t>& earlier_;
    Frame frame_ = Frame::Leaf;
    std::vector<int> saved_;
    int frameSize_ = 0;
};
