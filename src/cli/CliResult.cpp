#include "cli/CliResult.h"

#include <cstdio>
#include <fstream>

namespace cw::cli
{

Result WriteOutput(const std::string& path, const std::string& text)
{
    if (path == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout))
            return DataError("Failed to write to the standard output.");
        return std::nullopt;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file)
        return DataError("Failed to write " + path + ".");
    return std::nullopt;
}

} // namespace cw::cli
