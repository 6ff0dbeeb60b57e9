#pragma once

// The few file operations the ROM stream and its safe writes need, in the
// operating system's own terms: one implementation for POSIX systems, one for
// Windows. Paths are UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivlet::native {

using Handle = std::intptr_t;
inline constexpr Handle NoHandle = -1;

// The device and file a handle or a path names.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileInfo {
    FileIdentity identity;
    std::int64_t size = 0;
    std::int64_t modified = 0; // change stamps: what differs when the content may have
    std::int64_t changed = 0;
    std::uint32_t links = 0;
    bool regular = false;
    bool deleted = false; // removed while open: gone once the last handle closes
};

enum class OpenResult { Opened, CannotOpen, NotRegularFile, Locked, Missing, NotWritable };

// Opens an existing regular file without waiting on a pipe or a device. For
// update, the file is also locked against every other program that edits it.
OpenResult openExisting(const std::string& path, bool forUpdate, Handle& handle);
// A second handle on the same open file, sharing its lock.
Handle duplicate(Handle handle);
void close(Handle handle);

bool info(Handle handle, FileInfo& result);
// False when the path names nothing (or a deleted file).
bool pathInfo(const std::string& path, FileInfo& result);

// Reads up to `length` bytes at `offset`; `got` short of it at the end of the file.
bool readAt(Handle handle, std::uint8_t* data, std::size_t length, std::int64_t offset, std::size_t& got);
bool writeAllAt(Handle handle, const std::uint8_t* data, std::size_t length, std::int64_t offset);
bool flushToDevice(Handle handle);
bool truncate(Handle handle, std::int64_t size);

// A new empty file in the folder of `target`, locked like a file open for update.
Handle createBeside(const std::string& target, std::string& createdPath);
// Gives the new file the target's permissions (and owner where allowed), or
// those of a newly created file when there is no target yet.
void copyPermissions(Handle to, const std::string& target);
void copyPermissions(Handle to, Handle from);
// Whether a file that is open (and locked) can be replaced by a rename. Where it
// cannot, an open image is written in place and put back on failure.
#ifdef _WIN32
inline constexpr bool CanReplaceOpenFile = false;
#else
inline constexpr bool CanReplaceOpenFile = true;
#endif

// Renames `from` over `to` in one step; `to` keeps its old content if it fails.
bool replace(const std::string& from, const std::string& to, bool syncToDevice);
void remove(const std::string& path);
// The file a path names once links are followed; the path itself when it names nothing.
std::string resolved(const std::string& path);

} // namespace scrivlet::native
