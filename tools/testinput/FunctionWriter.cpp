#include "testinput/FunctionWriter.h"

namespace {

// Registers a compiler reaches for, most often the first ones.
const std::vector<int> kRegisters = {0, 0, 0, 1, 1, 2, 2, 3, 6, 7, 8, 9, 10, 11};
// Callee-saved registers a prologue may push.
const std::vector<int> kSaved = {3, 12, 13, 14, 15, 6, 7};
// Constants that turn up in everyday code.
const std::vector<std::uint32_t> kConstants = {
    0,    1,     2,    4,     7,      8,          10,         16,         0x20, 0x64,
    0xFF, 0x100, 1000, 10000, 0xFFFF, 0x80040000, 0x7FFFFFFF, 0xFFFFFFFF, 0x1F, 0x3E8};

} // namespace

FunctionWriter::FunctionWriter(SplitMix64& random, const DataBlock& data, std::uint32_t textEnd,
                               const std::vector<std::uint32_t>& earlierFunctions)
    : random_(random), data_(data), textEnd_(textEnd), earlier_(earlierFunctions) {}

int FunctionWriter::anyRegister() {
    return pick(kRegisters);
}

int FunctionWriter::local() {
    const int slot = random_.Between(1, 12) * 8;
    return frame_ == Frame::BasePointer ? -slot - 8 * static_cast<int>(saved_.size()) : slot + 0x20;
}

std::uint32_t FunctionWriter::callTarget(std::uint32_t origin) {
    if (!earlier_.empty() && random_.Below(3) != 0) {
        return pick(earlier_);
    }
    const std::uint32_t ahead = textEnd_ > origin ? textEnd_ - origin : 16;
    return (origin + random_.Below(ahead)) & ~15U;
}

std::uint32_t FunctionWriter::immediate() {
    switch (random_.Below(4)) {
    case 0:
        return static_cast<std::uint32_t>(random_.Next());
    case 1:
        return random_.Below(4096);
    default:
        return pick(kConstants);
    }
}

void FunctionWriter::prologue(X86Emitter& out) {
    const std::uint32_t style = random_.Below(10);
    frame_ = style < 5 ? Frame::BasePointer : (style < 9 ? Frame::StackPointer : Frame::Leaf);
    saved_.clear();
    frameSize_ = 0;
    if (frame_ == Frame::Leaf) {
        return;
    }
    if (frame_ == Frame::BasePointer) {
        out.Push(X86Emitter::kRbp);
        out.MovRegReg(X86Emitter::kRbp, X86Emitter::kRsp, true);
    }
    const int pushes = random_.Between(0, 4);
    for (int i = 0; i < pushes; ++i) {
        saved_.push_back(kSaved[static_cast<std::size_t>(i)]);
        out.Push(saved_.back());
    }
    frameSize_ = random_.Between(2, 24) * 16 + (pushes % 2 == 0 ? 8 : 0);
    out.AluRegImm(5, X86Emitter::kRsp, frameSize_, true);
}

void FunctionWriter::epilogue(X86Emitter& out) {
    if (frame_ == Frame::BasePointer && saved_.empty() && random_.Below(2) == 0) {
        out.Leave();
        out.Ret();
        return;
    }
    if (frame_ != Frame::Leaf) {
        out.AluRegImm(0, X86Emitter::kRsp, frameSize_, true);
    }
    for (auto reg = saved_.rbegin(); reg != saved_.rend(); ++reg) {
        out.Pop(*reg);
    }
    if (frame_ == Frame::BasePointer) {
        out.Pop(X86Emitter::kRbp);
    }
    out.Ret();
}

void FunctionWriter::compareAndBranch(X86Emitter& out) {
    const int reg = anyRegister();
    if (random_.Below(2) == 0) {
        out.AluRegReg(0x85, reg, reg, random_.Below(2) == 0);
    } else {
        out.AluRegImm(7, reg, static_cast<std::int32_t>(immediate() & 0x3FF), true);
    }
    const int condition = random_.Between(2, 15);
    if (random_.Below(5) == 0) {
        out.JccRel32(condition, random_.Between(-4000, 4000));
    } else {
        out.JccRel8(condition, static_cast<std::int8_t>(random_.Between(-90, 110)));
    }
}

