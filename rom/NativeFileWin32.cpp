#include "NativeFile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <random>

namespace scrivlet::native {

namespace {

HANDLE win(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle ours(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? NoHandle : reinterpret_cast<Handle>(handle); }

std::wstring wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), n);
    return result;
}

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
    return result;
}

std::int64_t stamp(const FILETIME& t) { return static_cast<std::int64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// A file open for update shares reading only: the share mode is the lock that
// keeps a second editor out. Deleting stays shared, so the file can be
// replaced by a rename while it is open.
constexpr DWORD UpdateShare = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr DWORD ReadShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

OpenResult openExisting(const std::string& path, bool forUpdate, Handle& handle)
{
    handle = NoHandle;
    const std::wstring name = wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return OpenResult::NotRegularFile;
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ | (forUpdate ? GENERIC_WRITE : 0),
        forUpdate ? UpdateShare : ReadShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        switch (::GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return OpenResult::Locked;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return OpenResult::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT: return forUpdate ? OpenResult::NotWritable : OpenResult::CannotOpen;
        default: return OpenResult::CannotOpen;
        }
    }
    if (::GetFileType(h) != FILE_TYPE_DISK) { // a pipe, a console or a device
        ::CloseHandle(h);
        return OpenResult::NotRegularFile;
    }
    handle = ours(h);
    return OpenResult::Opened;
}

Handle duplicate(Handle handle)
{
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (!::DuplicateHandle(::GetCurrentProcess(), win(handle), ::GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return NoHandle;
    return ours(copy);
}

void close(Handle handle)
{
    if (handle != NoHandle)
        ::CloseHandle(win(handle));
}

bool info(Handle handle, FileInfo& result)
{
    BY_HANDLE_FILE_INFORMATION i{};
    if (!::GetFileInformationByHandle(win(handle), &i))
        return false;
    result.identity = {i.dwVolumeSerialNumber, static_cast<std::uint64_t>(i.nFileIndexHigh) << 32 | i.nFileIndexLow};
    result.size = static_cast<std::int64_t>(i.nFileSizeHigh) << 32 | i.nFileSizeLow;
    result.modified = stamp(i.ftLastWriteTime);
    result.changed = stamp(i.ftCreationTime);
    result.links = i.nNumberOfLinks;
    result.regular = !(i.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FILE_STANDARD_INFO standard{};
    result.deleted = ::GetFileInformationByHandleEx(win(handle), FileStandardInfo, &standard, sizeof standard)
        && standard.DeletePending;
    return true;
}

bool pathInfo(const std::string& path, FileInfo& result)
{
    const HANDLE h = ::CreateFileW(wide(path).c_str(), 0, ReadShare, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = info(ours(h), result);
    ::CloseHandle(h);
    return ok;
}

bool readAt(Handle handle, std::uint8_t* data, std::size_t length, std::int64_t offset, std::size_t& got)
{
    got = 0;
    while (got < length) {
        OVERLAPPED at{};
        const auto position = static_cast<std::uint64_t>(offset) + got;
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD n = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(length - got, 1u << 30));
        if (!::ReadFile(win(handle), data + got, ask, &n, &at))
            return ::GetLastError() == ERROR_HANDLE_EOF;
        if (n == 0)
            break;
        got += n;
    }
    return true;
}

bool writeAllAt(Handle handle, const std::uint8_t* data, std::size_t length, std::int64_t offset)
{
    while (length > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
        DWORD n = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
        if (!::WriteFile(win(handle), data, ask, &n, &at) || n == 0)
            return false;
        data += n;
        offset += n;
        length -= n;
    }
    return true;
}

bool flushToDevice(Handle handle) { return ::FlushFileBuffers(win(handle)) != 0; }

bool truncate(Handle handle, std::int64_t size)
{
    LARGE_INTEGER to{};
    to.QuadPart = size;
    return ::SetFilePointerEx(win(handle), to, nullptr, FILE_BEGIN) && ::SetEndOfFile(win(handle));
}

Handle createBeside(const std::string& target, std::string& createdPath)
{
    std::random_device seed;
    std::mt19937 pick(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string path = folderOf(target) + "\\." + nameOf(target) + ".scrivlet-" + std::to_string(pick() % 1000000);
        const HANDLE h = ::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, UpdateShare, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            createdPath = path;
            return ours(h);
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return NoHandle;
    }
    return NoHandle;
}

// A new file takes the folder's permissions; there is nothing to copy.
void copyPermissions(Handle, Handle) {}
void copyPermissions(Handle, const std::string&) {}

bool replace(const std::string& from, const std::string& to, bool syncToDevice)
{
    return ::MoveFileExW(wide(from).c_str(), wide(to).c_str(),
               MOVEFILE_REPLACE_EXISTING | (syncToDevice ? MOVEFILE_WRITE_THROUGH : 0)) != 0;
}

void remove(const std::string& path) { ::DeleteFileW(wide(path).c_str()); }

std::string resolved(const std::string& path)
{
    const std::wstring name = wide(path);
    const DWORD n = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    const DWORD written = ::GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
    full.resize(written);
    return narrow(full);
}

} // namespace scrivlet::native
