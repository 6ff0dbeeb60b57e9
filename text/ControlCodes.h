#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

// What the game's control codes are: one row per code, or per code and
// sub-code, from the table built into the program (control-codes.tsv).
struct ControlCodeInfo {
    int code = 0;
    int subCode = -1;        // -1: the row of the code alone
    std::string bytes;       // "1C 02"
    std::string gameLength;  // as the table writes it: "3", "2+4n", "3+k/7+k"
    int editorLength = 0;    // what the classic grouping takes; 0 for a formula (1F C0)
    std::string kind, name, description;
    // Where text addresses sit (code byte = 0): each a 4-byte little-endian
    // SNES address. A counted list (countAt >= 0) has `count` of them from
    // addressAt[0]; 19 02 has one after the 01 that ends its string.
    std::vector<int> addressAt;
    int countAt = -1;
    bool addressAfterString = false;
    bool conditional = false;
    int inserts = 0; // for codes that print variable text: the widest text, in characters
};

class ControlCodeTable {
public:
    // Parses the table's text (a header line, then tab-separated rows; lines
    // starting with # are comments). Throws std::runtime_error on a malformed row.
    explicit ControlCodeTable(std::string_view tsv);

    const std::vector<ControlCodeInfo>& rows() const { return rows_; }
    // The row of `code` with `subCode` when the code has sub-code rows, else the
    // row of the code alone; null when there is none.
    const ControlCodeInfo* find(int code, int subCode) const;
    // Whether the code's rows are per sub-code (18, 19, 1A, ...).
    bool hasSubCodes(int code) const { return code >= 0 && code < 32 && withSubCodes_[static_cast<std::size_t>(code)]; }

private:
    std::vector<ControlCodeInfo> rows_;
    std::vector<int> single_;                 // row index by code, -1 for none
    std::vector<std::vector<int>> bySubCode_; // row index by code and sub-code
    std::vector<bool> withSubCodes_;
};

// The table built into the program.
const ControlCodeTable& controlCodeTable();

// How a code and its argument bytes are grouped. Classic is the editor's own
// fixed argument table; Game reads each code as the game does.
enum class CodeGrouping { Classic, Game };

// The grouping every decode uses unless told otherwise; the window's option
// and the command line's --codes set it.
CodeGrouping& currentCodeGrouping();

} // namespace scrivlet
