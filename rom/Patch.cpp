#include "Patch.h"

#include "Crc32.h"

#include <algorithm>
#include <cctype>

namespace scrivlet {

namespace {

// ---- IPS -------------------------------------------------------------------

constexpr std::uint32_t IpsMaxOffset = 0xFFFFFF;
constexpr std::uint32_t IpsEofOffset = 0x454F46; // "EOF": no record may start here
constexpr std::size_t IpsMaxRecord = 0xFFFF;
// A run of one byte this long is cheaper as a run-length record (8 bytes) than
// inside a literal record that must then be split (5 more bytes of header).
constexpr std::size_t IpsRunWorthIt = 14;
// Unchanged bytes shorter than a record header are carried inside the record.
constexpr std::size_t IpsGapCarried = 5;

void put24(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
void put16(std::vector<std::uint8_t>& out, std::size_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

std::size_t runAt(std::span<const std::uint8_t> data, std::size_t at, std::size_t end)
{
    std::size_t n = 1;
    while (at + n < end && data[at + n] == data[at] && n < IpsMaxRecord)
        ++n;
    return n;
}

// Emits [start, end) of `modified` as literal and run-length records.
void ipsRegion(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> modified, std::size_t start, std::size_t end)
{
    std::size_t at = start;
    while (at < end) {
        const std::size_t run = runAt(modified, at, end);
        if (run >= IpsRunWorthIt && at != IpsEofOffset) {
            put24(out, static_cast<std::uint32_t>(at));
            put16(out, 0);
            put16(out, run);
            out.push_back(modified[at]);
            at += run;
            continue;
        }
        // A literal record up to the next run worth its own record.
        std::size_t stop = at;
        while (stop < end && stop - at < IpsMaxRecord) {
            if (stop > at && runAt(modified, stop, end) >= IpsRunWorthIt)
                break;
            ++stop;
        }
        std::size_t from = at;
        if (from == IpsEofOffset)
            --from; // take the byte before along rather than start at "EOF"
        put24(out, static_cast<std::uint32_t>(from));
        put16(out, stop - from);
        out.insert(out.end(), modified.begin() + static_cast<std::ptrdiff_t>(from), modified.begin() + static_cast<std::ptrdiff_t>(stop));
        at = stop;
    }
}

std::optional<std::vector<std::uint8_t>> makeIps(std::span<const std::uint8_t> original, std::span<const std::uint8_t> modified)
{
    if (modified.size() > IpsMaxOffset + 1)
        return std::nullopt;
    // Past the original's end a patcher fills what no record writes with zeros:
    // only other bytes, and the last one (which gives the file its size), are written.
    const auto differs = [&](std::size_t i) {
        return i < original.size() ? modified[i] != original[i] : modified[i] != 0 || i + 1 == modified.size();
    };
    std::vector<std::uint8_t> out{'P', 'A', 'T', 'C', 'H'};
    std::size_t i = 0;
    while (i < modified.size()) {
        if (!differs(i)) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < modified.size()) {
            if (differs(j)) {
                ++j;
                continue;
            }
            std::size_t gap = 0;
            while (j + gap < modified.size() && !differs(j + gap) && gap <= IpsGapCarried)
                ++gap;
            if (gap > IpsGapCarried || j + gap >= modified.size())
                break;
            j += gap;
        }
        ipsRegion(out, modified, i, j);
        i = j;
    }
    out.insert(out.end(), {'E', 'O', 'F'});
    if (modified.size() < original.size())
        put24(out, static_cast<std::uint32_t>(modified.size())); // the truncation extension
    return out;
}

const std::string TooLargeResult = "The patch would make an image larger than 16 MiB; no image is that large.";
const std::string EmptyResult = "The patch would make an empty file; no image is empty.";

PatchResult applyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch)
{
    if (source.size() > PatchMaxImageBytes)
        return {{}, TooLargeResult};
    PatchResult result;
    result.output.assign(source.begin(), source.end());
    std::size_t at = 5;
    const auto need = [&](std::size_t n) { return at + n <= patch.size(); };
    // The output grows only to what a record really writes, within the cap.
    const auto reach = [&](std::size_t end) {
        if (end > PatchMaxImageBytes)
            return false;
        if (result.output.size() < end)
            result.output.resize(end);
        return true;
    };
    for (;;) {
        if (!need(3))
            return {{}, "The IPS patch ends without its EOF mark."};
        if (patch[at] == 'E' && patch[at + 1] == 'O' && patch[at + 2] == 'F') {
            at += 3;
            if (at != patch.size()) {
                if (patch.size() - at != 3)
                    return {{}, "The IPS patch has bytes after its EOF mark."};
                const std::size_t size = static_cast<std::size_t>(patch[at]) << 16 | static_cast<std::size_t>(patch[at + 1]) << 8 | patch[at + 2];
                // Truncation shortens a file; it never makes one longer.
                if (size > result.output.size())
                    return {{}, "The IPS patch is damaged: it truncates the file to a size larger than the file."};
                result.output.resize(size);
            }
            if (result.output.empty())
                return {{}, EmptyResult};
            return result;
        }
        if (!need(5))
            return {{}, "An IPS record is cut short."};
        const std::size_t offset = static_cast<std::size_t>(patch[at]) << 16 | static_cast<std::size_t>(patch[at + 1]) << 8 | patch[at + 2];
        const std::size_t size = static_cast<std::size_t>(patch[at + 3]) << 8 | patch[at + 4];
        at += 5;
        if (size == 0) {
            if (!need(3))
                return {{}, "An IPS run-length record is cut short."};
            const std::size_t run = static_cast<std::size_t>(patch[at]) << 8 | patch[at + 1];
            const std::uint8_t value = patch[at + 2];
            at += 3;
            if (run == 0)
                return {{}, "The IPS patch is damaged: a run-length record has no bytes."};
            if (!reach(offset + run))
                return {{}, TooLargeResult};
            std::fill_n(result.output.begin() + static_cast<std::ptrdiff_t>(offset), run, value);
        } else {
            if (!need(size))
                return {{}, "An IPS record is cut short."};
            if (!reach(offset + size))
                return {{}, TooLargeResult};
            std::copy_n(patch.begin() + static_cast<std::ptrdiff_t>(at), size, result.output.begin() + static_cast<std::ptrdiff_t>(offset));
            at += size;
        }
    }
}

// ---- BPS -------------------------------------------------------------------

enum BpsAction : std::uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };
constexpr std::size_t BpsMinCopy = 6;
// The match tables have about twice as many slots as the larger image has
// bytes, at most 2^20: a small patch costs little to make.
constexpr int MaxHashBits = 20;

int hashBitsFor(std::size_t bytes)
{
    int bits = 8;
    while (bits < MaxHashBits && (std::size_t{1} << bits) < 2 * bytes)
        ++bits;
    return bits;
}

void putNumber(std::vector<std::uint8_t>& out, std::uint64_t data)
{
    for (;;) {
        const std::uint8_t x = data & 0x7F;
        data >>= 7;
        if (data == 0) {
            out.push_back(0x80 | x);
            return;
        }
        out.push_back(x);
        --data;
    }
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::size_t hashAt(std::span<const std::uint8_t> data, std::size_t at, int bits)
{
    const std::uint32_t v = static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8
        | static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
    return (v * 2654435761u) >> (32 - bits);
}

// Bytes of `to` from `at` equal to `from` from `start` (which may overlap `at` when both are the target).
std::size_t matchLength(std::span<const std::uint8_t> from, std::size_t start, std::span<const std::uint8_t> to, std::size_t at)
{
    std::size_t n = 0;
    while (start + n < from.size() && at + n < to.size() && from[start + n] == to[at + n])
        ++n;
    return n;
}

void putRelative(std::vector<std::uint8_t>& out, std::int64_t delta)
{
    putNumber(out, static_cast<std::uint64_t>(delta < 0 ? -delta : delta) << 1 | (delta < 0 ? 1 : 0));
}

std::vector<std::uint8_t> makeBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target)
{
    std::vector<std::uint8_t> out{'B', 'P', 'S', '1'};
    putNumber(out, source.size());
    putNumber(out, target.size());
    putNumber(out, 0); // no metadata

    const int bits = hashBitsFor(std::max(source.size(), target.size()));
    std::vector<std::int64_t> sourceAt(std::size_t{1} << bits, -1);
    for (std::size_t p = 0; p + 4 <= source.size(); ++p)
        sourceAt[hashAt(source, p, bits)] = static_cast<std::int64_t>(p);
    std::vector<std::int64_t> targetAt(std::size_t{1} << bits, -1);

    std::int64_t sourceRelative = 0, targetRelative = 0;
    std::size_t literalFrom = 0, i = 0;
    const auto flushLiteral = [&] {
        if (i > literalFrom) {
            putNumber(out, (i - literalFrom - 1) << 2 | TargetRead);
            out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(literalFrom), target.begin() + static_cast<std::ptrdiff_t>(i));
        }
    };
    const auto remember = [&](std::size_t from, std::size_t to) {
        for (std::size_t p = from; p < to && p + 4 <= target.size(); ++p)
            targetAt[hashAt(target, p, bits)] = static_cast<std::int64_t>(p);
    };
    while (i < target.size()) {
        std::size_t length = i < source.size() ? matchLength(source, i, target, i) : 0;
        BpsAction action = SourceRead;
        std::int64_t copyFrom = 0;
        if (length < BpsMinCopy && i + 4 <= target.size()) {
            const std::size_t h = hashAt(target, i, bits);
            if (const std::int64_t c = targetAt[h]; c >= 0) {
                const std::size_t n = matchLength(target, static_cast<std::size_t>(c), target, i);
                if (n > length)
                    length = n, action = TargetCopy, copyFrom = c;
            }
            if (const std::int64_t c = sourceAt[h]; c >= 0) {
                const std::size_t n = matchLength(source, static_cast<std::size_t>(c), target, i);
                if (n > length)
                    length = n, action = SourceCopy, copyFrom = c;
            }
        }
        if (length < (action == SourceRead ? 4 : BpsMinCopy)) {
            remember(i, i + 1);
            ++i;
            continue;
        }
        flushLiteral();
        putNumber(out, (length - 1) << 2 | action);
        if (action == SourceCopy) {
            putRelative(out, copyFrom - sourceRelative);
            sourceRelative = copyFrom + static_cast<std::int64_t>(length);
        } else if (action == TargetCopy) {
            putRelative(out, copyFrom - targetRelative);
            targetRelative = copyFrom + static_cast<std::int64_t>(length);
        }
        remember(i, i + length);
        i += length;
        literalFrom = i;
    }
    flushLiteral();
    put32(out, crc32(source));
    put32(out, crc32(target));
    put32(out, crc32(out));
    return out;
}

