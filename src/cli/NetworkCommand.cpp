#include "calculators/CrossoverPages.h"
#include "pictures/NetworkGraph.h"
#include "cli/CliResult.h"
#include "cli/CurveCsv.h"
#include "cli/OutputCommands.h"
#include "model/CSpkSysDoc.h"
#include "pictures/NetworkGraph.h"

#include <memory>
#include <ostream>

namespace cw::cli
{

// The response of a crossover calculator page's network, with the workbench's values, as the
// page's graph shows it.
int NetworkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    Result usage = ParseCommandLine("network", args, {"--crossover", "--csv"}, {}, line);
    int page = -1;
    if (!usage)
        usage = IntOption(line, "--crossover", -1, 0, 8, page);
    if (!usage && page < 0)
        usage = UsageError("network needs the calculator page: --crossover 0..8.");
    if (!usage && !line.value("--csv"))
        usage = UsageError("network writes a table: give --csv OUT or --csv -.");
    if (usage)
        return Fail(*usage, err);
    const std::string target = *line.value("--csv");
    if (const Result same = CheckNotInput(target, line.file))
        return Fail(*same, err);

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line.file, *doc))
        return Fail({kExitDataError, *error}, err);
    if (const auto why = calc::CrossoverPageRefusal(doc->workbench(), page))
        return Fail(
            {kExitDataError, "No network on calculator page " + std::to_string(page) + ": " + *why},
            err);
    const auto response =
        calc::CrossoverPageResponse(doc->workbench(), page, pictures::NetworkGraphFrequencies());
    if (!response)
        return Fail({kExitDataError, "The network of calculator page " + std::to_string(page) +
                                         " has a component of 0: calculate it first."},
                    err);
    if (const Result written = WriteOutput(target, NetworkResponseAsCsv(*response)))
        return Fail(*written, err);
    if (!IsStandardOutput(target))
        out << "Wrote " << target << '\n';
    return kExitOk;
}

} // namespace cw::cli
