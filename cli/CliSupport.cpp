#include "CliSupport.h"

#include "text/CharacterTable.h"
#include "text/TextEncoder.h"

#include "edit/Messages.h"
#include "rom/RomAddress.h"
#include "rom/RomIdentity.h"
#include "rom/TempFile.h"
#include "text/CompressionDictionary.h"

#include <cstdio>
#include <iostream>

namespace scrivlet::cli {

std::optional<Arguments> parseArguments(const CommandSpec& spec, const std::vector<std::string>& words, int& exitCode)
{
    Arguments args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h") {
            printUsage(spec);
            exitCode = ExitOk;
            return std::nullopt;
        }
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            const std::string name = word.substr(2);
            if (spec.flags.count(name)) {
                args.flags.insert(name);
            } else if (spec.valued.count(name)) {
                if (i + 1 >= words.size()) {
                    exitCode = usageError(spec, "The option " + word + " needs a value.");
                    return std::nullopt;
                }
                args.options[name] = words[++i];
            } else {
                exitCode = usageError(spec, "Unknown option " + word + ".");
                return std::nullopt;
            }
        } else {
            args.positional.push_back(word);
        }
    }
    if (args.positional.size() != spec.positionals) {
        exitCode = usageError(spec, args.positional.size() < spec.positionals ? "Missing arguments." : "Too many arguments.");
        return std::nullopt;
    }
    return args;
}

void printUsage(const CommandSpec& spec)
{
    std::cout << "Usage: scrivlet-cli " << spec.usage << "\n\n" << spec.help << "\n";
}

int usageError(const CommandSpec& spec, const std::string& sentence)
{
    std::cerr << sentence << "\nUsage: scrivlet-cli " << spec.usage << "\n";
    return ExitUsage;
}

int refuse(const std::string& sentence)
{
    std::string line = sentence;
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    std::cerr << line << "\n";
    return ExitRefused;
}

