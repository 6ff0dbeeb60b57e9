#include "CharacterTable.h"

#include "TextLines.h"
#include "Utf8.h"
#include "rom/NativeFile.h"
#include "rom/TempFile.h"

#include <cctype>
#include <cstdio>

namespace scrivlet {

std::optional<CharacterTable::Match> CharacterTable::matchAt(std::string_view text, std::size_t at) const
{
    if (at >= text.size())
        return std::nullopt;
    for (std::uint8_t byte : byFirst_[static_cast<unsigned char>(text[at])]) {
        const std::string& entry = texts_[byte];
        if (text.compare(at, entry.size(), entry) == 0)
            return Match{byte, entry.size()};
    }
    return std::nullopt;
}

bool CharacterTable::add(std::uint8_t byte, std::string text)
{
    if (!texts_[byte].empty() || text.empty())
        return false;
    texts_[byte] = std::move(text);
    auto& candidates = byFirst_[static_cast<unsigned char>(texts_[byte][0])];
    // Longest first; among equal lengths the earlier entry stays in front.
    auto at = candidates.begin();
    while (at != candidates.end() && texts_[*at].size() >= texts_[byte].size())
        ++at;
    candidates.insert(at, byte);
    ++count_;
    return true;
}

namespace {

std::string hexByte(unsigned byte)
{
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", byte & 0xFF);
    return hex;
}

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Why one line of a table cannot be an entry; empty when it can.
std::string lineFault(std::string_view line, std::string_view& hex, std::string_view& text)
{
    const std::string quoted = "\"" + std::string(line) + "\"";
    if (line[0] == '*' || line[0] == '/')
        return quoted + " is a line-break or end-of-text entry; Scrivlet writes control codes as bracket groups, "
                        "so a table holds only HEX=TEXT lines";
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return quoted + " is not HEX=TEXT";
    hex = line.substr(0, equals);
    text = line.substr(equals + 1);
    for (char c : hex)
        if (!isHex(c))
            return "\"" + std::string(hex) + "\" before \"=\" is not hexadecimal";
    if (hex.size() != 2)
        return hex.empty() ? "there is no byte before \"=\""
                           : "\"" + std::string(hex) + "\" is not one byte (two hex digits); only single bytes stand for text";
    const unsigned byte = static_cast<unsigned>(std::stoul(std::string(hex), nullptr, 16));
    if (byte < 0x20)
        return "byte " + hexByte(byte) + " is a control code; only bytes 20 to FF stand for text";
    if (text.empty())
        return "byte " + hexByte(byte) + " has no text after \"=\"";
    if (text.find_first_of("[]") != std::string_view::npos)
        return "the text of byte " + hexByte(byte) + " holds \"[\" or \"]\", which begin and end control codes";
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = utf8CharAt(text, i);
        if (!c.valid)
            return "the text of byte " + hexByte(byte) + " is not UTF-8";
        if (c.value < 0x20 || c.value == 0x7F)
            return "the text of byte " + hexByte(byte) + " holds a control character (" + describeChar(text, i) + ")";
        i += c.length;
    }
    return {};
}

} // namespace

TableParse parseCharacterTable(std::string_view contents)
{
    TableParse result;
    CharacterTable table;
    std::array<int, 256> lineOf{};
    if (contents.substr(0, 3) == "\xEF\xBB\xBF")
        contents.remove_prefix(3); // a byte-order mark some editors write
    const bool whole = forEachLine(contents, [&](int number, std::string_view line) {
        if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#')
            return true;
        std::string_view hex, text;
        std::string fault = lineFault(line, hex, text);
        if (fault.empty()) {
            const auto byte = static_cast<std::uint8_t>(std::stoul(std::string(hex), nullptr, 16));
            if (table.add(byte, std::string(text)))
                lineOf[byte] = number;
            else
                fault = "byte " + hexByte(byte) + " is given a second time (first on line " + std::to_string(lineOf[byte]) + ")";
        }
        if (!fault.empty())
            result.refusal = "line " + std::to_string(number) + ": " + fault;
        return fault.empty();
    });
    if (!whole)
        return result;
    result.table = std::move(table);
    return result;
}

TableParse readCharacterTable(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    TableParse result;
    switch (readWholeFile(path, TableFileMaxBytes, bytes)) {
    case ReadFileError::None: break;
    case ReadFileError::NotRegularFile: result.refusal = "it is not a regular file"; return result;
    case ReadFileError::TooLarge: result.refusal = "it is larger than 256 KiB, far more than a table of 224 bytes needs"; return result;
    case ReadFileError::CannotRead: result.refusal = "it cannot be read"; return result;
    }
    result = parseCharacterTable(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (result.table)
        result.table->source = path;
    return result;
}

namespace {

// Paths stay UTF-8 strings on every system, so they are cut by hand.
std::size_t nameStart(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

std::string tablePathBeside(const std::string& romPath)
{
    const std::size_t name = nameStart(romPath);
    const std::size_t dot = romPath.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > name;
    return (hasExtension ? romPath.substr(0, dot) : romPath) + ".tbl";
}

std::optional<TableParse> readTableBeside(const std::string& romPath)
{
    const std::string path = tablePathBeside(romPath);
    native::FileInfo info;
    if (!native::pathInfo(path, info))
        return std::nullopt;
    return readCharacterTable(path);
}

CharacterTable& currentCharacterTable()
{
    static CharacterTable table;
    return table;
}

std::string tableInUseNote(const CharacterTable& table)
{
    const std::string name = table.source.substr(nameStart(table.source));
    const int n = table.entryCount();
    return "Using the character table " + name + " (" + std::to_string(n) + (n == 1 ? " entry)." : " entries).");
}

} // namespace scrivlet
