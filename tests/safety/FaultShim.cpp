// Loaded with LD_PRELOAD: fails the Nth write-side operation on files inside
// one folder, so tests can see what a program leaves behind when a write, a
// flush or a rename fails at any point.
//
//   SCRIVLET_FAULT_DIR      only files whose path starts with this are counted
//   SCRIVLET_FAULT_AT       N: the first operation to fail (1-based)
//   SCRIVLET_FAULT_PARTIAL  1: a failing write writes half its bytes first
//   SCRIVLET_FAULT_PERSIST  1: every operation from N on fails, not only the Nth
//   SCRIVLET_FAULT_REPORT   file that receives "operations injected" at exit

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Settings {
    std::string folder;
    long failAt = 0;
    bool partial = false;
    bool persist = false;
    const char* report = nullptr;
    long operations = 0;
    long injected = 0;

    Settings()
    {
        if (const char* f = std::getenv("SCRIVLET_FAULT_DIR"))
            folder = f;
        if (const char* n = std::getenv("SCRIVLET_FAULT_AT"))
            failAt = std::atol(n);
        partial = std::getenv("SCRIVLET_FAULT_PARTIAL") && std::strcmp(std::getenv("SCRIVLET_FAULT_PARTIAL"), "1") == 0;
        persist = std::getenv("SCRIVLET_FAULT_PERSIST") && std::strcmp(std::getenv("SCRIVLET_FAULT_PERSIST"), "1") == 0;
        report = std::getenv("SCRIVLET_FAULT_REPORT");
    }
    ~Settings()
    {
        if (!report)
            return;
        if (FILE* out = std::fopen(report, "w")) {
            std::fprintf(out, "%ld %ld\n", operations, injected);
            std::fclose(out);
        }
    }
};

Settings& settings()
{
    static Settings s;
    return s;
}

bool inFolder(const char* path)
{
    const std::string& folder = settings().folder;
    return !folder.empty() && path && std::strncmp(path, folder.c_str(), folder.size()) == 0;
}

bool fdInFolder(int fd)
{
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return false;
    target[n] = 0;
    return inFolder(target);
}

// Counts one operation; true when it is to fail.
bool failsNow()
{
    Settings& s = settings();
    ++s.operations;
    const bool fail = s.failAt > 0 && (s.operations == s.failAt || (s.persist && s.operations > s.failAt));
    if (fail)
        ++s.injected;
    return fail;
}

template <typename F>
F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t length)
{
    static auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (!fdInFolder(fd) || !failsNow())
        return next(fd, data, length);
    if (settings().partial && length > 1)
        return next(fd, data, length / 2);
    errno = ENOSPC;
    return -1;
}

ssize_t pwrite(int fd, const void* data, size_t length, off_t offset)
{
    static auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (!fdInFolder(fd) || !failsNow())
        return next(fd, data, length, offset);
    if (settings().partial && length > 1)
        return next(fd, data, length / 2, offset);
    errno = ENOSPC;
    return -1;
}

ssize_t pwrite64(int fd, const void* data, size_t length, off_t offset)
{
    return pwrite(fd, data, length, offset);
}

int fsync(int fd)
{
    static auto next = real<int (*)(int)>("fsync");
    if (!fdInFolder(fd) || !failsNow())
        return next(fd);
    errno = EIO;
    return -1;
}

int fdatasync(int fd)
{
    static auto next = real<int (*)(int)>("fdatasync");
    if (!fdInFolder(fd) || !failsNow())
        return next(fd);
    errno = EIO;
    return -1;
}

int ftruncate(int fd, off_t length)
{
    static auto next = real<int (*)(int, off_t)>("ftruncate");
    if (!fdInFolder(fd) || !failsNow())
        return next(fd, length);
    errno = EIO;
    return -1;
}

int rename(const char* from, const char* to)
{
    static auto next = real<int (*)(const char*, const char*)>("rename");
    if (!inFolder(to) || !failsNow())
        return next(from, to);
    errno = EIO;
    return -1;
}

} // extern "C"
