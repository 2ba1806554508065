#include "testinput/X86Emitter.h"

std::uint32_t X86Emitter::Position() const {
    return origin_ + static_cast<std::uint32_t>(bytes_.size());
}

void X86Emitter::byte(std::uint8_t value) {
    bytes_.push_back(value);
}

void X86Emitter::raw(std::initializer_list<std::uint8_t> values) {
    bytes_.insert(bytes_.end(), values);
}

void X86Emitter::imm32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void X86Emitter::rex(bool wide, int reg, int rm, bool always) {
    const int value = 0x40 | (wide ? 8 : 0) | ((reg & 8) ? 4 : 0) | ((rm & 8) ? 1 : 0);
    if (value != 0x40 || always) {
        byte(static_cast<std::uint8_t>(value));
    }
}

void X86Emitter::modRmReg(int reg, int rm) {
    byte(static_cast<std::uint8_t>(0xC0 | ((reg & 7) << 3) | (rm & 7)));
}

void X86Emitter::modRmMem(int reg, int base, int disp) {
    const bool small = disp >= -128 && disp <= 127;
    // [rbp] and [r13] have no form without a displacement.
    const int mode = (disp == 0 && (base & 7) != kRbp) ? 0 : (small ? 1 : 2);
    byte(static_cast<std::uint8_t>((mode << 6) | ((reg & 7) << 3) | (base & 7)));
    if ((base & 7) == kRsp) {
        byte(0x24);
    }
    if (mode == 1) {
        byte(static_cast<std::uint8_t>(disp));
    } else if (mode == 2) {
        imm32(static_cast<std::uint32_t>(disp));
    }
}

void X86Emitter::ripDisp(std::uint32_t target, int trailing) {
    const std::uint32_t next = Position() + 4 + static_cast<std::uint32_t>(trailing);
    imm32(target - next);
}

void X86Emitter::Push(int reg) {
    rex(false, 0, reg, false);
    byte(static_cast<std::uint8_t>(0x50 | (reg & 7)));
}

void X86Emitter::Pop(int reg) {
    rex(false, 0, reg, false);
    byte(static_cast<std::uint8_t>(0x58 | (reg & 7)));
}

void X86Emitter::Ret() {
    byte(0xC3);
}

void X86Emitter::Leave() {
    byte(0xC9);
}

void X86Emitter::Int3() {
    byte(0xCC);
}

void X86Emitter::Nop(int length) {
    switch (length) {
    case 1:
        raw({0x90});
        break;
    case 2:
        raw({0x66, 0x90});
        break;
    case 3:
        raw({0x0F, 0x1F, 0x00});
        break;
    case 4:
        raw({0x0F, 0x1F, 0x40, 0x00});
        break;
    case 5:
        raw({0x0F, 0x1F, 0x44, 0x00, 0x00});
        break;
    case 6:
        raw({0x66, 0x0F, 0x1F, 0x44, 0x00, 0x00});
        break;
    case 7:
        raw({0x0F, 0x1F, 0x80, 0x00, 0x00, 0x00, 0x00});
        break;
    case 8:
        raw({0x0F, 0x1F, 0x84, 0x00, 0x00, 0x00, 0x00, 0x00});
        break;
    default:
        raw({0x66, 0x0F, 0x1F, 0x84, 0x00, 0x00, 0x00, 0x00, 0x00});
        break;
    }
}

void X86Emitter::MovRegReg(int dst, int src, bool wide) {
    AluRegReg(0x89, dst, src, wide);
}

void X86Emitter::MovRegMem(int reg, int base, int disp, bool wide) {
    rex(wide, reg, base, false);
    byte(0x8B);
    modRmMem(reg, base, disp);
}

void X86Emitter::MovMemReg(int base, int disp, int reg, bool wide) {
    rex(wide, reg, base, false);
    byte(0x89);
    modRmMem(reg, base, disp);
}

void X86Emitter::MovRegImm32(int reg, std::uint32_t value) {
    rex(false, 0, reg, false);
    byte(static_cast<std::uint8_t>(0xB8 | (reg & 7)));
    imm32(value);
}

void X86Emitter::MovMemImm32(int base, int disp, std::uint32_t value, bool wide) {
    rex(wide, 0, base, false);
    byte(0xC7);
    modRmMem(0, base, disp);
    imm32(value);
}

