#include "TextDecoder.h"

#include "CharacterTable.h"
#include "CodeGrouping.h"
#include "Utf8.h"

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

// A dictionary string as the table shows it: each of its characters stands
// for the byte (character + 0x30) mod 256.
void appendThroughTable(std::string& out, std::string_view slot, const CharacterTable& table)
{
    for (std::size_t k = 0; k < slot.size();) {
        const Utf8Char c = utf8CharAt(slot, k);
        const int b = static_cast<int>((c.value + CharacterOffset) & 0xFF);
        if (table.has(b))
            out += table.text(b);
        else
            out.append(slot.substr(k, c.length));
        k += c.length;
    }
}

// In the decoder a read past the end of the file is the byte 0xFF.
template <typename Reader>
int nextByte(Reader& reader)
{
    return reader.readByte() & 0xFF;
}

// The one decode loop. With `text` null only the size is counted; with
// `stopAt` the text ends once it holds that many characters (the size is then
// not complete).
template <typename Reader>
int decodeFrom(Reader& reader, bool showCodes, const CompressionDictionary& dictionary, CodeGrouping grouping,
    std::string* text, std::size_t stopAt = std::string::npos, int byteLimit = DecodeByteLimit)
{
    const bool codes = showCodes && text;
    const CharacterTable& table = currentCharacterTable();
    int size = 0;
    bool groupOpen = false;
    while (size < byteLimit) {
        if (text && text->size() >= stopAt)
            return size;
        const int b = nextByte(reader);
        const ByteClass kind = table.has(b) ? ByteClass::Character : classifyByte(b);
        if (kind != ByteClass::ControlCode && groupOpen && codes) {
            text->push_back(']');
            groupOpen = false;
        }
        if (kind == ByteClass::Character) {
            if (text && table.has(b))
                text->append(table.text(b));
            else if (text)
                text->push_back(static_cast<char>(b - CharacterOffset));
            size += 1;
            continue;
        }
        if (kind == ByteClass::DictionaryReference) {
            const int index = nextByte(reader);
            if (text && table.empty())
                text->append(dictionary.slot((b - 0x15) * 256 + index));
            else if (text)
                appendThroughTable(*text, dictionary.slot((b - 0x15) * 256 + index), table);
            size += 2;
            continue;
        }
        size += 1;
        if (codes) {
            text->push_back(groupOpen ? ' ' : '[');
            appendHexByte(*text, b);
        }
        groupOpen = true;
        // The sub-code is looked at, not consumed: where it takes no arguments
        // it is read next as an item of its own.
        const CodeSpan span = codeSpan(grouping, b, [&](int k) { return reader.peekByte(k); }, byteLimit - size + 1);
        for (int i = 1; i < span.length; ++i) {
            const int argument = nextByte(reader);
            if (codes) {
                text->push_back(' ');
                appendHexByte(*text, argument);
            }
        }
        size += span.length - 1;
        if (span.endsBlock)
            break;
    }
    if (groupOpen && codes)
        text->push_back(']');
    return size;
}

} // namespace

DecodedText decodeText(RomFile& rom, std::int32_t fileOffset, bool showCodes, const CompressionDictionary& dictionary,
    CodeGrouping grouping)
{
    DecodedText result;
    decodeTextInto(rom, fileOffset, showCodes, result, dictionary, grouping);
    return result;
}

void decodeTextInto(RomFile& rom, std::int32_t fileOffset, bool showCodes, DecodedText& result,
    const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    result.text.clear();
    rom.seek(fileOffset);
    result.size = decodeFrom(rom, showCodes, dictionary, grouping, &result.text);
}

int decodeSize(RomFile& rom, std::int32_t fileOffset, const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    rom.seek(fileOffset);
    return decodeFrom(rom, false, dictionary, grouping, nullptr);
}

void decodePlainStart(RomFile& rom, std::int32_t fileOffset, std::size_t maxChars, std::string& text,
    const CompressionDictionary& dictionary, CodeGrouping grouping)
{
    text.clear();
    rom.seek(fileOffset);
    decodeFrom(rom, false, dictionary, grouping, &text, maxChars);
    if (text.size() > maxChars)
        text.resize(maxChars);
}

DecodedText decodeBytes(std::span<const std::uint8_t> bytes, bool showCodes, const CompressionDictionary& dictionary,
    int byteLimit, CodeGrouping grouping)
{
    MemoryReader reader(bytes);
    DecodedText result;
    result.size = decodeFrom(reader, showCodes, dictionary, grouping, &result.text, std::string::npos, byteLimit);
    return result;
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
