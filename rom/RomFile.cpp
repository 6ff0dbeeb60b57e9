#include "RomFile.h"

#include <algorithm>
#include <utility>

namespace scrivlet {

namespace {
// The first read after a seek is small (a text block is usually short);
// sequential reads grow the window so long runs cost few system calls.
constexpr std::size_t FirstFill = 512;
constexpr std::size_t MaxFill = 64 * 1024;

bool seekFile(std::FILE* file, std::int64_t offset)
{
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}
} // namespace

RomFile::~RomFile() { close(); }

RomFile::RomFile(RomFile&& other) noexcept { *this = std::move(other); }

RomFile& RomFile::operator=(RomFile&& other) noexcept
{
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
        readOnly_ = other.readOnly_;
        position_ = other.position_;
        window_ = std::move(other.window_);
        windowStart_ = other.windowStart_;
        windowLength_ = std::exchange(other.windowLength_, 0);
        nextFill_ = other.nextFill_;
        atEnd_ = other.atEnd_;
        pending_ = std::move(other.pending_);
        other.pending_.clear();
        pendingStart_ = other.pendingStart_;
        writeFailed_ = other.writeFailed_;
    }
    return *this;
}

bool RomFile::open(const std::string& path, Access access)
{
    close();
    if (path.empty())
        return false;
    file_ = std::fopen(path.c_str(), access == Access::Update ? "rb+" : "rb");
    readOnly_ = access == Access::ReadOnly;
    if (!file_)
        return false;
    // Our own window does the buffering; stdio's would only copy twice.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    position_ = 0;
    writeFailed_ = false;
    dropWindow();
    return true;
}

bool RomFile::close()
{
    if (!file_)
        return true;
    bool ok = commitWrites();
    if (std::fclose(file_) != 0)
        ok = false;
    file_ = nullptr;
    dropWindow();
    pending_.clear();
    if (!ok)
        writeFailed_ = true;
    return ok;
}

void RomFile::dropWindow()
{
    windowLength_ = 0;
    windowStart_ = 0;
    nextFill_ = FirstFill;
    atEnd_ = false;
}

bool RomFile::commitWrites()
{
    if (pending_.empty())
        return !writeFailed_;
    bool ok = file_ && seekFile(file_, pendingStart_)
        && std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size()
        && std::fflush(file_) == 0;
    pending_.clear();
    if (!ok)
        writeFailed_ = true;
    return ok && !writeFailed_;
}

bool RomFile::flush() { return commitWrites(); }

bool RomFile::seek(std::int64_t offset)
{
    const bool committed = commitWrites();
    dropWindow();
    position_ = offset;
    return committed && offset >= 0 && file_ != nullptr;
}

std::int64_t RomFile::seekEnd()
{
    commitWrites();
    dropWindow();
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file_);
    position_ = end;
    atEnd_ = true;
    windowStart_ = end;
    return end;
}

bool RomFile::fillWindow()
{
    if (!file_ || position_ < 0 || atEnd_)
        return false;
    // Reads after writes see the written bytes.
    if (!pending_.empty())
        commitWrites();
    if (window_.size() < nextFill_)
        window_.resize(nextFill_);
    windowStart_ = position_;
    windowLength_ = 0;
    if (!seekFile(file_, position_))
        return false;
    windowLength_ = std::fread(window_.data(), 1, nextFill_, file_);
    if (windowLength_ < nextFill_)
        atEnd_ = true;
    nextFill_ = std::min(nextFill_ * 2, MaxFill);
    return windowLength_ > 0;
}

int RomFile::readByteSlow()
{
    if (!fillWindow()) {
        // Past the end: reads keep giving -1 without moving, as stdio does.
        return -1;
    }
    return readByte();
}

int RomFile::peekByte(int ahead)
{
    const std::int64_t target = position_ + ahead;
    std::int64_t index = target - windowStart_;
    if (index >= 0 && index < static_cast<std::int64_t>(windowLength_))
        return window_[static_cast<std::size_t>(index)];
    // Outside the window: read the one byte directly; position and window stay.
    if (!file_ || target < 0)
        return -1;
    commitWrites();
    if (!seekFile(file_, target))
        return -1;
    return std::fgetc(file_);
}

bool RomFile::writeByte(int value)
{
    if (!file_ || position_ < 0 || readOnly_) {
        writeFailed_ = true;
        return false;
    }
    if (windowLength_ != 0 || atEnd_)
        dropWindow();
    if (pending_.empty())
        pendingStart_ = position_;
    else if (pendingStart_ + static_cast<std::int64_t>(pending_.size()) != position_) {
        if (!commitWrites())
            return false;
        pendingStart_ = position_;
    }
    pending_.push_back(static_cast<unsigned char>(value));
    ++position_;
    return true;
}

} // namespace scrivlet