void FunctionWriter::floatingPoint(X86Emitter& out) {
    const int xmm = random_.Between(0, 3);
    out.MovsdRegRip(xmm, pick(data_.Constants()));
    out.Cvtsi2sd(xmm + 1, anyRegister());
    out.SseRegReg(pick(std::vector<std::uint8_t>{0x58, 0x59, 0x5C, 0x5E}), xmm, xmm + 1);
    if (random_.Below(2) == 0) {
        out.Cvttsd2si(X86Emitter::kRax, xmm);
    }
}

void FunctionWriter::instruction(X86Emitter& out, std::uint32_t origin) {
    // Every draw is its own statement: the order in which a compiler
    // evaluates call arguments must not change the bytes.
    const int base = frame_ == Frame::BasePointer ? X86Emitter::kRbp : X86Emitter::kRsp;
    const int kind = static_cast<int>(random_.Below(24));
    const bool wide = random_.Below(3) != 0;
    const int first = anyRegister();
    const int second = anyRegister();
    const int slot = local();
    const std::uint32_t value = immediate();
    const int small = random_.Between(1, 100);
    switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3:
        out.MovRegMem(first, base, slot, wide);
        break;
    case 4:
    case 5:
    case 6:
        out.MovMemReg(base, slot, first, wide);
        break;
    case 7:
    case 8:
        out.MovRegReg(first, second, wide);
        break;
    case 9:
        out.MovRegImm32(first, value);
        break;
    case 10:
        out.AluRegReg(pick(std::vector<std::uint8_t>{0x01, 0x09, 0x21, 0x29, 0x31}), first, second,
                      wide);
        break;
    case 11:
        out.AluRegImm(pick(std::vector<int>{0, 1, 4, 5, 6}), first,
                      static_cast<std::int32_t>(value), wide);
        break;
    case 12:
        out.LeaRegRip(small % 3, pick(data_.Texts()));
        break;
    case 13:
    case 14:
        out.CallRel(callTarget(origin));
        break;
    case 15:
        out.MovRegReg(X86Emitter::kRcx, first, true);
        out.CallRip(pick(data_.ImportSlots()));
        break;
    case 16:
    case 17:
        compareAndBranch(out);
        break;
    case 18:
        out.MovzxRegMemByte(first, pick(std::vector<int>{0, 1, 2, 6, 7}), small % 41);
        break;
    case 19:
        out.LeaRegMem(first, pick(std::vector<int>{0, 1, 3, 4, 5}), small * 3 - 64);
        break;
    case 20:
        if (small % 2 == 0) {
            out.ShiftRegImm(pick(std::vector<int>{4, 5, 7}), first,
                            static_cast<std::uint8_t>(small % 31 + 1), wide);
        } else {
            out.ImulRegRegImm(first, second, static_cast<std::int8_t>(small + 2), wide);
        }
        break;
    case 21:
        out.Setcc(small % 14 + 2, first);
        out.Cmovcc((small * 7) % 14 + 2, second, first);
        break;
    case 22:
        floatingPoint(out);
        break;
    default:
        if (small % 2 == 0) {
            out.MovMemImm32(base, slot, value, wide);
        } else {
            out.AluRegReg(0x31, X86Emitter::kRax, X86Emitter::kRax, false);
            out.JmpRel8(static_cast<std::int8_t>(small + 2));
        }
        break;
    }
}

std::vector<std::uint8_t> FunctionWriter::Write(std::uint32_t origin) {
    X86Emitter out(origin);
    prologue(out);
    const int length = frame_ == Frame::Leaf ? random_.Between(2, 12) : random_.Between(10, 140);
    for (int i = 0; i < length; ++i) {
        instruction(out, origin);
    }
    epilogue(out);
    return out.Bytes();
}
