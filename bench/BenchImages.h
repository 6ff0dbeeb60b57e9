#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlet::bench {

// The images every benchmark measures, built by one helper and written once to
// the temporary folder.
enum class BenchImage {
    Sample,          // the expanded sample: typical dialogue
    Worst,           // pointer records at 4000-byte blocks, raw ranges without end codes,
                     // an expanded area of one-byte blocks (8000 rows at the capacity)
    DenseDictionary, // 767 strings of 24 letters; every pointer block is 2000 references
                     // (about 48,000 characters shown)
};

std::vector<std::uint8_t> buildBenchImage(BenchImage which);
// The image's file, written on first use.
const std::string& benchImagePath(BenchImage which);
const char* benchImageName(BenchImage which);

} // namespace scrivlet::bench
