#include "RomFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace scrivlet {

namespace {

constexpr std::size_t PageSize = 64 * 1024;

// Descriptors of this process that hold the lock of an image open for update.
// Opening the same image again in the same process (the window reopening its
// own file) shares that lock instead of being refused by it.
std::multimap<std::pair<std::uint64_t, std::uint64_t>, int>& heldLocks()
{
    static std::multimap<std::pair<std::uint64_t, std::uint64_t>, int> locks;
    return locks;
}

std::pair<std::uint64_t, std::uint64_t> key(const FileIdentity& id) { return {id.device, id.inode}; }

void forgetLock(const FileIdentity& id, int fd)
{
    auto [first, last] = heldLocks().equal_range(key(id));
    for (auto it = first; it != last; ++it)
        if (it->second == fd) {
            heldLocks().erase(it);
            return;
        }
}

bool readAllAt(int fd, std::uint8_t* data, std::size_t length, std::int64_t offset, std::size_t& got)
{
    got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, data + got, length - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
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

} // namespace

RomFile::~RomFile() { close(); }

RomFile::RomFile(RomFile&& other) noexcept { *this = std::move(other); }

RomFile& RomFile::operator=(RomFile&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        readOnly_ = other.readOnly_;
        openError_ = other.openError_;
        path_ = std::move(other.path_);
        realPath_ = std::move(other.realPath_);
        identity_ = other.identity_;
        stamp_ = other.stamp_;
        size_ = other.size_;
        position_ = other.position_;
        pages_ = std::move(other.pages_);
        other.pages_.clear();
        cursor_ = cursorEnd_ = nullptr;
        other.cursor_ = other.cursorEnd_ = nullptr;
    }
    return *this;
}

