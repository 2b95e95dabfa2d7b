#include "cli/CliResult.h"

#include "model/FileAccess.h"

#include <cstdio>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace cw::cli
{

namespace
{
constexpr const char* kStandardOutputFailed = "Failed to write to the standard output.";
}

bool IsStandardOutput(const std::string& path)
{
    if (path == "-")
        return true;
    // Written through its own descriptor, the output keeps its place in what the shell gave
    // the tool (an appended log, a pipe), which replacing the file by name would lose.
    struct stat named {
    }, out{};
    return ::stat(path.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 &&
           named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

Result WriteOutput(const std::string& path, std::string_view bytes)
{
    if (IsStandardOutput(path)) {
        std::cout.flush(); // what the tool printed before goes first
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
            return DataError(kStandardOutputFailed);
        return FlushStandardOutput();
    }
    if (const FileResult r = WriteFileAtomically(path, bytes); !r.ok())
        return DataError(r.message);
    return std::nullopt;
}

Result CheckNotInput(const std::string& output, const std::string& input)
{
    if (output == input || SameFile(output, input))
        return UsageError("The output " + output + " is the file the command reads.");
    return std::nullopt;
}

Result CheckNotInputs(const std::vector<std::string>& outputs,
                      const std::vector<std::string>& inputs)
{
    for (const std::string& output : outputs) {
        for (const std::string& input : inputs) {
            if (Result same = CheckNotInput(output, input))
                return same;
        }
    }
    return std::nullopt;
}

Result FlushStandardOutput()
{
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout))
        return DataError(kStandardOutputFailed);
    return std::nullopt;
}

} // namespace cw::cli
