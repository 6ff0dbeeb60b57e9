#include "TempFile.h"

namespace scrivlet {

TempFile::~TempFile() { discard(); }

bool TempFile::create(const std::string& target)
{
    discard();
    committed_ = false;
    written_ = 0;
    handle_ = native::createBeside(target, path_);
    if (handle_ == native::NoHandle)
        path_.clear();
    return handle_ != native::NoHandle;
}

bool TempFile::writeAll(const std::uint8_t* data, std::size_t length)
{
    if (!native::writeAllAt(handle_, data, length, written_))
        return false;
    written_ += static_cast<std::int64_t>(length);
    return true;
}

bool TempFile::commit(const std::string& target, bool syncToDevice)
{
    if (path_.empty())
        return false;
    if (syncToDevice && (handle_ == native::NoHandle || !native::flushToDevice(handle_)))
        return false;
    if (!native::replace(path_, target, syncToDevice))
        return false;
    committed_ = true;
    return true;
}

native::Handle TempFile::release()
{
    const native::Handle handle = handle_;
    handle_ = native::NoHandle;
    return handle;
}

void TempFile::discard()
{
    native::close(handle_);
    handle_ = native::NoHandle;
    if (!committed_ && !path_.empty())
        native::remove(path_);
    path_.clear();
}

bool isReplaceableTarget(const std::string& path)
{
    native::FileInfo info;
    return !native::pathInfo(path, info) || info.regular;
}

bool sameFile(const std::string& a, const std::string& b)
{
    if (resolvedPath(a) == resolvedPath(b))
        return true;
    native::FileInfo first, second;
    return native::pathInfo(a, first) && native::pathInfo(b, second) && first.identity == second.identity;
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
    native::Handle handle = native::NoHandle;
    switch (native::openExisting(path, false, handle)) {
    case native::OpenResult::Opened: break;
    case native::OpenResult::NotRegularFile: return ReadFileError::NotRegularFile;
    default: return ReadFileError::CannotRead;
    }
    native::FileInfo info;
    ReadFileError error = ReadFileError::None;
    if (!native::info(handle, info))
        error = ReadFileError::CannotRead;
    else if (static_cast<std::uintmax_t>(info.size) > maxBytes)
        error = ReadFileError::TooLarge;
    if (error == ReadFileError::None) {
        content.resize(static_cast<std::size_t>(info.size));
        std::size_t got = 0;
        if (!native::readAt(handle, content.data(), content.size(), 0, got) || got != content.size())
            error = ReadFileError::CannotRead; // it changed while it was read
    }
    native::close(handle);
    return error;
}

} // namespace scrivlet
