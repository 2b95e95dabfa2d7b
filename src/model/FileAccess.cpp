#include "model/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cw
{

namespace
{

constexpr const char* kReadOnly =
    "Unable to write to %1, it is read-only or opened by someone else.";
constexpr const char* kNoReader = "No program is reading from the pipe %1.";

// What the program was doing when a file error happened; it picks the fallback message.
enum class Stage { Open, Read, Create, Write };

std::string MessageFor(int error, Stage stage, const std::string& path)
{
    const char* pattern = nullptr;
    switch (error) {
    case ENOENT:
        // A save only meets ENOENT when a folder of the path is missing.
        pattern = stage == Stage::Open ? "%1 was not found." : "%1 contains an invalid path.";
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        pattern = "%1 contains an invalid path.";
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        pattern = "Access to %1 was denied.";
        break;
    case EBUSY:
    case ETXTBSY:
        pattern = "A sharing violation occurred while accessing %1.";
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        pattern = "Disk full while accessing %1.";
        break;
    default:
        switch (stage) {
        case Stage::Open:
        case Stage::Read:
            pattern = "Failed to open document.";
            break;
        case Stage::Create:
            pattern = "Invalid filename.";
            break;
        case Stage::Write:
            pattern = "Failed to save document.";
            break;
        }
    }
    return WithPath(pattern, path);
}

// Closes a descriptor on every way out of a scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows up here).
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t NewFileMode()
{
    // The permissions an ordinary newly created file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a chain of symbolic links ends at, which need not exist yet: saving through a
// dangling link creates the file it names. Answers 0 or the error.
int FollowLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {
        };
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return errno;
        if (static_cast<std::size_t>(n) == link.size())
            return ENAMETOOLONG; // the link changed while it was read
        link.resize(static_cast<std::size_t>(n));
        // A relative link counts from the folder that holds it.
        const std::size_t slash = target.rfind('/');
        if (!link.starts_with('/') && slash != std::string::npos)
            link = target.substr(0, slash + 1) + link;
        target = std::move(link);
    }
    return ELOOP;
}

// Writes to a device or a named pipe in place. Opening a pipe that nobody reads would wait for a
// reader forever, so the open does not wait; the writes then do, as they would for any pipe.
FileResult WriteDirectly(const std::string& path, std::string_view bytes)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        struct stat st {
        };
        if (error == ENXIO && ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode))
            return {WithPath(kNoReader, path)};
        return {MessageFor(error, Stage::Create, path)};
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !WriteAll(fd.get(), bytes))
        return {MessageFor(errno, Stage::Write, path)};
    if (!fd.Close())
        return {MessageFor(errno, Stage::Write, path)};
    return {};
}

} // namespace

std::string WithPath(std::string_view pattern, const std::string& path)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '1') {
            out += path;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat x {
    }, y{};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes,
                         std::string_view tooLargeMessage)
{
    // Non-blocking so that a named pipe cannot hang the program; it is refused below anyway.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return {MessageFor(errno, Stage::Open, path)};
    struct stat st {
    };
    if (::fstat(fd.get(), &st) != 0)
        return {MessageFor(errno, Stage::Open, path)};
    if (!S_ISREG(st.st_mode))
        return {MessageFor(EACCES, Stage::Open, path)};
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return {WithPath(tooLargeMessage, path)};

    // One byte beyond the limit tells a file that grew since fstat from one that ends there.
    const std::size_t limit = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    std::string data;
    try {
        data.resize(static_cast<std::size_t>(st.st_size));
        std::size_t filled = 0;
        for (;;) {
            if (filled == data.size()) {
                if (data.size() >= limit)
                    return {WithPath(tooLargeMessage, path)};
                data.resize(data.size() + std::min<std::size_t>(limit - data.size(), 65536));
            }
            const ssize_t n = ::read(fd.get(), data.data() + filled, data.size() - filled);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return {MessageFor(errno, Stage::Read, path)};
            }
            if (n == 0)
                break;
            filled += static_cast<std::size_t>(n);
        }
        if (filled > maxBytes)
            return {WithPath(tooLargeMessage, path)};
        data.resize(filled);
    } catch (const std::bad_alloc&) {
        return {MessageFor(ENOMEM, Stage::Read, path)};
    }
    bytes = std::move(data);
    return {};
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    struct stat st {
    };
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        // A terminal, /dev/null or a pipe has nothing to replace: it takes the bytes as they come.
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
            return WriteDirectly(path, bytes);
        // Renaming over a folder or a disk would destroy something that is no file.
        return {MessageFor(S_ISDIR(st.st_mode) ? EISDIR : EACCES, Stage::Create, path)};
    }

    std::string target;
    if (const int error = FollowLinks(path, target))
        return {MessageFor(error, Stage::Create, path)};
    mode_t mode = NewFileMode();
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return {MessageFor(EACCES, Stage::Create, path)};
        // The folder may well allow the rename, but a file the user protected stays as it is.
        // Root passes every access check, so the permission bits are asked as well.
        if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return {WithPath(kReadOnly, path)};
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return {MessageFor(errno, Stage::Create, path)};
    }

    // The folder with its closing slash, or nothing for a name in the working folder.
    const std::string folder = target.substr(0, target.rfind('/') + 1);
    std::string temp = folder + "." + target.substr(folder.size()) + ".XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return {MessageFor(errno, Stage::Create, path)};

    auto fail = [&](int error) {
        ::unlink(temp.c_str());
        return FileResult{MessageFor(error, Stage::Write, path)};
    };
    if (::fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0)
        return fail(errno);
    if (!fd.Close())
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);

    // Make the rename itself durable. The new contents are in place already, so a folder that
    // cannot be synced is not reported as a failed save.
    Descriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return {};
}

} // namespace cw
