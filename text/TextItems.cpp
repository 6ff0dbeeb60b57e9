#include "TextItems.h"

#include "CharacterTable.h"
#include "CodeGrouping.h"
#include "TextDecoder.h"

#include <algorithm>

namespace scrivlet {

namespace {

std::vector<TextItem> walk(std::span<const std::uint8_t> bytes, CodeGrouping grouping, bool toBlockEnd)
{
    std::vector<TextItem> items;
    const int size = static_cast<int>(bytes.size());
    const CharacterTable& table = currentCharacterTable();
    int at = 0;
    while (at < size && (!toBlockEnd || at < DecodeByteLimit)) {
        const int b = bytes[static_cast<std::size_t>(at)];
        TextItem item{at, 1, table.has(b) ? ByteClass::Character : classifyByte(b)};
        bool ends = false;
        if (item.kind == ByteClass::DictionaryReference) {
            item.length = 2;
        } else if (item.kind == ByteClass::ControlCode) {
            const auto peek = [&](int k) {
                const int p = at + 1 + k;
                return p < size ? bytes[static_cast<std::size_t>(p)] : -1;
            };
            const int room = toBlockEnd ? DecodeByteLimit - at : size - at;
            const CodeSpan span = codeSpan(grouping, b, peek, room);
            item.length = span.length;
            ends = span.endsBlock;
        }
        item.length = std::min(item.length, size - at);
        items.push_back(item);
        at += item.length;
        if (toBlockEnd && ends)
            break;
    }
    return items;
}

std::uint32_t addressAt(std::span<const std::uint8_t> code, int at)
{
    const auto byte = [&](int k) { return static_cast<std::uint32_t>(code[static_cast<std::size_t>(at + k)]); };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

// Where 19 02's string ends in 01, the index of that 01; else -1.
int stringEndingInAddress(std::span<const std::uint8_t> code)
{
    for (std::size_t i = 3; i < code.size(); ++i) {
        if (code[i] == 0x02)
            return -1;
        if (code[i] == 0x01)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

std::vector<TextItem> textItems(std::span<const std::uint8_t> bytes, CodeGrouping grouping)
{
    return walk(bytes, grouping, false);
}

std::vector<TextItem> blockItems(std::span<const std::uint8_t> bytes, CodeGrouping grouping)
{
    return walk(bytes, grouping, true);
}

const ControlCodeInfo* codeRow(std::span<const std::uint8_t> code)
{
    if (code.empty())
        return nullptr;
    return controlCodeTable().find(code[0], code.size() > 1 ? code[1] : -1);
}

std::vector<CodeAddress> codeAddresses(std::span<const std::uint8_t> code, CodeGrouping grouping)
{
    std::vector<CodeAddress> found;
    const ControlCodeInfo* row = codeRow(code);
    if (!row)
        return found;
    const int length = static_cast<int>(code.size());
    const auto take = [&](int at) {
        if (at >= 0 && at + 4 <= length)
            found.push_back({at, addressAt(code, at)});
    };
    if (row->addressAfterString) {
        if (grouping == CodeGrouping::Game) {
            const int one = stringEndingInAddress(code);
            if (one >= 0)
                take(one + 1);
        }
    } else if (row->countAt >= 0 && !row->addressAt.empty()) {
        if (row->countAt < length)
            for (int i = 0; i < code[static_cast<std::size_t>(row->countAt)]; ++i)
                take(row->addressAt[0] + 4 * i);
    } else {
        for (int at : row->addressAt)
            take(at);
    }
    return found;
}

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text.push_back(' ');
        text.push_back(Digits[b >> 4]);
        text.push_back(Digits[b & 0xF]);
    }
    return text;
}

std::string hexGroup(std::span<const std::uint8_t> bytes) { return "[" + hexBytes(bytes) + "]"; }

std::string describeCode(std::span<const std::uint8_t> code)
{
    if (const ControlCodeInfo* row = codeRow(code))
        return row->bytes + " " + row->name + ": " + row->description;
    const bool withSubCode = code.size() > 1 && controlCodeTable().hasSubCodes(code[0]);
    return hexBytes(code.first(withSubCode ? 2 : std::min<std::size_t>(code.size(), 1))) + ": not in the code table";
}

} // namespace scrivlet