bool RomFile::open(const std::string& path, Access access)
{
    close();
    openError_ = OpenError::CannotOpen;
    if (path.empty())
        return false;
    readOnly_ = access == Access::ReadOnly;
    // Non-blocking, so that a pipe or a device is looked at rather than waited on.
    int fd = ::open(path.c_str(), (readOnly_ ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            openError_ = OpenError::NotRegularFile; // a folder cannot even be opened for update
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        openError_ = S_ISREG(st.st_mode) ? OpenError::CannotOpen : OpenError::NotRegularFile;
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FileIdentity identity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    if (!readOnly_ && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const auto held = heldLocks().find(key(identity));
        ::close(fd);
        if (held == heldLocks().end()) {
            openError_ = OpenError::Locked;
            return false;
        }
        fd = ::dup(held->second); // shares the lock this process already holds
        if (fd < 0)
            return false;
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    fd_ = fd;
    if (!readOnly_)
        heldLocks().emplace(key(identity), fd_);
    openError_ = OpenError::None;
    path_ = path;
    realPath_ = resolvedPath(path);
    identity_ = identity;
    position_ = 0;
    forgetContent();
    takeStamp(stamp_);
    size_ = stamp_.size;
    return true;
}

bool RomFile::close()
{
    closeDescriptor();
    forgetContent();
    return true;
}

void RomFile::closeDescriptor()
{
    if (fd_ < 0)
        return;
    if (!readOnly_)
        forgetLock(identity_, fd_);
    ::close(fd_);
    fd_ = -1;
}

void RomFile::forgetContent()
{
    pages_.clear();
    cursor_ = cursorEnd_ = nullptr;
}

bool RomFile::takeStamp(Stamp& stamp) const
{
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return false;
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return true;
}

void RomFile::beginAction()
{
    Stamp now;
    if (!takeStamp(now) || now == stamp_)
        return;
    stamp_ = now;
    size_ = now.size;
    forgetContent();
}

bool RomFile::seek(std::int64_t offset)
{
    position_ = offset;
    cursor_ = cursorEnd_ = nullptr;
    return offset >= 0 && isOpen();
}

std::int64_t RomFile::seekEnd()
{
    if (!isOpen())
        return -1;
    seek(size_);
    return size_;
}

const RomFile::Page* RomFile::page(std::size_t index)
{
    if (pages_.size() <= index)
        pages_.resize(static_cast<std::size_t>((size_ + PageSize - 1) / PageSize));
    if (index >= pages_.size())
        return nullptr;
    Page& p = pages_[index];
    if (!p.data) {
        const std::int64_t start = static_cast<std::int64_t>(index * PageSize);
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(PageSize, size_ - start));
        p.data = std::make_unique<std::uint8_t[]>(wanted);
        if (!readAllAt(fd_, p.data.get(), wanted, start, p.length))
            p.length = 0;
    }
    return &p;
}

int RomFile::byteAt(std::int64_t offset)
{
    if (!isOpen() || offset < 0 || offset >= size_)
        return -1;
    const Page* p = page(static_cast<std::size_t>(offset / PageSize));
    const auto within = static_cast<std::size_t>(offset % PageSize);
    return p && within < p->length ? p->data[within] : -1;
}

int RomFile::readByteSlow()
{
    if (!isOpen() || position_ < 0 || position_ >= size_)
        return -1; // past the end reads keep giving -1 without moving
    const Page* p = page(static_cast<std::size_t>(position_ / PageSize));
    const auto within = static_cast<std::size_t>(position_ % PageSize);
    if (!p || within >= p->length)
        return -1;
    cursor_ = p->data.get() + within;
    cursorEnd_ = p->data.get() + p->length;
    return readByte();
}

bool RomFile::readWholeImage(std::vector<std::uint8_t>& image)
{
    image.resize(static_cast<std::size_t>(size_));
    for (std::size_t i = 0; i * PageSize < image.size(); ++i) {
        const Page* p = page(i);
        const std::size_t expected = std::min(PageSize, image.size() - i * PageSize);
        if (!p || p->length != expected)
            return false; // the file ended early: it changed under us
        std::memcpy(image.data() + i * PageSize, p->data.get(), expected);
    }
    return true;
}

WriteStatus RomFile::write(std::span<const ByteRun> runs)
{
    if (!isOpen() || readOnly_)
        return WriteStatus::NotOpenForUpdate;
    beginAction(); // the write starts from what the file holds now
    for (const ByteRun& run : runs)
        if (run.offset < 0 || run.offset + static_cast<std::int64_t>(run.bytes.size()) > size_
            || (run.bytes.empty() && run.offset > size_))
            return WriteStatus::OutsideFile;
    if (!pathNames(path_, identity_))
        return WriteStatus::NotTheOpenFile;
    std::vector<std::uint8_t> image;
    if (!readWholeImage(image))
        return WriteStatus::Failed;
    for (const ByteRun& run : runs)
        std::copy(run.bytes.begin(), run.bytes.end(), image.begin() + run.offset);
    return commitImage(image, runs);
}

WriteStatus RomFile::grow(std::span<const std::uint8_t> tail)
{
    if (!isOpen() || readOnly_)
        return WriteStatus::NotOpenForUpdate;
    beginAction();
    if (!pathNames(path_, identity_))
        return WriteStatus::NotTheOpenFile;
    std::vector<std::uint8_t> image;
    if (!readWholeImage(image))
        return WriteStatus::Failed;
    const ByteRun appended{static_cast<std::int64_t>(image.size()), {tail.begin(), tail.end()}};
    image.insert(image.end(), tail.begin(), tail.end());
    return commitImage(image, std::span<const ByteRun>(&appended, 1));
}

WriteStatus RomFile::commitImage(const std::vector<std::uint8_t>& image, std::span<const ByteRun> changed)
{
    struct stat st {};
    const bool linkedElsewhere = ::fstat(fd_, &st) == 0 && st.st_nlink > 1;
    TempFile temp;
    // A file with other hard links must keep its inode; so must one whose folder
    // cannot hold a new file. Both are written in place instead.
    if (linkedElsewhere || !temp.create(realPath_))
        return writeInPlace(image, changed);
    temp.copyPermissionsFrom(fd_);
    // The new file is locked before it takes the name, so no other program can
    // slip in between.
    if (::flock(temp.fd(), LOCK_EX | LOCK_NB) != 0 || !temp.writeAll(image.data(), image.size())
        || !temp.commit(realPath_, true))
        return WriteStatus::Failed;
    closeDescriptor();
    fd_ = temp.release();
    identityOf(fd_, identity_);
    heldLocks().emplace(key(identity_), fd_);
    adoptImage(image);
    return WriteStatus::Written;
}

WriteStatus RomFile::writeInPlace(const std::vector<std::uint8_t>& image, std::span<const ByteRun> changed)
{
    const std::int64_t oldSize = size_;
    std::vector<std::uint8_t> old;
    bool ok = true;
    std::size_t done = 0;
    for (; done < changed.size() && ok; ++done) {
        const ByteRun& run = changed[done];
        ok = writeAllAt(fd_, image.data() + run.offset, run.bytes.size(), run.offset);
    }
    ok = ok && ::fsync(fd_) == 0;
    if (!ok) {
        // Put back what may have landed: the old bytes are still in memory.
        bool restored = true;
        for (std::size_t i = 0; i < done; ++i) {
            const ByteRun& run = changed[i];
            if (run.offset >= oldSize)
                continue;
            const auto length = static_cast<std::size_t>(std::min<std::int64_t>(run.bytes.size(), oldSize - run.offset));
            old.resize(length);
            for (std::size_t k = 0; k < length; ++k)
                old[k] = static_cast<std::uint8_t>(byteAt(run.offset + static_cast<std::int64_t>(k)));
            restored = writeAllAt(fd_, old.data(), length, run.offset) && restored;
        }
        if (static_cast<std::int64_t>(image.size()) > oldSize)
            restored = ::ftruncate(fd_, static_cast<off_t>(oldSize)) == 0 && restored;
        restored = ::fsync(fd_) == 0 && restored;
        takeStamp(stamp_);
        return restored ? WriteStatus::Failed : WriteStatus::Damaged;
    }
    adoptImage(image);
    return WriteStatus::Written;
}

void RomFile::adoptImage(std::vector<std::uint8_t> image)
{
    forgetContent();
    size_ = static_cast<std::int64_t>(image.size());
    pages_.resize(static_cast<std::size_t>((size_ + PageSize - 1) / PageSize));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const std::size_t length = std::min(PageSize, image.size() - i * PageSize);
        pages_[i].data = std::make_unique<std::uint8_t[]>(length);
        std::memcpy(pages_[i].data.get(), image.data() + i * PageSize, length);
        pages_[i].length = length;
    }
    takeStamp(stamp_);
}

} // namespace scrivlet