std::uint32_t get32(std::span<const std::uint8_t> data, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | data[at + static_cast<std::size_t>(i)];
    return v;
}

PatchResult applyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch)
{
    const std::string malformed = "The BPS patch is damaged.";
    if (patch.size() < 4 + 3 + 12)
        return {{}, malformed};
    if (crc32(patch.first(patch.size() - 4)) != get32(patch, patch.size() - 4))
        return {{}, "The BPS patch is damaged: its own checksum does not match."};
    const std::size_t end = patch.size() - 12;
    std::size_t at = 4;
    bool ok = true;
    const auto number = [&]() -> std::uint64_t {
        std::uint64_t data = 0, shift = 1;
        while (ok) {
            if (at >= end || shift > (std::uint64_t{1} << 56)) {
                ok = false;
                break;
            }
            const std::uint8_t x = patch[at++];
            data += (x & 0x7F) * shift;
            if (x & 0x80)
                break;
            shift <<= 7;
            data += shift;
        }
        return data;
    };
    const std::uint64_t sourceSize = number(), targetSize = number(), metadataSize = number();
    if (!ok || metadataSize > end - at)
        return {{}, malformed};
    if (sourceSize > PatchMaxImageBytes || targetSize > PatchMaxImageBytes || source.size() > PatchMaxImageBytes)
        return {{}, TooLargeResult};
    if (targetSize == 0)
        return {{}, EmptyResult};
    at += metadataSize;
    if (sourceSize != source.size() || crc32(source) != get32(patch, end))
        return {{}, "The BPS patch is for another original: the original's checksum does not match."};

    // The target grows as actions write it, so a patch that only claims a
    // large result costs nothing.
    std::vector<std::uint8_t> target;
    target.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(targetSize, source.size() + (end - at))));
    std::int64_t sourceRelative = 0, targetRelative = 0;
    while (ok && at < end) {
        const std::uint64_t command = number();
        const std::uint64_t length = (command >> 2) + 1;
        const std::size_t outAt = target.size();
        if (!ok || length > targetSize - outAt)
            return {{}, malformed};
        const auto n = static_cast<std::size_t>(length);
        switch (command & 3) {
        case SourceRead:
            if (outAt + n > source.size())
                return {{}, malformed};
            target.insert(target.end(), source.begin() + static_cast<std::ptrdiff_t>(outAt),
                source.begin() + static_cast<std::ptrdiff_t>(outAt + n));
            break;
        case TargetRead:
            if (n > end - at)
                return {{}, malformed};
            target.insert(target.end(), patch.begin() + static_cast<std::ptrdiff_t>(at), patch.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
            break;
        case SourceCopy:
        case TargetCopy: {
            const std::uint64_t data = number();
            const bool fromSource = (command & 3) == SourceCopy;
            std::int64_t& relative = fromSource ? sourceRelative : targetRelative;
            // A target copy may only read bytes already written (it may overlap what it writes).
            const std::size_t limit = fromSource ? source.size() : outAt;
            // Both ends stay within the image, so the sum below cannot overflow.
            const std::uint64_t distance = data >> 1;
            if (!ok || distance > PatchMaxImageBytes)
                return {{}, malformed};
            relative += (data & 1) ? -static_cast<std::int64_t>(distance) : static_cast<std::int64_t>(distance);
            if (relative < 0 || static_cast<std::uint64_t>(relative) >= limit
                || (fromSource && static_cast<std::uint64_t>(relative) + n > source.size()))
                return {{}, malformed};
            for (std::size_t k = 0; k < n; ++k) {
                const std::uint8_t b = fromSource ? source[static_cast<std::size_t>(relative) + k] : target[static_cast<std::size_t>(relative) + k];
                target.push_back(b);
            }
            relative += static_cast<std::int64_t>(n);
            break;
        }
        }
    }
    if (!ok || target.size() != targetSize)
        return {{}, malformed};
    if (crc32(target) != get32(patch, end + 4))
        return {{}, "The BPS patch is damaged: the result's checksum does not match."};
    return {std::move(target), {}};
}

} // namespace

std::optional<PatchFormat> patchFormatOf(const std::string& fileName)
{
    if (fileName.size() < 4)
        return std::nullopt;
    std::string extension = fileName.substr(fileName.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".ips")
        return PatchFormat::Ips;
    if (extension == ".bps")
        return PatchFormat::Bps;
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> makePatch(PatchFormat format, std::span<const std::uint8_t> original,
    std::span<const std::uint8_t> modified)
{
    return format == PatchFormat::Ips ? makeIps(original, modified) : std::optional(makeBps(original, modified));
}

PatchResult applyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch)
{
    const auto startsWith = [&](const char* magic, std::size_t n) {
        return patch.size() >= n && std::equal(magic, magic + n, patch.begin());
    };
    if (startsWith("PATCH", 5))
        return applyIps(source, patch);
    if (startsWith("BPS1", 4))
        return applyBps(source, patch);
    return {{}, "This is neither an IPS nor a BPS patch."};
}

} // namespace scrivlet
