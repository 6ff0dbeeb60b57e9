#include "TempFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scrivlet {

namespace {
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

// A rename is on the device only once its folder is; file systems that cannot
// sync a folder are taken at their word.
void syncFolder(const std::string& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}
} // namespace

TempFile::~TempFile() { discard(); }

bool TempFile::create(const std::string& target)
{
    discard();
    committed_ = false;
    std::string pattern = folderOf(target) + "/." + nameOf(target) + ".scrivlet-XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0)
        return false;
    ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
    path_ = pattern;
    return true;
}

bool TempFile::writeAll(const std::uint8_t* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd_, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

void TempFile::copyPermissionsFrom(int targetFd)
{
    struct stat st {};
    if (::fstat(targetFd, &st) != 0)
        return;
    // Owner first: changing it may clear set-id bits that the mode then restores.
    [[maybe_unused]] const int ignored = ::fchown(fd_, st.st_uid, st.st_gid);
    ::fchmod(fd_, st.st_mode & 07777);
}

void TempFile::copyPermissionsFrom(const std::string& target)
{
    const int existing = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (existing >= 0) {
        copyPermissionsFrom(existing);
        ::close(existing);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

bool TempFile::commit(const std::string& target, bool syncToDevice)
{
    if (path_.empty())
        return false;
    if (syncToDevice && (fd_ < 0 || ::fsync(fd_) != 0))
        return false;
    if (::rename(path_.c_str(), target.c_str()) != 0)
        return false;
    committed_ = true;
    if (syncToDevice)
        syncFolder(folderOf(target));
    return true;
}

int TempFile::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void TempFile::discard()
{
    if (!committed_ && !path_.empty())
        ::unlink(path_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool isReplaceableTarget(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

std::string resolvedPath(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string result = real;
    std::free(real);
    return result;
}

bool replaceFileWith(const std::string& path, std::span<const std::uint8_t> content)
{
    if (!isReplaceableTarget(path))
        return false;
    const std::string target = resolvedPath(path);
    TempFile temp;
    if (!temp.create(target))
        return false;
    temp.copyPermissionsFrom(target);
    return temp.writeAll(content.data(), content.size()) && temp.commit(target, true);
}

ReadFileError readWholeFile(const std::string& path, std::uintmax_t maxBytes, std::vector<std::uint8_t>& content)
{
    // Non-blocking, so that a pipe is looked at rather than waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) ? ReadFileError::NotRegularFile : ReadFileError::CannotRead;
    }
    struct stat st {};
    ReadFileError error = ReadFileError::None;
    if (::fstat(fd, &st) != 0)
        error = ReadFileError::CannotRead;
    else if (!S_ISREG(st.st_mode))
        error = ReadFileError::NotRegularFile;
    else if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        error = ReadFileError::TooLarge;
    if (error == ReadFileError::None) {
        content.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < content.size()) {
            const ssize_t n = ::read(fd, content.data() + got, content.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        if (got != content.size())
            error = ReadFileError::CannotRead; // it changed while it was read
    }
    ::close(fd);
    return error;
}

bool writeAllAt(int fd, const std::uint8_t* data, std::size_t length, std::int64_t offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, data, length, static_cast<off_t>(offset));
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

bool identityOf(int fd, FileIdentity& identity)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

bool pathNames(const std::string& path, const FileIdentity& identity)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || st.st_nlink == 0)
        return false;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)} == identity;
}

} // namespace scrivlet
