#include "RomFile.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace scrivlet {

namespace {

constexpr std::size_t PageSize = 64 * 1024;

// Handles of this process that hold the lock of an image open for update.
// Opening the same image again in the same process (the window reopening its
// own file) shares that lock instead of being refused by it.
std::multimap<std::pair<std::uint64_t, std::uint64_t>, native::Handle>& heldLocks()
{
    static std::multimap<std::pair<std::uint64_t, std::uint64_t>, native::Handle> locks;
    return locks;
}

std::pair<std::uint64_t, std::uint64_t> key(const native::FileIdentity& id) { return {id.device, id.file}; }

void forgetLock(const native::FileIdentity& id, native::Handle handle)
{
    auto [first, last] = heldLocks().equal_range(key(id));
    for (auto it = first; it != last; ++it)
        if (it->second == handle) {
            heldLocks().erase(it);
            return;
        }
}

// Whether the path still names the open file: not moved, replaced or deleted
// (a file deleted while open may still answer to its name until it is closed).
bool pathNames(const std::string& path, native::Handle handle, const native::FileIdentity& identity)
{
    native::FileInfo named, open;
    return native::pathInfo(path, named) && named.identity == identity && native::info(handle, open) && !open.deleted;
}

} // namespace

RomFile::~RomFile() { close(); }

RomFile::RomFile(RomFile&& other) noexcept { *this = std::move(other); }

RomFile& RomFile::operator=(RomFile&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, native::NoHandle);
        readOnly_ = other.readOnly_;
        inMemory_ = std::exchange(other.inMemory_, false);
        openError_ = other.openError_;
        path_ = std::move(other.path_);
        realPath_ = std::move(other.realPath_);
        identity_ = other.identity_;
        stamp_ = other.stamp_;
        lastWritten_ = other.lastWritten_;
        lastReplaced_ = std::move(other.lastReplaced_);
        size_ = other.size_;
        position_ = other.position_;
        pages_ = std::move(other.pages_);
        other.pages_.clear();
        adopted_ = std::move(other.adopted_); // the pages keep pointing into the same buffer
        other.adopted_.clear();
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
    native::Handle handle = native::NoHandle;
    const native::OpenResult opened = native::openExisting(path, !readOnly_, handle);
    if (opened == native::OpenResult::NotRegularFile || opened == native::OpenResult::Missing
        || opened == native::OpenResult::NotWritable) {
        openError_ = opened == native::OpenResult::NotRegularFile ? OpenError::NotRegularFile
            : opened == native::OpenResult::Missing             ? OpenError::Missing
                                                                : OpenError::NotWritable;
        return false;
    }
    if (opened == native::OpenResult::Locked) {
        // Locked by this process itself: share its lock; by another: refused.
        native::FileInfo info;
        const auto held = native::pathInfo(path, info) ? heldLocks().find(key(info.identity)) : heldLocks().end();
        if (held == heldLocks().end()) {
            openError_ = OpenError::Locked;
            return false;
        }
        handle = native::duplicate(held->second);
    }
    native::FileInfo info;
    if (handle == native::NoHandle || !native::info(handle, info)) {
        native::close(handle);
        return false;
    }
    handle_ = handle;
    identity_ = info.identity;
    if (!readOnly_)
        heldLocks().emplace(key(identity_), handle_);
    openError_ = OpenError::None;
    path_ = path;
    realPath_ = native::resolved(path);
    position_ = 0;
    forgetContent();
    takeStamp(stamp_);
    lastWritten_ = stamp_;
    lastReplaced_ = {};
    size_ = stamp_.size;
    return true;
}

void RomFile::openBytes(std::span<const std::uint8_t> image)
{
    close();
    readOnly_ = true;
    inMemory_ = true;
    openError_ = OpenError::None;
    path_.clear();
    realPath_.clear();
    position_ = 0;
    pointPagesAt(image);
}

bool RomFile::close()
{
    inMemory_ = false;
    closeDescriptor();
    forgetContent();
    return true;
}

void RomFile::closeDescriptor()
{
    if (handle_ == native::NoHandle)
        return;
    if (!readOnly_)
        forgetLock(identity_, handle_);
    native::close(handle_);
    handle_ = native::NoHandle;
}