void X86Emitter::MovzxRegMemByte(int reg, int base, int disp) {
    rex(false, reg, base, false);
    raw({0x0F, 0xB6});
    modRmMem(reg, base, disp);
}

void X86Emitter::LeaRegMem(int reg, int base, int disp) {
    rex(true, reg, base, false);
    byte(0x8D);
    modRmMem(reg, base, disp);
}

void X86Emitter::LeaRegRip(int reg, std::uint32_t target) {
    rex(true, reg, 0, false);
    byte(0x8D);
    byte(static_cast<std::uint8_t>(0x05 | ((reg & 7) << 3)));
    ripDisp(target, 0);
}

void X86Emitter::AluRegReg(std::uint8_t op, int dst, int src, bool wide) {
    rex(wide, src, dst, false);
    byte(op);
    modRmReg(src, dst);
}

void X86Emitter::AluRegImm(int group, int reg, std::int32_t value, bool wide) {
    rex(wide, 0, reg, false);
    const bool small = value >= -128 && value <= 127;
    byte(small ? 0x83 : 0x81);
    modRmReg(group, reg);
    if (small) {
        byte(static_cast<std::uint8_t>(value));
    } else {
        imm32(static_cast<std::uint32_t>(value));
    }
}

void X86Emitter::ShiftRegImm(int group, int reg, std::uint8_t count, bool wide) {
    rex(wide, 0, reg, false);
    byte(0xC1);
    modRmReg(group, reg);
    byte(count);
}

void X86Emitter::ImulRegRegImm(int dst, int src, std::int8_t value, bool wide) {
    rex(wide, dst, src, false);
    byte(0x6B);
    modRmReg(dst, src);
    byte(static_cast<std::uint8_t>(value));
}

void X86Emitter::Setcc(int condition, int reg) {
    rex(false, 0, reg, reg >= 4);
    raw({0x0F, static_cast<std::uint8_t>(0x90 | condition)});
    modRmReg(0, reg);
}

void X86Emitter::Cmovcc(int condition, int dst, int src) {
    rex(true, dst, src, false);
    raw({0x0F, static_cast<std::uint8_t>(0x40 | condition)});
    modRmReg(dst, src);
}

void X86Emitter::CallRel(std::uint32_t target) {
    byte(0xE8);
    ripDisp(target, 0);
}

void X86Emitter::CallRip(std::uint32_t slot) {
    raw({0xFF, 0x15});
    ripDisp(slot, 0);
}

void X86Emitter::JmpRip(std::uint32_t slot) {
    raw({0xFF, 0x25});
    ripDisp(slot, 0);
}

void X86Emitter::JmpRel8(std::int8_t displacement) {
    raw({0xEB, static_cast<std::uint8_t>(displacement)});
}

void X86Emitter::JccRel8(int condition, std::int8_t displacement) {
    raw({static_cast<std::uint8_t>(0x70 | condition), static_cast<std::uint8_t>(displacement)});
}

void X86Emitter::JccRel32(int condition, std::int32_t displacement) {
    raw({0x0F, static_cast<std::uint8_t>(0x80 | condition)});
    imm32(static_cast<std::uint32_t>(displacement));
}

void X86Emitter::SseRegReg(std::uint8_t op, int dst, int src) {
    byte(0xF2);
    rex(false, dst, src, false);
    raw({0x0F, op});
    modRmReg(dst, src);
}

void X86Emitter::MovsdRegRip(int xmm, std::uint32_t target) {
    byte(0xF2);
    rex(false, xmm, 0, false);
    raw({0x0F, 0x10, static_cast<std::uint8_t>(0x05 | ((xmm & 7) << 3))});
    ripDisp(target, 0);
}

void X86Emitter::Cvtsi2sd(int xmm, int reg) {
    byte(0xF2);
    rex(false, xmm, reg, false);
    raw({0x0F, 0x2A});
    modRmReg(xmm, reg);
}

void X86Emitter::Cvttsd2si(int reg, int xmm) {
    byte(0xF2);
    rex(false, reg, xmm, false);
    raw({0x0F, 0x2C});
    modRmReg(reg, xmm);
}
