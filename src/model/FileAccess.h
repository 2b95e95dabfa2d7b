#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whole-file reading and safe replacement of files, with the messages the user sees when a file
// cannot be read or written. Shared by the driver file and the project file.
namespace cw
{

// The outcome of a file operation: empty when it went well, otherwise the message for the user
// (the file's path already in place).
struct FileResult {
    std::string message;
    bool ok() const { return message.empty(); }
};

// Replaces every "%1" of pattern with path.
std::string WithPath(std::string_view pattern, const std::string& path);

// Reads the whole of a regular file into bytes. A file longer than maxBytes is refused with
// tooLargeMessage (which may hold %1) before anything is allocated for it.
FileResult ReadWholeFile(const std::string& path, std::string& bytes,
                         std::size_t maxBytes = static_cast<std::size_t>(-1),
                         std::string_view tooLargeMessage = "Failed to open document.");

// Whether both paths name one existing file, however each is spelled and whatever links lead to
// it (the same device and inode).
bool SameFile(const std::string& a, const std::string& b);

// Writes bytes to path so that the previous file survives any failure: the bytes go to a new
// file in the same folder, which is flushed to disk and then renamed over the target. A symbolic
// link is followed, so the link stays and its target is replaced (or created, when the link
// dangles); the old file's permissions are kept, and a read-only file is refused. A character
// device (/dev/null, a terminal) or a named pipe has nothing to replace and is written directly;
// a pipe that no program reads is refused rather than waited for. A folder or any other kind of
// file at path is refused.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace cw
