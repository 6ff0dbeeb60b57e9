#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace scrivlet {

// The one byte stream on an open ROM image.
//
// Positioned by absolute file offsets and read or written one byte at a time.
// Reads are served from a read-ahead window that every seek drops, so bytes
// changed on disk become visible at the next seek. Writes are collected and
// reach the file at the next seek, flush or close. A read at or past the end of
// the file, or at a negative offset, gives -1.
//
// Beyond plain stdio behaviour, two rules keep other blocks safe:
//  - a seek to a negative offset does not keep the old position: reads there
//    give -1 and writes there are refused;
//  - a write that does not reach the file (disk full, read-only media) is
//    detected; writeByte/flush report it and writeFailed() stays true until
//    clearWriteError().
class RomFile {
public:
    RomFile() = default;
    ~RomFile();
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;
    RomFile(RomFile&& other) noexcept;
    RomFile& operator=(RomFile&& other) noexcept;

    enum class Access { Update, ReadOnly };
    // Opens an existing file, for update ("rb+") unless asked otherwise; never
    // created, never truncated. A read-only stream refuses every write.
    bool open(const std::string& path, Access access = Access::Update);
    bool isOpen() const { return file_ != nullptr; }
    // Passes pending writes to the file and closes it; false if they did not all land.
    bool close();

    // Absolute seek. Pending writes reach the file first; the read-ahead is dropped.
    // Returns false for a negative offset (the stream then reads -1 and refuses
    // writes until the next valid seek) or when pending writes failed.
    bool seek(std::int64_t offset);
    // Seeks to the end of the file and returns the file size, or -1 on failure.
    std::int64_t seekEnd();
    std::int64_t position() const { return position_; }

    // Next byte 0..255, or -1 at end of file or at an invalid position.
    int readByte()
    {
        const std::int64_t index = position_ - windowStart_;
        if (index >= 0 && index < static_cast<std::int64_t>(windowLength_)) {
            ++position_;
            return window_[static_cast<std::size_t>(index)];
        }
        return readByteSlow();
    }
    // The byte `ahead` places past the current position, without moving.
    int peekByte(int ahead);

    // Queues one byte at the current position. False when refused (no open file,
    // a negative position); the refusal also sets writeFailed().
    bool writeByte(int value);
    // Passes pending writes to the file. False if any byte did not reach it.
    bool flush();

    bool writeFailed() const { return writeFailed_; }
    void clearWriteError() { writeFailed_ = false; }

private:
    int readByteSlow();
    bool fillWindow();
    void dropWindow();
    bool commitWrites();

    std::FILE* file_ = nullptr;
    bool readOnly_ = false;
    std::int64_t position_ = 0;

    std::vector<unsigned char> window_;
    std::int64_t windowStart_ = 0;
    std::size_t windowLength_ = 0;
    std::size_t nextFill_ = 0;
    bool atEnd_ = false;

    std::vector<unsigned char> pending_;
    std::int64_t pendingStart_ = 0;
    bool writeFailed_ = false;
};

} // namespace scrivlet
