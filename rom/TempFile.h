#pragma once

#include "NativeFile.h"

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

    // Creates an empty file in the folder of `target`, locked as a file open for
    // update is. False when none can be made (a read-only folder, no room).
    bool create(const std::string& target);
    native::Handle handle() const { return handle_; }

    // Appends every byte, or gives false.
    bool writeAll(const std::uint8_t* data, std::size_t length);
    // The new file takes the target's permission bits (and owner where allowed).
    void copyPermissionsFrom(native::Handle target) { native::copyPermissions(handle_, target); }
    // As above for a target named by its path; a new one gets the bits a newly
    // created file would have.
    void copyPermissionsFrom(const std::string& target) { native::copyPermissions(handle_, target); }
    // Flushes the content to the device, then renames the file over `target`.
    // On false the target is untouched.
    bool commit(const std::string& target, bool syncToDevice);
    // Hands over the handle (the caller closes it). The file itself is still
    // removed unless committed.
    native::Handle release();

private:
    void discard();

    native::Handle handle_ = native::NoHandle;
    std::int64_t written_ = 0;
    std::string path_;
    bool committed_ = false;
};

// Whether `path` is a regular file, or names nothing yet: the targets that may
// be replaced by a rename. A device or a pipe must be written where it is.
bool isReplaceableTarget(const std::string& path);
// The file a path names once links are followed; the path itself when it names nothing.
inline std::string resolvedPath(const std::string& path) { return native::resolved(path); }

// Whether two paths name one file: the same path once links are followed, or
// two hard links of one file.
bool sameFile(const std::string& a, const std::string& b);

// Puts `content` in place of the regular file at `path` (or makes it), whole or
// not at all, flushed to the device. False when the path names anything but a
// regular file or the content did not land.
bool replaceFileWith(const std::string& path, std::span<const std::uint8_t> content);

enum class ReadFileError { None, CannotRead, NotRegularFile, TooLarge };
// Images, patches and dump files: far larger than any 4 MiB image needs.
inline constexpr std::uintmax_t DataFileMaxBytes = 256 * 1024 * 1024;
// Reads a whole regular file of at most `maxBytes`.
ReadFileError readWholeFile(const std::string& path, std::uintmax_t maxBytes, std::vector<std::uint8_t>& content);

} // namespace scrivlet
