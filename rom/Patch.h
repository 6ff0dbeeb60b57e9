#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace scrivlet {

// The two patch formats ROM hackers share: IPS (records of bytes at offsets,
// with run-length records for runs of one byte) and BPS (copy and read actions
// with CRC-32 checks of the source, the target and the patch itself).
enum class PatchFormat { Ips, Bps };

// The format a file name asks for by its extension (".ips", ".bps", any case).
std::optional<PatchFormat> patchFormatOf(const std::string& fileName);

// The patch that turns `original` into `modified`. IPS can only grow a file or
// keep its size (offsets below 16 MiB); nullopt when `modified` cannot be
// described in the format.
std::optional<std::vector<std::uint8_t>> makePatch(PatchFormat format, std::span<const std::uint8_t> original,
    std::span<const std::uint8_t> modified);

// No image a patch makes or reads is larger than this (an SNES image is at
// most a few MiB); a patch that claims more is refused before anything is
// allocated for it.
inline constexpr std::size_t PatchMaxImageBytes = 16 * 1024 * 1024;

struct PatchResult {
    std::vector<std::uint8_t> output;
    std::string error; // empty on success: why the patch was refused
};

// Applies a patch of either format, told apart by its header. Memory stays
// within a small multiple of the real result, whatever the patch claims.
PatchResult applyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch);

} // namespace scrivlet