std::optional<std::uint32_t> parseSnesAddress(const std::string& text)
{
    std::string digits = text;
    if (!digits.empty() && digits[0] == '$')
        digits.erase(0, 1);
    else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.erase(0, 2);
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

std::optional<long long> parseInteger(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t used = 0;
    try {
        const long long value = std::stoll(text, &used, 10); // 64 bits everywhere (a long is 32 on Windows)
        if (used != text.size())
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

bool isCatalogueRow(long long rowNumber, const TextCatalogue& catalogue) { return rowNumber >= 1 && rowNumber <= catalogue.count; }

std::optional<ListingSource> sourceOption(const Arguments& args, int& exitCode, const CommandSpec& spec)
{
    ListingSource source = ListingSource::PointerTable;
    if (const std::string* word = args.option("source"); word && !parseListingSource(*word, source)) {
        exitCode = usageError(spec, "The source must be pointer, raw or expanded, not " + *word + ".");
        return std::nullopt;
    }
    return source;
}

bool openAcceptedRom(const std::string& path, RomFile::Access access, RomFile& rom, int& exitCode)
{
    if (!rom.open(path, access)) {
        if (rom.openError() == OpenError::NotRegularFile)
            exitCode = refuse(messages::NotRegularFile);
        else if (rom.openError() == OpenError::Locked)
            exitCode = refuse(messages::RomLocked);
        else
            exitCode = refuse("The ROM file " + path + " cannot be opened"
                + (access == RomFile::Access::Update ? " for update." : "."));
        return false;
    }
    const RomType type = identifyRom(rom);
    if (type == RomType::Mother2) {
        exitCode = refuse(messages::Mother2Rom);
        return false;
    }
    if (!isAcceptedRomType(type)) {
        exitCode = refuse(messages::UnrecognizedRom);
        return false;
    }
    return true;
}

bool readInputFile(const std::string& path, const char* what, std::uintmax_t maxBytes, std::vector<std::uint8_t>& bytes,
    int& exitCode)
{
    const std::string name = std::string(what) + " " + path;
    switch (readWholeFile(path, maxBytes, bytes)) {
    case ReadFileError::None: return true;
    case ReadFileError::NotRegularFile: exitCode = refuse(name + " cannot be read: it is not a regular file."); break;
    case ReadFileError::TooLarge:
        exitCode = refuse(name + " is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MiB.");
        break;
    case ReadFileError::CannotRead: exitCode = refuse(name + " cannot be read."); break;
    }
    return false;
}

bool readTextFile(const std::string& path, std::string& text, int& exitCode)
{
    std::vector<std::uint8_t> bytes;
    if (!readInputFile(path, "The text file", TextFileMaxBytes, bytes, exitCode))
        return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

bool textOption(const CommandSpec& spec, const Arguments& args, std::string& text, int& exitCode)
{
    if (args.has("text") == args.has("text-file")) {
        exitCode = usageError(spec, "Give either --text or --text-file.");
        return false;
    }
    if (const std::string* inline_ = args.option("text")) {
        text = *inline_;
        return true;
    }
    return readTextFile(*args.option("text-file"), text, exitCode);
}

bool encodeGameText(const std::string& text, std::vector<std::uint8_t>& bytes, int& exitCode)
{
    EncodedText encoded = encodeDisplayText(text, OtherCharacters::Refused);
    if (encoded.fault) {
        const std::string why = textFaultSentence(text, *encoded.fault) + ".";
        exitCode = refuse(encoded.fault->kind == TextFault::Brackets ? std::string(messages::BracketError) + " " + why : why);
        return false;
    }
    bytes = std::move(encoded.bytes);
    return true;
}

void buildListing(RomFile& rom, TextCatalogue& catalogue, ListingSource source)
{
    loadDictionary(rom);
    fillCatalogue(catalogue, rom, source);
}

bool chooseCharacterTable(const Arguments& args, const std::string* romPath, int& exitCode)
{
    CharacterTable& table = currentCharacterTable();
    table = CharacterTable{};
    std::optional<TableParse> read;
    const std::string* given = args.option("table");
    if (given && *given == "none")
        return true;
    if (given)
        read = readCharacterTable(*given);
    else if (romPath)
        read = readTableBeside(*romPath);
    if (!read)
        return true;
    if (!read->table) {
        const std::string path = given ? *given : tablePathBeside(*romPath);
        exitCode = refuse("The character table " + path + " cannot be used: " + read->refusal
            + (given ? "." : ". Mend it, or give --table none to read the text without it."));
        return false;
    }
    table = std::move(*read->table);
    return true;
}

bool CommandStart::begin(const CommandSpec& spec, const std::vector<std::string>& words, StartsWith reach,
    const std::function<bool(CommandStart&)>& checkFirst)
{
    exitCode = ExitOk;
    auto parsed = parseArguments(spec, words, exitCode);
    if (!parsed)
        return false;
    args = std::move(*parsed);
    if (spec.valued.count("source")) {
        const auto chosen = sourceOption(args, exitCode, spec);
        if (!chosen)
            return false;
        source = *chosen;
    }
    if (spec.valued.count("codes")) {
        const std::string* codes = args.option("codes");
        if (codes && *codes != "classic" && *codes != "game") {
            exitCode = usageError(spec, "--codes takes classic or game.");
            return false;
        }
        grouping = codes && *codes == "game" ? CodeGrouping::Game : CodeGrouping::Classic;
        currentCodeGrouping() = grouping; // every decode of this command reads codes so
    }
    if (spec.valued.count("table")
        && !chooseCharacterTable(args, reach == StartsWith::Words ? nullptr : &args.positional[0], exitCode))
        return false;
    if (checkFirst && !checkFirst(*this))
        return false;
    if (reach == StartsWith::Words)
        return true;
    if (!openAcceptedRom(args.positional[0], access, rom, exitCode))
        return false;
    if (reach == StartsWith::Listing)
        buildListing(rom, textCatalogue(), source);
    return true;
}

std::optional<Target> resolveTarget(const CommandSpec& spec, const Arguments& args, RomFile& rom,
    TextCatalogue& catalogue, int& exitCode, bool outsideIsTheWritesToRefuse)
{
    const std::string* address = args.option("address");
    const std::string* row = args.option("row");
    if ((address != nullptr) == (row != nullptr)) {
        exitCode = usageError(spec, "Give either --address or --row.");
        return std::nullopt;
    }
    const auto source = sourceOption(args, exitCode, spec);
    if (!source)
        return std::nullopt;
    if (address) {
        const auto snes = parseSnesAddress(*address);
        if (!snes) {
            exitCode = usageError(spec, "The address " + *address + " is not a hexadecimal SNES address.");
            return std::nullopt;
        }
        const std::int32_t offset = snesToFileOffset(*snes);
        if (!outsideIsTheWritesToRefuse && (offset < 0 || offset >= rom.size())) {
            exitCode = refuse("The address " + *address + " lies outside the ROM file (file offset " + hexOffset(offset)
                + ", the file has " + std::to_string(rom.size()) + " bytes), so there is no text there.");
            return std::nullopt;
        }
        loadDictionary(rom);
        return Target{offset, -1};
    }
    const auto index = parseInteger(*row);
    if (!index) {
        exitCode = usageError(spec, "The row " + *row + " is not a number.");
        return std::nullopt;
    }
    buildListing(rom, catalogue, *source);
    if (!isCatalogueRow(*index, catalogue)) {
        exitCode = refuse("The listing has no row " + *row + "; its rows are 1 to " + std::to_string(catalogue.count) + ".");
        return std::nullopt;
    }
    const auto& entry = catalogue.rows[static_cast<std::size_t>(*index - 1)];
    return Target{snesToFileOffset(static_cast<std::uint32_t>(entry.snesAddress)), static_cast<int>(*index - 1)};
}

std::string hexAddress(std::uint32_t snesAddress) { return dollarAddress(snesAddress); }

std::string hexOffset(std::int64_t offset)
{
    char buf[24];
    if (offset < 0)
        std::snprintf(buf, sizeof buf, "-0x%llX", static_cast<unsigned long long>(-offset));
    else
        std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(offset));
    return buf;
}

// OUT is a new file written whole: never one of the inputs, never a device.
bool acceptableOutput(const std::string& out, const std::vector<const std::string*>& inputs, const char* role, int& exitCode)
{
    for (const std::string* input : inputs)
        if (sameFile(*input, out)) {
            exitCode = refuse(std::string("OUT must be another file than ") + role + ": " + out + " is the same file as " + *input + ".");
            return false;
        }
    if (!isReplaceableTarget(out)) {
        exitCode = refuse("OUT must be a regular file or a new file name: " + out + " is not a regular file.");
        return false;
    }
    return true;
}

} // namespace scrivlet::cli
