#pragma once

#include <cstdint>
#include <span>

namespace scrivlet {

// The CRC-32 of zip and PNG (reflected, polynomial 0xEDB88320), as BPS patches carry it.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

} // namespace scrivlet
