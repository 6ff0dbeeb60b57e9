#pragma once

#include "TempFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace scrivlet {

// A run of bytes to put into the image at a file offset.
struct ByteRun {
    std::int64_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

enum class WriteStatus {
    Written,         // every byte is in the file and on the device
    ChangedOutside,  // another program changed the file since this one last wrote it: nothing written
    NotOpenForUpdate, // no file, or one opened read-only: nothing written
    OutsideFile,     // a byte would lie at or past the end of the file: nothing written
    NotTheOpenFile,  // the path no longer names the file that was opened: nothing written
    Failed,          // the system refused the write; the file is as it was
    Damaged,         // the write failed part-way and the old bytes could not be put back
};

// What a write replaced: the old bytes of each of its runs that lay inside
// the file, and the file's size before and after.
struct ReplacedBytes {
    std::vector<ByteRun> runs;
    std::int64_t oldSize = 0;
    std::int64_t newSize = 0;
};

enum class OpenError { None, CannotOpen, NotRegularFile, Locked, Missing, NotWritable };

// The one stream on an open ROM image.
//
// Positioned by absolute file offsets and read one byte at a time; a read at or
// past the end of the file, or at a negative offset, gives -1. What is read is
// kept, so each byte range is read from the file at most once per user action;
// beginAction() lets changes made by another program in between be seen.
//
// Writes are whole or nothing: the new image is written beside the file,
// flushed to the device and renamed over it (or, where that cannot be done,
// written in place and put back on failure). A write never makes
// the file longer, except grow(). While a file is open for update it holds an
// exclusive advisory lock, so a second program cannot edit it at the same time.
class RomFile {
public:
    RomFile() = default;
    ~RomFile();
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;
    RomFile(RomFile&& other) noexcept;
    RomFile& operator=(RomFile&& other) noexcept;

    enum class Access { Update, ReadOnly };
    // Opens an existing regular file, for update unless asked otherwise; never
    // created, never truncated. Why it failed is in openError().
    bool open(const std::string& path, Access access = Access::Update);
    OpenError openError() const { return openError_; }
    // Bytes already in memory as a read-only image with no file behind it.
    // They are read where they are: the caller keeps them alive and unchanged
    // while this is open.
    void openBytes(std::span<const std::uint8_t> image);
    bool isOpen() const { return handle_ != native::NoHandle || inMemory_; }
    // Opened for reading only: every write is refused with NotOpenForUpdate.
    bool isReadOnly() const { return isOpen() && readOnly_; }
    bool close();
    const std::string& path() const { return path_; }

    // The start of a user action: if the file changed since it was read, what
    // was kept is dropped and read again when needed.
    void beginAction();

    // Absolute seek. False for a negative offset (reads there give -1).
    bool seek(std::int64_t offset);
    // Seeks to the end of the file and returns the file size, or -1 with no file.
    std::int64_t seekEnd();
    std::int64_t size() const { return isOpen() ? size_ : -1; }
    std::int64_t position() const { return position_; }

    // Next byte 0..255, or -1 at end of file or at an invalid position.
    int readByte()
    {
        if (cursor_ != cursorEnd_) {
            ++position_;
            return *cursor_++;
        }
        return readByteSlow();
    }
    // The byte `ahead` places past the current position, without moving.
    int peekByte(int ahead) { return byteAt(position_ + ahead); }
    int byteAt(std::int64_t offset);

    // Every byte of the image as it is now; false when it could not all be read.
    bool readAll(std::vector<std::uint8_t>& image) { return readWholeImage(image); }

    // Puts every run into the file, or none of them.
    WriteStatus write(std::span<const ByteRun> runs);
    // Appends `tail` behind the old end of the file, whole or not at all.
    WriteStatus grow(std::span<const std::uint8_t> tail);
    // What the last write or growth that landed replaced, for taking it back.
    const ReplacedBytes& lastReplaced() const { return lastReplaced_; }
    // Puts back what a write replaced (its old bytes, its old size), whole or
    // not at all; refused with ChangedOutside when another program changed
    // the file since this one last wrote it (or opened it).
    WriteStatus restore(const ReplacedBytes& replaced);
    bool changedSinceLastWrite();

private:
    struct Page {
        const std::uint8_t* data = nullptr; // null until read
        std::unique_ptr<std::uint8_t[]> owned; // the bytes read from the file
        std::size_t length = 0;
    };
    struct Stamp {
        std::int64_t size = -1, modified = 0, changed = 0;
        bool operator==(const Stamp&) const = default;
    };

    int readByteSlow();
    const Page* page(std::size_t index);
    bool readWholeImage(std::vector<std::uint8_t>& image);
    void forgetContent();
    bool takeStamp(Stamp& stamp) const;
    // The checks every write makes first, then the whole image as it is now.
    WriteStatus startWrite(std::span<const ByteRun> runs, std::vector<std::uint8_t>& image);
    WriteStatus commitImage(std::vector<std::uint8_t>&& image, std::span<const ByteRun> changed, ReplacedBytes replaced);
    WriteStatus writeInPlace(std::vector<std::uint8_t>&& image, std::span<const ByteRun> changed);
    // The image just written becomes what is read; the pages point into it.
    void adoptImage(std::vector<std::uint8_t>&& image);
    void pointPagesAt(std::span<const std::uint8_t> image);
    void closeDescriptor();

    native::Handle handle_ = native::NoHandle;
    bool readOnly_ = false;
    bool inMemory_ = false;
    OpenError openError_ = OpenError::None;
    std::string path_;
    std::string realPath_; // what a rename replaces: the file a link points to
    native::FileIdentity identity_;
    Stamp stamp_;
    Stamp lastWritten_; // the file as this program last left it
    ReplacedBytes lastReplaced_;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
    std::vector<Page> pages_;
    std::vector<std::uint8_t> adopted_;
    const std::uint8_t* cursor_ = nullptr;
    const std::uint8_t* cursorEnd_ = nullptr;
};

} // namespace scrivlet
