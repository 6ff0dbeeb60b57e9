#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet::testing {

// Game bytes of plain characters: each display character + 0x30.
std::vector<std::uint8_t> gameText(std::string_view characters);
// Joins byte runs, e.g. bytes({gameText("Hi"), {0x02}}).
std::vector<std::uint8_t> bytes(std::initializer_list<std::vector<std::uint8_t>> parts);

// A synthetic headered HiROM image, built in memory and written to a file.
class TestImage {
public:
    explicit TestImage(std::size_t size, std::string_view title = "EARTH BOUND (J)", std::uint8_t fill = 0x00);

    void setTitle(std::string_view title); // the 15 bytes at 0x101C0, cut or as given
    // Display strings stored one after another at 0x8BE3E, each ended by 0x00.
    void setDictionary(const std::vector<std::string>& strings);
    void setTptRecord(int index, std::uint32_t textPointer, int spriteNumber, int movementNumber);
    void put(std::size_t offset, const std::vector<std::uint8_t>& data);

    std::vector<std::uint8_t>& data() { return data_; }
    const std::vector<std::uint8_t>& data() const { return data_; }

    std::filesystem::path writeTo(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> data_;
};

// A fresh folder, removed with its contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The real-window tests' images. Four pointer rows: "Hello", "Go to Onett!"
// (a dictionary string), "Hi", "AAAA".
TestImage fourRowImage();
// One pointer row whose dictionary string holds A, a lone line feed (game byte
// 0x3A), B, a lone carriage return (0x3D), C.
TestImage loneLineBreaksImage();
// Seven pointer rows (record 6 shares row 0's block, "Target" at $C51B12) and
// codes that point at it: row 1 jumps there (0A), row 2 calls it (08), row 3
// lists it (09, read only as the game groups codes), row 4 holds it after an
// option string (19 02, the same), row 5 lists it (1F C0).
TestImage referencesImage();
// An image with a font and a dialogue window 12 x 8 tiles (80 pixels of text,
// 3 lines). Every glyph is 8 pixels wide but W (12), i (4) and the space (4);
// A's glyph is a box: its top row and left column set. Pointer rows:
// 0 "AAAAAAAAAA[00]AB" (80 pixels: fits), 1 "AAAAAAAAAAA[01]WW" (88),
// 2 "[1C 02 01]AAA" (a name: 5 x 12, then 24), 3 "[15 01]" (a 12-letter
// dictionary string), 4 row 1's block again.
TestImage fontImage();
// Writes the font of fontImage() into `image` (at least 0x211F00 bytes).
void putTestFont(TestImage& image);

#ifndef _WIN32
// A file this process may not open for writing while the object lives: its
// write permission taken away, or, for the superuser whom permissions do not
// stop, the file made immutable.
class Unwritable {
public:
    explicit Unwritable(std::filesystem::path path);
    ~Unwritable();
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

private:
    std::filesystem::path path_;
    bool immutable_ = false;
};
#endif

std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
// Another program changes one byte of a file this one has open for update.
// Where the lock keeps other writers out (Windows) it saves the way editors
// do: the file moved aside, the changed copy put under its name.
void changeAsAnotherProgram(const std::filesystem::path& path, std::size_t offset, std::uint8_t byte);
std::string readTextFile(const std::filesystem::path& path);

} // namespace scrivlet::testing
