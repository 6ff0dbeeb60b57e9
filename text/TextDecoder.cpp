#include "TextDecoder.h"

#include "rom/RomFile.h"

namespace scrivlet {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& out, int byte)
{
    out.push_back(HexDigits[(byte >> 4) & 0xF]);
    out.push_back(HexDigits[byte & 0xF]);
}

// Reads bytes from memory with the file's end-of-file value past the end.
class MemoryReader {
public:
    explicit MemoryReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    int readByte() { return pos_ < bytes_.size() ? bytes_[pos_++] : -1; }
    int peekByte(int ahead) const
    {
        const std::size_t at = pos_ + static_cast<std::size_t>(ahead);
        return at < bytes_.size() ? bytes_[at] : -1;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// In the decoder a read past the end of the file is the byte 0xFF.
template <typename Reader>
int nextByte(Reader& reader)
{
    return reader.readByte() & 0xFF;
}

template <typename Reader>
DecodedText decodeFrom(Reader& reader, bool showCodes, const CompressionDictionary& dictionary)
{
    DecodedText result;
    std::string& text = result.text;
    bool groupOpen = false;
    while (result.size < DecodeByteLimit) {
        const int b = nextByte(reader);
        const ByteClass kind = classifyByte(b);
        if (kind != ByteClass::ControlCode && groupOpen && showCodes) {
            text.push_back(']');
            groupOpen = false;
        }
        if (kind == ByteClass::Character) {
            text.push_back(static_cast<char>(b - CharacterOffset));
            result.size += 1;
            continue;
        }
        if (kind == ByteClass::DictionaryReference) {
            const int index = nextByte(reader);
            text.append(dictionary.slot((b - 0x15) * 256 + index));
            result.size += 2;
            continue;
        }
        result.size += 1;
        if (showCodes) {
            text.push_back(groupOpen ? ' ' : '[');
            appendHexByte(text, b);
        }
        groupOpen = true;
        // The sub-code is looked at, not consumed: where it takes no arguments
        // it is read next as an item of its own.
        const int arguments = controlArgumentCount(b, [&](int k) { return reader.peekByte(k) & 0xFF; });
        for (int i = 0; i < arguments; ++i) {
            const int argument = nextByte(reader);
            if (showCodes) {
                text.push_back(' ');
                appendHexByte(text, argument);
            }
        }
        result.size += arguments;
        // 0x19 takes 25 argument bytes only with sub-code 0x02, which ends the block.
        if (b == EndCode || (b == 0x19 && arguments == 25))
            break;
    }
    if (groupOpen && showCodes)
        text.push_back(']');
    return result;
}

} // namespace

DecodedText decodeText(RomFile& rom, std::int32_t fileOffset, bool showCodes, const CompressionDictionary& dictionary)
{
    rom.seek(fileOffset);
    return decodeFrom(rom, showCodes, dictionary);
}

DecodedText decodeBytes(std::span<const std::uint8_t> bytes, bool showCodes, const CompressionDictionary& dictionary)
{
    MemoryReader reader(bytes);
    return decodeFrom(reader, showCodes, dictionary);
}

std::string renderCodesOnly(RomFile& rom, std::int32_t fileOffset, int size)
{
    rom.seek(fileOffset);
    std::string text = "[";
    if (size <= 0)
        return "[]"; // no byte to show (the decoder always gives at least one)
    text.reserve(static_cast<std::size_t>(size) * 3 + 1);
    for (int i = 0; i < size; ++i) {
        const int byte = rom.readByte();
        if (byte < 0)
            text.append("FFFFFFFF");
        else
            appendHexByte(text, byte);
        text.push_back(' ');
    }
    text.back() = ']';
    return text;
}

} // namespace scrivlet