void RomFile::forgetContent()
{
    pages_.clear();
    adopted_ = {};
    cursor_ = cursorEnd_ = nullptr;
}

bool RomFile::takeStamp(Stamp& stamp) const
{
    native::FileInfo info;
    if (handle_ == native::NoHandle || !native::info(handle_, info))
        return false;
    stamp = {info.size, info.modified, info.changed};
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
        p.owned = std::make_unique<std::uint8_t[]>(wanted);
        p.data = p.owned.get();
        if (!native::readAt(handle_, p.owned.get(), wanted, start, p.length))
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
    cursor_ = p->data + within;
    cursorEnd_ = p->data + p->length;
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
        std::memcpy(image.data() + i * PageSize, p->data, expected);
    }
    return true;
}

WriteStatus RomFile::startWrite(std::span<const ByteRun> runs, std::vector<std::uint8_t>& image)
{
    if (!isOpen() || readOnly_)
        return WriteStatus::NotOpenForUpdate;
    beginAction(); // the write starts from what the file holds now
    for (const ByteRun& run : runs)
        if (run.offset < 0 || run.offset + static_cast<std::int64_t>(run.bytes.size()) > size_
            || (run.bytes.empty() && run.offset > size_))
            return WriteStatus::OutsideFile;
    if (!pathNames(path_, handle_, identity_))
        return WriteStatus::NotTheOpenFile;
    return readWholeImage(image) ? WriteStatus::Written : WriteStatus::Failed;
}

namespace {
// The bytes the runs will replace in `image`, taken before they are written.
ReplacedBytes replacedBy(std::span<const ByteRun> runs, const std::vector<std::uint8_t>& image, std::int64_t newSize)
{
    ReplacedBytes replaced{{}, static_cast<std::int64_t>(image.size()), newSize};
    for (const ByteRun& run : runs) {
        const auto from = static_cast<std::size_t>(std::min<std::int64_t>(run.offset, static_cast<std::int64_t>(image.size())));
        const auto to = static_cast<std::size_t>(std::min<std::int64_t>(run.offset + static_cast<std::int64_t>(run.bytes.size()),
            static_cast<std::int64_t>(image.size())));
        if (from < to)
            replaced.runs.push_back({run.offset, {image.begin() + static_cast<std::ptrdiff_t>(from), image.begin() + static_cast<std::ptrdiff_t>(to)}});
    }
    return replaced;
}
} // namespace

WriteStatus RomFile::write(std::span<const ByteRun> runs)
{
    std::vector<std::uint8_t> image;
    if (const WriteStatus status = startWrite(runs, image); status != WriteStatus::Written)
        return status;
    ReplacedBytes replaced = replacedBy(runs, image, static_cast<std::int64_t>(image.size()));
    for (const ByteRun& run : runs)
        std::copy(run.bytes.begin(), run.bytes.end(), image.begin() + run.offset);
    return commitImage(std::move(image), runs, std::move(replaced));
}

WriteStatus RomFile::grow(std::span<const std::uint8_t> tail)
{
    std::vector<std::uint8_t> image;
    if (const WriteStatus status = startWrite({}, image); status != WriteStatus::Written)
        return status;
    const ByteRun appended{static_cast<std::int64_t>(image.size()), {tail.begin(), tail.end()}};
    ReplacedBytes replaced{{}, static_cast<std::int64_t>(image.size()), static_cast<std::int64_t>(image.size() + tail.size())};
    image.insert(image.end(), tail.begin(), tail.end());
    return commitImage(std::move(image), std::span<const ByteRun>(&appended, 1), std::move(replaced));
}

bool RomFile::changedSinceLastWrite()
{
    Stamp now;
    return !takeStamp(now) || !(now == lastWritten_) || !pathNames(path_, handle_, identity_);
}

