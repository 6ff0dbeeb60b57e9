#include "TestImage.h"

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "catalogue/TptRecord.h"
#include "rom/RomIdentity.h"
#include "text/CompressionDictionary.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace scrivlet::testing {

std::vector<std::uint8_t> gameText(std::string_view characters)
{
    std::vector<std::uint8_t> out;
    for (char c : characters)
        out.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(c) + CharacterOffset));
    return out;
}

std::vector<std::uint8_t> bytes(std::initializer_list<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

TestImage::TestImage(std::size_t size, std::string_view title, std::uint8_t fill) : data_(size, fill)
{
    setTitle(title);
}

void TestImage::setTitle(std::string_view title)
{
    for (int i = 0; i < HeaderTitleLength && i < static_cast<int>(title.size()); ++i) {
        const std::size_t at = static_cast<std::size_t>(HeaderTitleOffset + i);
        if (at < data_.size())
            data_[at] = static_cast<std::uint8_t>(title[static_cast<std::size_t>(i)]);
    }
}

void TestImage::setDictionary(const std::vector<std::string>& strings)
{
    std::vector<std::uint8_t> stored;
    for (const std::string& s : strings) {
        const auto encoded = gameText(s);
        stored.insert(stored.end(), encoded.begin(), encoded.end());
        stored.push_back(0x00);
    }
    put(static_cast<std::size_t>(DictionaryOffset), stored);
}

void TestImage::setTptRecord(int index, std::uint32_t textPointer, int spriteNumber, int movementNumber)
{
    const std::size_t r = static_cast<std::size_t>(TptFirstRecord + TptRecordSize * index);
    put(r + TptRecord::SpriteNumberAt,
        {static_cast<std::uint8_t>(spriteNumber & 0xFF), static_cast<std::uint8_t>((spriteNumber >> 8) & 0xFF)});
    put(r + TptRecord::MovementNumberAt, {static_cast<std::uint8_t>(movementNumber & 0xFF)});
    put(r + TptRecord::TextPointerAt,
        {static_cast<std::uint8_t>(textPointer), static_cast<std::uint8_t>(textPointer >> 8),
            static_cast<std::uint8_t>(textPointer >> 16), static_cast<std::uint8_t>(textPointer >> 24)});
}

void TestImage::put(std::size_t offset, const std::vector<std::uint8_t>& data)
{
    if (offset + data.size() > data_.size())
        throw std::out_of_range("TestImage::put past the end of the image");
    std::copy(data.begin(), data.end(), data_.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::filesystem::path TestImage::writeTo(const std::filesystem::path& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data_.data()), static_cast<std::streamsize>(data_.size()));
    if (!out)
        throw std::runtime_error("cannot write test image " + path.string());
    return path;
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path()
        / ("scrivlet-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

TestImage fourRowImage()
{
    TestImage image(0x100000);
    image.setDictionary({"the ", "Onett"});
    image.put(0x51D12, bytes({gameText("Hello"), {0x02}}));
    image.put(0x51D20, bytes({gameText("Go to "), {0x15, 0x02}, gameText("!"), {0x03, 0x02}}));
    image.put(0x51D40, bytes({gameText("Hi"), {0x02}}));
    image.put(0x51D50, bytes({gameText("AAAA"), {0x02}}));
    image.setTptRecord(0, 0xC51B12, 5, 6);
    image.setTptRecord(1, 0xC51B20, 7, 8);
    image.setTptRecord(2, 0xC51B40, 9, 1);
    image.setTptRecord(3, 0xC51B50, 1, 1);
    return image;
}

TestImage loneLineBreaksImage()
{
    TestImage image(0x100000);
    image.put(0x8BE3E, {0x71, 0x3A, 0x72, 0x3D, 0x73, 0x00});
    image.put(0x51D12, {0x15, 0x01, 0x02, 0x50, 0x50, 0x50});
    image.setTptRecord(0, 0xC51B12, 1, 1);
    return image;
}

TestImage referencesImage()
{
    TestImage image(0x100000);
    const std::vector<std::uint8_t> target{0x12, 0x1B, 0xC5, 0x00}; // $C51B12
    image.put(0x51D12, bytes({gameText("Target"), {0x02}}));
    image.put(0x51D30, bytes({gameText("Go"), {0x0A}, target, gameText("no"), {0x02}}));
    image.put(0x51D40, bytes({{0x08}, target, gameText("x"), {0x02}}));
    image.put(0x51D60, bytes({{0x09, 0x02}, target, {0x30, 0x1B, 0xC5, 0x00}, gameText("y"), {0x02}}));
    image.put(0x51D80, bytes({{0x19, 0x02, 0x71, 0x01}, target, gameText("z"), {0x02}}));
    image.put(0x51DA0, bytes({{0x1F, 0xC0, 0x01}, target, {0x02}}));
    const std::uint32_t rows[] = {0xC51B12, 0xC51B30, 0xC51B40, 0xC51B60, 0xC51B80, 0xC51BA0, 0xC51B12};
    for (int i = 0; i < 7; ++i)
        image.setTptRecord(i, rows[i], 1, 1);
    return image;
}

void putTestFont(TestImage& image)
{
    std::vector<std::uint8_t> widths(96, 8), glyphs(96 * 32, 0x00);
    widths['W' - 0x20] = 12;
    widths['i' - 0x20] = 4;
    widths[0] = 4;
    std::uint8_t* a = glyphs.data() + ('A' - 0x20) * 32;
    a[0] = 0xFF;  // left strip, top row
    a[16] = 0xFF; // right strip, top row
    for (int y = 1; y < 16; ++y)
        a[y] = 0x80; // the left column
    image.put(0x210E7A, widths);
    image.put(0x210EDA, glyphs);
}

TestImage fontImage()
{
    TestImage image(0x300200);
    putTestFont(image);
    image.put(0x3E450 + 8, {0x01, 0x00, 0x01, 0x00, 12, 0x00, 8, 0x00}); // the dialogue window
    image.setDictionary({"AAAAAAAAAAAA"});
    image.put(0x51D12, bytes({gameText("AAAAAAAAAA"), {0x00}, gameText("AB"), {0x02}}));
    image.put(0x51D30, bytes({gameText("AAAAAAAAAAA"), {0x01}, gameText("WW"), {0x02}}));
    image.put(0x51D50, bytes({{0x1C, 0x02, 0x01}, gameText("AAA"), {0x02}}));
    image.put(0x51D70, {0x15, 0x01, 0x02});
    const std::uint32_t rows[] = {0xC51B12, 0xC51B30, 0xC51B50, 0xC51B70, 0xC51B30};
    for (int i = 0; i < 5; ++i)
        image.setTptRecord(i, rows[i], 1, 1);
    return image;
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void changeAsAnotherProgram(const std::filesystem::path& path, std::size_t offset, std::uint8_t byte)
{
#ifdef _WIN32
    std::vector<std::uint8_t> copy = readFile(path);
    copy.at(offset) = byte;
    std::filesystem::path aside = path;
    aside += ".old";
    std::filesystem::rename(path, aside);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(copy.data()), static_cast<std::streamsize>(copy.size()));
#else
    std::fstream other(path, std::ios::in | std::ios::out | std::ios::binary);
    other.seekp(static_cast<std::streamoff>(offset));
    other.put(static_cast<char>(byte));
#endif
}

std::string readTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path); // in text mode: the platform's line ends read as "\n"
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifndef _WIN32
namespace {
bool setImmutable(const std::filesystem::path& path, bool on)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}
} // namespace

Unwritable::Unwritable(std::filesystem::path path) : path_(std::move(path))
{
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write | std::filesystem::perms::group_write
            | std::filesystem::perms::others_write, std::filesystem::perm_options::remove);
    if (::geteuid() == 0)
        immutable_ = setImmutable(path_, true);
}

Unwritable::~Unwritable()
{
    if (immutable_)
        setImmutable(path_, false);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}
#endif

} // namespace scrivlet::testing
