#pragma once

namespace scrivlet {

inline constexpr int EndCode = 0x02;

enum class ByteClass { Character, DictionaryReference, ControlCode };

constexpr ByteClass classifyByte(int b)
{
    if (b >= 0x50 && b <= 0xAA)
        return ByteClass::Character;
    if (b >= 0x15 && b <= 0x17)
        return ByteClass::DictionaryReference;
    return ByteClass::ControlCode;
}

// Argument bytes after control code `code`. For the codes with sub-codes the
// count includes the sub-code; `peek(k)` gives the byte k places after the
// code without consuming it (only the sub-code and, for 1F C0, the byte after).
template <typename Peek>
int controlArgumentCount(int code, Peek&& peek)
{
    switch (code) {
    case 0x04: case 0x05: case 0xC6: return 2;
    case 0x06: return 6;
    case 0x07: case 0x0D: case 0x0E: case 0x10: case 0x18: case 0x1A: return 1;
    case 0x08: case 0x0A: return 4;
    case 0x1E: return 3;
    case 0x19:
        switch (peek(0)) {
        case 0x05: case 0x10: return 4;
        case 0x22: return 5;
        case 0x02: return 25;
        default: return 0;
        }
    case 0x1B:
        switch (peek(0)) {
        case 0x02: case 0x03: return 5;
        case 0x00: case 0x01: case 0x04: return 1;
        default: return 4;
        }
    case 0x1C:
        switch (peek(0)) {
        case 0x04: case 0x0D: case 0x0E: return 1;
        default: return 2;
        }
    case 0x1D:
        switch (peek(0)) {
        case 0x05: return 9;
        case 0x08: case 0x09: return 2;
        case 0x03: case 0x0E: return 3;
        case 0x14: case 0x15: return 5;
        default: return 0;
        }
    case 0x1F:
        switch (peek(0)) {
        case 0x00: case 0x16: case 0x1B: case 0x1E: return 3;
        case 0x02: case 0x21: case 0x23: case 0x41: return 2;
        case 0x1A: return 6;
        case 0x61: return 5;
        case 0xC0: return 2 + 4 * peek(1);
        case 0xF1: return 4;
        default: return 1;
        }
    default: return 0;
    }
}

} // namespace scrivlet
