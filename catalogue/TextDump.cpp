#include "TextDump.h"

#include "TextCatalogue.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/TempFile.h"
#include "text/TextDecoder.h"

namespace scrivlet {

namespace {
// A text file's line end on this platform, as a stream in text mode writes it.
#ifdef _WIN32
constexpr std::string_view LineEnd = "\r\n";
#else
constexpr std::string_view LineEnd = "\n";
#endif
} // namespace

bool writeDump(RomFile& rom, const TextCatalogue& catalogue, const std::function<bool(std::string_view)>& emit)
{
    constexpr std::size_t Piece = 64 * 1024;
    std::string buffer;
    buffer.reserve(Piece * 2);
    DecodedText decoded;
    for (int row = 0; row < catalogue.count; ++row) {
        const auto address = static_cast<std::uint32_t>(catalogue.rows[static_cast<std::size_t>(row)].snesAddress);
        decodeTextInto(rom, snesToFileOffset(address), true, decoded);
        // Appended as bytes, not as a C string: a text may hold a NUL character (game byte 0x30).
        buffer.append(decoded.text);
        buffer.append(LineEnd);
        if (buffer.size() >= Piece) {
            if (!emit(buffer))
                return false;
            buffer.clear();
        }
    }
    return buffer.empty() || emit(buffer);
}

bool writeDump(RomFile& rom, const TextCatalogue& catalogue, std::FILE* out)
{
    return writeDump(rom, catalogue,
        [out](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size(); });
}

bool writeDumpFile(RomFile& rom, const TextCatalogue& catalogue, const std::string& path)
{
    // Whole or not at all, as a ROM is written: never a device or a pipe
    // (which could not be put back), never the open ROM itself.
    if (!isReplaceableTarget(path) || (!rom.path().empty() && sameFile(path, rom.path())))
        return false;
    const std::string target = resolvedPath(path);
    TempFile temp;
    if (!temp.create(target))
        return false;
    temp.copyPermissionsFrom(target);
    const auto toTemp = [&temp](std::string_view piece) {
        return temp.writeAll(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
    };
    return writeDump(rom, catalogue, toTemp) && temp.commit(target, true);
}

} // namespace scrivlet
