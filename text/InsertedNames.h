#pragma once

#include <cstdint>
#include <vector>

namespace scrivlet {

class RomFile;

// Where the image keeps the names that codes print (SNES addresses).
inline constexpr std::uint32_t ItemTableAddress = 0xD55000;
inline constexpr int ItemCount = 254;
inline constexpr int ItemEntrySize = 39;
inline constexpr std::uint32_t EnemyTableAddress = 0xD59589;
inline constexpr int EnemyCount = 231;
inline constexpr int EnemyEntrySize = 94;
inline constexpr int NameLength = 25; // bytes of a name in either table, game text ended by 00

// The names the image holds for codes that print them: item names (1C 05 XX)
// and enemy names (1C 02 XX past the party), as game bytes without their 00.
// Entries past the end of the file are empty.
struct InsertedNames {
    std::vector<std::vector<std::uint8_t>> items;
    std::vector<std::vector<std::uint8_t>> enemies;
};

InsertedNames readInsertedNames(RomFile& rom);

} // namespace scrivlet
