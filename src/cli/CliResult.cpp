#include "cli/CliResult.h"

#include "model/FileAccess.h"

#include <cstdio>

namespace cw::cli
{

Result WriteOutput(const std::string& path, const std::string& text)
{
    if (path == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout))
            return DataError("Failed to write to the standard output.");
        return std::nullopt;
    }
    if (const FileResult r = WriteFileAtomically(path, text); !r.ok())
        return DataError(r.message);
    return std::nullopt;
}

} // namespace cw::cli