WriteStatus RomFile::restore(const ReplacedBytes& replaced)
{
    if (!isOpen() || readOnly_)
        return WriteStatus::NotOpenForUpdate;
    if (changedSinceLastWrite())
        return WriteStatus::ChangedOutside;
    std::vector<std::uint8_t> image;
    if (size_ != replaced.newSize)
        return WriteStatus::ChangedOutside;
    if (const WriteStatus status = startWrite(replaced.runs, image); status != WriteStatus::Written)
        return status;
    ReplacedBytes undone = replacedBy(replaced.runs, image, replaced.oldSize);
    for (const ByteRun& run : replaced.runs)
        std::copy(run.bytes.begin(), run.bytes.end(), image.begin() + run.offset);
    if (replaced.oldSize < static_cast<std::int64_t>(image.size())) {
        // The bytes a growth appended go, and are kept to grow again.
        undone.runs.push_back({replaced.oldSize, {image.begin() + replaced.oldSize, image.end()}});
        image.resize(static_cast<std::size_t>(replaced.oldSize));
    }
    return commitImage(std::move(image), replaced.runs, std::move(undone));
}

WriteStatus RomFile::commitImage(std::vector<std::uint8_t>&& image, std::span<const ByteRun> changed, ReplacedBytes replaced)
{
    native::FileInfo info;
    const bool linkedElsewhere = native::info(handle_, info) && info.links > 1;
    TempFile temp;
    // A file with other hard links must keep its inode; so must one whose folder
    // cannot hold a new file, and one the system will not rename over while
    // it is open. These are written in place instead.
    if (!native::CanReplaceOpenFile || linkedElsewhere || !temp.create(realPath_)) {
        const WriteStatus status = writeInPlace(std::move(image), changed);
        if (status == WriteStatus::Written)
            lastReplaced_ = std::move(replaced);
        return status;
    }
    temp.copyPermissionsFrom(handle_);
    if (!temp.writeAll(image.data(), image.size()) || !temp.commit(realPath_, true))
        return WriteStatus::Failed;
    closeDescriptor();
    handle_ = temp.release();
    if (native::info(handle_, info))
        identity_ = info.identity;
    heldLocks().emplace(key(identity_), handle_);
    adoptImage(std::move(image));
    lastReplaced_ = std::move(replaced);
    return WriteStatus::Written;
}

WriteStatus RomFile::writeInPlace(std::vector<std::uint8_t>&& image, std::span<const ByteRun> changed)
{
    const std::int64_t oldSize = size_;
    std::vector<std::uint8_t> old;
    bool ok = true;
    std::size_t done = 0;
    for (; done < changed.size() && ok; ++done) {
        const ByteRun& run = changed[done];
        ok = native::writeAllAt(handle_, image.data() + run.offset, run.bytes.size(), run.offset);
    }
    // A shorter image (a growth taken back) ends where it now ends; last, so
    // that a failure before it leaves only runs to put back.
    const auto newSize = static_cast<std::int64_t>(image.size());
    const bool truncated = ok && newSize < oldSize;
    ok = ok && (!truncated || native::truncate(handle_, newSize));
    ok = ok && native::flushToDevice(handle_);
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
            restored = native::writeAllAt(handle_, old.data(), length, run.offset) && restored;
        }
        if (newSize > oldSize)
            restored = native::truncate(handle_, oldSize) && restored;
        if (truncated) { // the tail that went, back from memory
            old.resize(static_cast<std::size_t>(oldSize - newSize));
            for (std::size_t k = 0; k < old.size(); ++k)
                old[k] = static_cast<std::uint8_t>(byteAt(newSize + static_cast<std::int64_t>(k)));
            restored = native::writeAllAt(handle_, old.data(), old.size(), newSize) && restored;
        }
        restored = native::flushToDevice(handle_) && restored;
        takeStamp(stamp_);
        return restored ? WriteStatus::Failed : WriteStatus::Damaged;
    }
    adoptImage(std::move(image));
    return WriteStatus::Written;
}

void RomFile::adoptImage(std::vector<std::uint8_t>&& image)
{
    forgetContent();
    adopted_ = std::move(image);
    pointPagesAt(adopted_);
    takeStamp(stamp_);
    lastWritten_ = stamp_;
}

void RomFile::pointPagesAt(std::span<const std::uint8_t> image)
{
    size_ = static_cast<std::int64_t>(image.size());
    pages_.clear();
    pages_.resize(static_cast<std::size_t>((size_ + PageSize - 1) / PageSize));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i].data = image.data() + i * PageSize;
        pages_[i].length = std::min(PageSize, image.size() - i * PageSize);
    }
    cursor_ = cursorEnd_ = nullptr;
}

} // namespace scrivlet
