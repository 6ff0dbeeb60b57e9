#include "CodeGrouping.h"
#include "ControlCodes.h"

#include <charconv>
#include <stdexcept>

namespace scrivlet {

extern const std::string_view ControlCodeData;

namespace {

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

bool parseNumber(std::string_view text, int base, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

[[noreturn]] void malformed(int lineNumber, const char* what)
{
    throw std::runtime_error("control code table, line " + std::to_string(lineNumber) + ": " + what);
}

// The game length written as a number, or one of the table's formulas.
int gameLengthValue(std::string_view text, int lineNumber)
{
    int value = 0;
    if (parseNumber(text, 10, value) && value > 0)
        return value;
    if (text == "2+4n")
        return grouping_detail::CountAfterCode;
    if (text == "3+4n")
        return grouping_detail::CountAfterSubCode;
    if (text == "3+k/7+k")
        return grouping_detail::StringThenEnd;
    malformed(lineNumber, "unknown game length");
}

ControlCodeInfo parseRow(std::string_view line, int lineNumber)
{
    const auto fields = splitTabs(line);
    if (fields.size() != 10)
        malformed(lineNumber, "expected 10 fields");
    ControlCodeInfo row;
    row.bytes = std::string(fields[0]);
    if (fields[0].size() == 2 && parseNumber(fields[0], 16, row.code)) {
    } else if (fields[0].size() == 5 && fields[0][2] == ' ' && parseNumber(fields[0].substr(0, 2), 16, row.code)
        && parseNumber(fields[0].substr(3), 16, row.subCode)) {
    } else {
        malformed(lineNumber, "bytes are neither XX nor XX YY");
    }
    if (row.code >= 0x20)
        malformed(lineNumber, "a code must be below 0x20");
    row.gameLength = std::string(fields[1]);
    const int length = gameLengthValue(fields[1], lineNumber);
    if (!parseNumber(fields[2], 10, row.editorLength))
        row.editorLength = gameLengthValue(fields[2], lineNumber) > 0 ? row.editorLength : 0; // a formula
    row.kind = std::string(fields[3]);
    row.name = std::string(fields[4]);
    row.countAt = -1;
    if (!fields[6].empty() && !parseNumber(fields[6], 10, row.countAt))
        malformed(lineNumber, "count_at is no number");
    if (fields[5] == "3+k") {
        row.addressAfterString = true;
    } else if (!fields[5].empty()) {
        int at = 0;
        if (!parseNumber(fields[5], 10, at))
            malformed(lineNumber, "address_at is no number");
        row.addressAt.push_back(at);
        // A fixed-length code carries as many consecutive addresses as it holds
        // (four for the party menus 1A 00 and 1A 01).
        for (int next = at + 4; row.countAt < 0 && length > 0 && next + 4 <= length; next += 4)
            row.addressAt.push_back(next);
    }
    row.conditional = fields[7] == "yes";
    row.description = std::string(fields[8]);
    if (!fields[9].empty() && !parseNumber(fields[9], 10, row.inserts))
        malformed(lineNumber, "inserts is no number");
    return row;
}

} // namespace

ControlCodeTable::ControlCodeTable(std::string_view tsv)
    : single_(32, -1), bySubCode_(32, std::vector<int>(256, -1)), withSubCodes_(32, false)
{
    bool header = true;
    int lineNumber = 0;
    while (!tsv.empty()) {
        const std::size_t end = tsv.find('\n');
        std::string_view line = tsv.substr(0, end);
        tsv.remove_prefix(end == std::string_view::npos ? tsv.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (header) {
            header = false;
            continue;
        }
        ControlCodeInfo row = parseRow(line, lineNumber);
        const auto code = static_cast<std::size_t>(row.code);
        int& slot = row.subCode < 0 ? single_[code] : bySubCode_[code][static_cast<std::size_t>(row.subCode)];
        if (slot >= 0)
            malformed(lineNumber, "a second row for the same bytes");
        slot = static_cast<int>(rows_.size());
        if (row.subCode >= 0)
            withSubCodes_[code] = true;
        rows_.push_back(std::move(row));
    }
}

const ControlCodeInfo* ControlCodeTable::find(int code, int subCode) const
{
    if (code < 0 || code >= 32)
        return nullptr;
    const auto at = static_cast<std::size_t>(code);
    int index = single_[at];
    if (withSubCodes_[at])
        index = subCode >= 0 && subCode < 256 ? bySubCode_[at][static_cast<std::size_t>(subCode)] : -1;
    return index >= 0 ? &rows_[static_cast<std::size_t>(index)] : nullptr;
}

const ControlCodeTable& controlCodeTable()
{
    static const ControlCodeTable table(ControlCodeData);
    return table;
}

CodeGrouping& currentCodeGrouping()
{
    static CodeGrouping grouping = CodeGrouping::Classic;
    return grouping;
}

namespace grouping_detail {

const GameLengths& gameLengths()
{
    static const GameLengths lengths = [] {
        GameLengths built;
        for (const ControlCodeInfo& row : controlCodeTable().rows()) {
            const auto code = static_cast<std::size_t>(row.code);
            const auto length = static_cast<std::int16_t>(gameLengthValue(row.gameLength, 0));
            if (row.subCode < 0) {
                built.single[code] = length;
            } else {
                built.hasSubCodes[code] = true;
                built.bySubCode[code][static_cast<std::size_t>(row.subCode)] = length;
            }
        }
        return built;
    }();
    return lengths;
}

} // namespace grouping_detail

} // namespace scrivlet
