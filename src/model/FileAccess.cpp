#include "model/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace cw
{

namespace
{

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
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    mode_t mode = NewFileMode();
    struct stat st {
    };
    if (::stat(target.c_str(), &st) == 0) {
        // Renaming over a folder, a device or a pipe would destroy something that is no file.
        if (!S_ISREG(st.st_mode))
            return {MessageFor(S_ISDIR(st.st_mode) ? EISDIR : EACCES, Stage::Create, path)};
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return {MessageFor(errno, Stage::Create, path)};
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
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
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return {};
}

} // namespace cw
