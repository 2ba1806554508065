#include "testinput/X86Emitter.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kOrigin = 0x1000;
constexpr int kR9 = 9;
constexpr int kR10 = 10;
constexpr int kR12 = 12;
constexpr int kR13 = 13;

struct Encoding {
    const char* name;
    std::function<void(X86Emitter&)> emit;
    std::vector<std::uint8_t> bytes;
};

// Expected bytes as objdump decodes them.
const Encoding kEncodings[] = {
    {"mov rax,[rbp-8]",
     [](X86Emitter& e) { e.MovRegMem(0, 5, -8, true); },
     {0x48, 0x8B, 0x45, 0xF8}},
    {"mov r9,[rsp+0x38]",
     [](X86Emitter& e) { e.MovRegMem(kR9, 4, 0x38, true); },
     {0x4C, 0x8B, 0x4C, 0x24, 0x38}},
    {"mov [rbp],ebx", [](X86Emitter& e) { e.MovMemReg(5, 0, 3, false); }, {0x89, 0x5D, 0x00}},
    {"mov rax,[r13]",
     [](X86Emitter& e) { e.MovRegMem(0, kR13, 0, true); },
     {0x49, 0x8B, 0x45, 0x00}},
    {"mov rcx,[r12]",
     [](X86Emitter& e) { e.MovRegMem(1, kR12, 0, true); },
     {0x49, 0x8B, 0x0C, 0x24}},
    {"mov edx,[rbx+0x200]",
     [](X86Emitter& e) { e.MovRegMem(2, 3, 0x200, false); },
     {0x8B, 0x93, 0x00, 0x02, 0x00, 0x00}},
    {"mov r10d,imm32",
     [](X86Emitter& e) { e.MovRegImm32(kR10, 0x12345678); },
     {0x41, 0xBA, 0x78, 0x56, 0x34, 0x12}},
    {"mov qword [rsp+0x80],imm32",
     [](X86Emitter& e) { e.MovMemImm32(4, 0x80, 0xBF6, true); },
     {0x48, 0xC7, 0x84, 0x24, 0x80, 0x00, 0x00, 0x00, 0xF6, 0x0B, 0x00, 0x00}},
    {"sub rsp,0x188",
     [](X86Emitter& e) { e.AluRegImm(5, 4, 0x188, true); },
     {0x48, 0x81, 0xEC, 0x88, 0x01, 0x00, 0x00}},
    {"add rsp,0x28",
     [](X86Emitter& e) { e.AluRegImm(0, 4, 0x28, true); },
     {0x48, 0x83, 0xC4, 0x28}},
    {"xor rdx,rbx", [](X86Emitter& e) { e.AluRegReg(0x31, 2, 3, true); }, {0x48, 0x31, 0xDA}},
    {"push r12; pop rbp",
     [](X86Emitter& e) {
         e.Push(kR12);
         e.Pop(5);
     },
     {0x41, 0x54, 0x5D}},
    {"sete sil", [](X86Emitter& e) { e.Setcc(X86Emitter::kEqual, 6); }, {0x40, 0x0F, 0x94, 0xC6}},
    {"setne cl", [](X86Emitter& e) { e.Setcc(X86Emitter::kNotEqual, 1); }, {0x0F, 0x95, 0xC1}},
    {"cmovb r9,rdx", [](X86Emitter& e) { e.Cmovcc(2, kR9, 2); }, {0x4C, 0x0F, 0x42, 0xCA}},
    {"movzx eax,byte [rdi+0x17]",
     [](X86Emitter& e) { e.MovzxRegMemByte(0, 7, 0x17); },
     {0x0F, 0xB6, 0x47, 0x17}},
    {"imul rdi,rax,13",
     [](X86Emitter& e) { e.ImulRegRegImm(7, 0, 13, true); },
     {0x48, 0x6B, 0xF8, 0x0D}},
    {"shl eax,5", [](X86Emitter& e) { e.ShiftRegImm(4, 0, 5, false); }, {0xC1, 0xE0, 0x05}},
    {"call forward", [](X86Emitter& e) { e.CallRel(0x2000); }, {0xE8, 0xFB, 0x0F, 0x00, 0x00}},
    {"call backward", [](X86Emitter& e) { e.CallRel(0x0F00); }, {0xE8, 0xFB, 0xFE, 0xFF, 0xFF}},
    {"lea rcx,[rip+x]",
     [](X86Emitter& e) { e.LeaRegRip(1, 0x1100); },
     {0x48, 0x8D, 0x0D, 0xF9, 0x00, 0x00, 0x00}},
    {"movsd xmm1,[rip+x]",
     [](X86Emitter& e) { e.MovsdRegRip(1, 0x1100); },
     {0xF2, 0x0F, 0x10, 0x0D, 0xF8, 0x00, 0x00, 0x00}},
    {"call [rip+x]",
     [](X86Emitter& e) { e.CallRip(0x1100); },
     {0xFF, 0x15, 0xFA, 0x00, 0x00, 0x00}},
    {"jmp [rip+x] after a byte",
     [](X86Emitter& e) {
         e.Ret();
         e.JmpRip(0x1100);
     },
     {0xC3, 0xFF, 0x25, 0xF9, 0x00, 0x00, 0x00}},
    {"cvtsi2sd xmm2,eax", [](X86Emitter& e) { e.Cvtsi2sd(2, 0); }, {0xF2, 0x0F, 0x2A, 0xD0}},
    {"divsd xmm1,xmm2", [](X86Emitter& e) { e.SseRegReg(0x5E, 1, 2); }, {0xF2, 0x0F, 0x5E, 0xCA}},
    {"jne -83", [](X86Emitter& e) { e.JccRel8(X86Emitter::kNotEqual, -83); }, {0x75, 0xAD}},
    {"jnp rel32",
     [](X86Emitter& e) { e.JccRel32(11, -1237); },
     {0x0F, 0x8B, 0x2B, 0xFB, 0xFF, 0xFF}},
};

TEST(X86EmitterTest, EncodesInstructions) {
    for (const Encoding& encoding : kEncodings) {
        X86Emitter emitter(kOrigin);
        encoding.emit(emitter);
        EXPECT_EQ(emitter.Bytes(), encoding.bytes) << encoding.name;
        EXPECT_EQ(emitter.Position(), kOrigin + encoding.bytes.size()) << encoding.name;
    }
}

TEST(X86EmitterTest, NopHasTheRequestedLength) {
    for (int length = 1; length <= 9; ++length) {
        X86Emitter emitter(0);
        emitter.Nop(length);
        ASSERT_EQ(emitter.Bytes().size(), static_cast<std::size_t>(length));
        // Every multi-byte form starts with 0F 1F or 66; the single byte is 90.
        const std::uint8_t first = emitter.Bytes()[0];
        EXPECT_TRUE(first == 0x0F || first == 0x66 || (length == 1 && first == 0x90)) << length;
    }
}

} // namespace
