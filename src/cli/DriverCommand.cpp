#include "cli/DriverCommand.h"

#include "cli/CliResult.h"
#include "driver/DriverFile.h"
#include "model/FileAccess.h"
#include "project/ProjectFile.h"

#include <ostream>

namespace cw::cli
{

namespace
{

// Where the JSON and the driver file come from and go.
struct DriverArgs {
    std::string file;     // the driver file to print
    std::string fromJson; // or: the JSON to read
    std::string out;      // and the driver file to write
};

Result Parse(const std::vector<std::string>& args, DriverArgs& a)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--from-json" || word == "--out") {
            if (i + 1 == args.size())
                return UsageError("The option " + word + " needs a file.");
            (word == "--out" ? a.out : a.fromJson) = args[++i];
        } else if (word.starts_with("--") || !a.file.empty()) {
            return UsageError("Unexpected argument \"" + word + "\".");
        } else {
            a.file = word;
        }
    }
    const bool print = !a.file.empty() && a.fromJson.empty() && a.out.empty();
    const bool write = a.file.empty() && !a.fromJson.empty() && !a.out.empty();
    if (!print && !write)
        return UsageError("driver takes FILE.dvr, or --from-json IN.json --out OUT.dvr.");
    return write ? CheckNotInput(a.out, a.fromJson) : std::nullopt;
}

Result Print(const std::string& path, std::ostream& out)
{
    DriverParams d;
    if (const FileResult r = ReadDriverFile(path, d); !r.ok())
        return DataError(r.message);
    out << SerializeDriver(d);
    return out ? Result{} : DataError("Failed to write to the standard output.");
}

Result Write(const std::string& jsonPath, const std::string& driverPath)
{
    std::string text;
    if (const FileResult r = ReadWholeFile(jsonPath, text, kMaxProjectFileBytes); !r.ok())
        return DataError(r.message);
    DriverParams d;
    if (const std::optional<std::string> error = ParseDriver(text, d))
        return DataError(WithPath(*error, jsonPath));
    std::string bytes;
    try {
        bytes = EncodeDriver(d);
    } catch (const std::exception&) {
        return DataError("Failed to save document.");
    }
    return WriteOutput(driverPath, bytes);
}

} // namespace

int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    DriverArgs a;
    Result result = Parse(args, a);
    if (!result)
        result = a.file.empty() ? Write(a.fromJson, a.out) : Print(a.file, out);
    if (!result)
        return kExitOk;
    err << result->message << '\n';
    return result->exitCode;
}

} // namespace cw::cli
