#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Writes x86-64 instructions as bytes. Registers are numbered 0 to 15 (rax,
// rcx, rdx, rbx, rsp, rbp, rsi, rdi, r8 ... r15); wide = 64-bit operands.
// Targets of jumps, calls and rip-relative operands are offsets in the
// section, whose first byte this emitter's first byte is placed at origin.
class X86Emitter {
  public:
    explicit X86Emitter(std::uint32_t origin) : origin_(origin) {}

    static constexpr int kRax = 0;
    static constexpr int kRcx = 1;
    static constexpr int kRsp = 4;
    static constexpr int kRbp = 5;

    // Condition codes of jcc, setcc and cmovcc.
    static constexpr int kEqual = 4;
    static constexpr int kNotEqual = 5;

    const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }
    // Section offset of the next byte.
    std::uint32_t Position() const;

    void Push(int reg);
    void Pop(int reg);
    void Ret();
    void Leave();
    void Int3();
    // Multi-byte no-op of 1 to 9 bytes.
    void Nop(int length);

    void MovRegReg(int dst, int src, bool wide);
    void MovRegMem(int reg, int base, int disp, bool wide);
    void MovMemReg(int base, int disp, int reg, bool wide);
    void MovRegImm32(int reg, std::uint32_t value);
    void MovMemImm32(int base, int disp, std::uint32_t value, bool wide);
    void MovzxRegMemByte(int reg, int base, int disp);
    void LeaRegMem(int reg, int base, int disp);
    void LeaRegRip(int reg, std::uint32_t target);

    // op: 0x01 add, 0x09 or, 0x21 and, 0x29 sub, 0x31 xor, 0x39 cmp, 0x85 test.
    void AluRegReg(std::uint8_t op, int dst, int src, bool wide);
    // group: 0 add, 1 or, 4 and, 5 sub, 6 xor, 7 cmp.
    void AluRegImm(int group, int reg, std::int32_t value, bool wide);
    // group: 4 shl, 5 shr, 7 sar.
    void ShiftRegImm(int group, int reg, std::uint8_t count, bool wide);
    void ImulRegRegImm(int dst, int src, std::int8_t value, bool wide);
    void Setcc(int condition, int reg);
    void Cmovcc(int condition, int dst, int src);

    void CallRel(std::uint32_t target);
    void CallRip(std::uint32_t slot);
    void JmpRip(std::uint32_t slot);
    void JmpRel8(std::int8_t displacement);
    void JccRel8(int condition, std::int8_t displacement);
    void JccRel32(int condition, std::int32_t displacement);

    // Scalar double arithmetic: op 0x58 add, 0x59 mul, 0x5C sub, 0x5E div.
    void SseRegReg(std::uint8_t op, int dst, int src);
    void MovsdRegRip(int xmm, std::uint32_t target);
    void Cvtsi2sd(int xmm, int reg);
    void Cvttsd2si(int reg, int xmm);

  private:
    void byte(std::uint8_t value);
    void raw(std::initializer_list<std::uint8_t> values);
    void imm32(std::uint32_t value);
    void rex(bool wide, int reg, int rm, bool always);
    void modRmReg(int reg, int rm);
    void modRmMem(int reg, int base, int disp);
    void ripDisp(std::uint32_t target, int trailing);

    std::uint32_t origin_;
    std::vector<std::uint8_t> bytes_;
};
