#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace scrivlet {

// A new file beside a target, written in full and then renamed over the target
// in one step, so that the target holds either its old content or the new one
// and never a mix. Removed again unless it was committed.
class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates an empty file in the folder of `target`. False when none can be made
    // (a read-only folder, no room).
    bool create(const std::string& target);
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Every byte, or false. A short write goes on where it stopped.
    bool writeAll(const std::uint8_t* data, std::size_t length);
    // The new file takes the target's permission bits (and owner where allowed).
    void copyPermissionsFrom(int targetFd);
    // As copyPermissionsFrom for an existing target; a new one gets the bits a
    // newly created file would have.
    void copyPermissionsFrom(const std::string& target);
    // Flushes the content to the device, then renames the file over `target`.
    // On false the target is untouched.
    bool commit(const std::string& target, bool syncToDevice);
    // Hands over the descriptor (the caller closes it); -1 when there is none.
    // The file itself is still removed unless committed.
    int release();

private:
    void discard();

    int fd_ = -1;
    std::string path_;
    bool committed_ = false;
};

// Whether `path` is a regular file, or names nothing yet: the targets that may
// be replaced by a rename. A device or a pipe must be written where it is.
bool isReplaceableTarget(const std::string& path);
// The file a path names once links are followed; the path itself when it names nothing.
std::string resolvedPath(const std::string& path);

// Puts `content` in place of the regular file at `path` (or makes it), whole or
// not at all, flushed to the device. False when the path names anything but a
// regular file or the content did not land.
bool replaceFileWith(const std::string& path, std::span<const std::uint8_t> content);

enum class ReadFileError { None, CannotRead, NotRegularFile, TooLarge };
// Images, patches and dump files: far larger than any 4 MiB image needs.
inline constexpr std::uintmax_t DataFileMaxBytes = 256 * 1024 * 1024;
// Reads a whole regular file of at most `maxBytes`.
ReadFileError readWholeFile(const std::string& path, std::uintmax_t maxBytes, std::vector<std::uint8_t>& content);

// Writes every byte at `offset`, going on after short writes; false on a failure.
bool writeAllAt(int fd, const std::uint8_t* data, std::size_t length, std::int64_t offset);

// The device and inode a descriptor or a path names, and whether the path still
// has that file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
bool identityOf(int fd, FileIdentity& identity);
bool pathNames(const std::string& path, const FileIdentity& identity);

} // namespace scrivlet
