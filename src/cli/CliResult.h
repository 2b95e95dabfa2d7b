#pragma once

#include <optional>
#include <string>

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

// Writes text to the named file, or to the standard output for "-".
Result WriteOutput(const std::string& path, const std::string& text);

} // namespace cw::cli
