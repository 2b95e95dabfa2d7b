#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::cli
{

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDataError = 1; // a file or its data, or a result that cannot be had
inline constexpr int kExitUsage = 2;     // the command line itself

struct Failure {
    int exitCode = kExitDataError;
    std::string message;
};
// Nothing when the step went well.
using Result = std::optional<Failure>;

inline Result UsageError(std::string message)
{
    return Failure{kExitUsage, std::move(message)};
}
inline Result DataError(std::string message)
{
    return Failure{kExitDataError, std::move(message)};
}

// Whether path names the standard output: "-", or a name of the file the standard output goes
// to, such as /dev/stdout.
bool IsStandardOutput(const std::string& path);

// Writes bytes to the standard output (IsStandardOutput) or else to the named file, which is
// replaced whole or not at all.
Result WriteOutput(const std::string& path, std::string_view bytes);

// Refuses an output that would overwrite the file the command reads: the same name, or another
// name or a link for the same file.
Result CheckNotInput(const std::string& output, const std::string& input);
// The same for every output against every input.
Result CheckNotInputs(const std::vector<std::string>& outputs,
                      const std::vector<std::string>& inputs);

// Flushes the standard output and reports what it could not take (a full disk, a closed pipe).
Result FlushStandardOutput();

} // namespace cw::cli
