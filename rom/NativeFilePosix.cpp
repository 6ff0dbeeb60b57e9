#include "NativeFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace scrivlet::native {

namespace {

int fdOf(Handle handle) { return static_cast<int>(handle); }

std::int64_t nanoseconds(const timespec& t) { return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }

void fill(const struct stat& st, FileInfo& result)
{
    result.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    result.size = static_cast<std::int64_t>(st.st_size);
    result.modified = nanoseconds(st.st_mtim);
    result.changed = nanoseconds(st.st_ctim);
    result.links = static_cast<std::uint32_t>(st.st_nlink);
    result.regular = S_ISREG(st.st_mode);
    result.deleted = st.st_nlink == 0;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Both kinds of lock other programs take on a file: flock(2), and the record
// locks of fcntl(2) and lockf(3). The record lock is one of the open file
// description, so closing another descriptor of the same file (as a check
// of identity does) never lets it go.
bool lockExclusive(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0; // to the end, however far the file grows
#ifdef F_OFD_SETLK
    if (::fcntl(fd, F_OFD_SETLK, &whole) == 0)
        return true;
    if (errno != EINVAL)
        return false;
#endif
    return ::fcntl(fd, F_SETLK, &whole) == 0;
}

} // namespace

OpenResult openExisting(const std::string& path, bool forUpdate, Handle& handle)
{
    handle = NoHandle;
    // Non-blocking, so that a pipe or a device is looked at rather than waited on.
    const int fd = ::open(path.c_str(), (forUpdate ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int why = errno;
        struct stat st {};
        // A folder cannot even be opened for update.
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return OpenResult::NotRegularFile;
        if (why == ENOENT || why == ENOTDIR)
            return OpenResult::Missing;
        if (forUpdate && (why == EACCES || why == EPERM || why == EROFS || why == ETXTBSY))
            return OpenResult::NotWritable;
        return OpenResult::CannotOpen;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool regular = S_ISREG(st.st_mode);
        ::close(fd);
        return regular ? OpenResult::CannotOpen : OpenResult::NotRegularFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (forUpdate && !lockExclusive(fd)) {
        ::close(fd);
        return OpenResult::Locked;
    }
    handle = fd;
    return OpenResult::Opened;
}

Handle duplicate(Handle handle)
{
    const int fd = ::fcntl(fdOf(handle), F_DUPFD_CLOEXEC, 0);
    return fd < 0 ? NoHandle : fd;
}

void close(Handle handle)
{
    if (handle != NoHandle)
        ::close(fdOf(handle));
}

bool info(Handle handle, FileInfo& result)
{
    struct stat st {};
    if (::fstat(fdOf(handle), &st) != 0)
        return false;
    fill(st, result);
    return true;
}

bool pathInfo(const std::string& path, FileInfo& result)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || st.st_nlink == 0)
        return false;
    fill(st, result);
    return true;
}

bool readAt(Handle handle, std::uint8_t* data, std::size_t length, std::int64_t offset, std::size_t& got)
{
    got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fdOf(handle), data + got, length - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // the file is shorter than it was
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAllAt(Handle handle, const std::uint8_t* data, std::size_t length, std::int64_t offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fdOf(handle), data, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        offset += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool flushToDevice(Handle handle) { return ::fsync(fdOf(handle)) == 0; }

bool truncate(Handle handle, std::int64_t size) { return ::ftruncate(fdOf(handle), static_cast<off_t>(size)) == 0; }

Handle createBeside(const std::string& target, std::string& createdPath)
{
    std::string pattern = folderOf(target) + "/." + nameOf(target) + ".scrivlet-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return NoHandle;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    // Locked before it can take the target's name, so no other program slips in.
    if (!lockExclusive(fd)) {
        ::close(fd);
        ::unlink(pattern.c_str());
        return NoHandle;
    }
    createdPath = pattern;
    return fd;
}

namespace {
// Extended attributes (labels, tags, access lists) go with the content; one
// the new file may not take (a security label of another owner) is left out.
void copyExtendedAttributes([[maybe_unused]] int to, [[maybe_unused]] int from)
{
#ifdef __linux__
    const ssize_t listed = ::flistxattr(from, nullptr, 0);
    if (listed <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(listed));
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    if (got <= 0)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + got; name += std::strlen(name) + 1) {
        const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
        if (read >= 0)
            ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(read), 0);
    }
#endif
}
} // namespace

void copyPermissions(Handle to, Handle from)
{
    struct stat st {};
    if (::fstat(fdOf(from), &st) != 0)
        return;
    // Owner first: changing it may clear set-id bits that the mode then restores.
    [[maybe_unused]] const int ignored = ::fchown(fdOf(to), st.st_uid, st.st_gid);
    ::fchmod(fdOf(to), st.st_mode & 07777);
    copyExtendedAttributes(fdOf(to), fdOf(from));
}

void copyPermissions(Handle to, const std::string& target)
{
    const int existing = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (existing >= 0) {
        copyPermissions(to, existing);
        ::close(existing);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fdOf(to), 0666 & ~mask);
}

bool replace(const std::string& from, const std::string& to, bool syncToDevice)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return false;
    if (syncToDevice) {
        // A rename is on the device only once its folder is; file systems that
        // cannot sync a folder are taken at their word.
        const int dir = ::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return true;
}

void remove(const std::string& path) { ::unlink(path.c_str()); }

std::string resolved(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string result = real;
    std::free(real);
    return result;
}

} // namespace scrivlet::native
