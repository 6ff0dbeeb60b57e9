#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

// A character table: text that printed bytes 20-FF stand for, overriding what
// the program shows for them both ways. Decoding shows an entry's text for its
// byte; encoding writes the byte of the longest entry text that matches (of
// two entries with the same text, the first line's).
class CharacterTable {
public:
    struct Match {
        std::uint8_t byte = 0;
        std::size_t length = 0; // bytes of the text matched
    };

    bool empty() const { return count_ == 0; }
    int entryCount() const { return count_; }
    bool has(int byte) const { return byte >= 0 && byte < 256 && !texts_[static_cast<std::size_t>(byte)].empty(); }
    // The entry's text of `byte`; empty when the table has none.
    const std::string& text(int byte) const { return texts_[static_cast<std::size_t>(byte & 0xFF)]; }
    // The longest entry text that `text` holds at `at`.
    std::optional<Match> matchAt(std::string_view text, std::size_t at) const;

    // Adds an entry; false when the byte has one already.
    bool add(std::uint8_t byte, std::string text);

    // Where the table came from (a path), for the notes that name it.
    std::string source;

private:
    std::array<std::string, 256> texts_{};
    // Entry texts by their first byte, longest first, then in line order.
    std::array<std::vector<std::uint8_t>, 256> byFirst_{};
    int count_ = 0;
};

// A table read from a file's text, or why it was refused: "line 4: ...".
struct TableParse {
    std::optional<CharacterTable> table;
    std::string refusal;
};
TableParse parseCharacterTable(std::string_view contents);

// A table file may hold at most this many bytes (an entry per byte is a few kilobytes).
inline constexpr std::uintmax_t TableFileMaxBytes = 256 * 1024;

// Reads and parses the table at `path`. A file that cannot be read is
// refused with a sentence naming it.
TableParse readCharacterTable(const std::string& path);

// The table beside an image: the image's path with its extension replaced by ".tbl".
std::string tablePathBeside(const std::string& romPath);
// Reads the table beside an image; nullopt when there is no file of that name.
std::optional<TableParse> readTableBeside(const std::string& romPath);

// The table every decode and encode of this process reads (empty: none).
CharacterTable& currentCharacterTable();

// "Using the character table ptrlist.tbl (12 entries)."
std::string tableInUseNote(const CharacterTable& table);

} // namespace scrivlet
