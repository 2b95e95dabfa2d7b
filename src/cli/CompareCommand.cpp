#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "engine/CompareTable.h"
#include "model/CSpkSysDoc.h"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

namespace cw::cli
{

namespace
{

using Json = nlohmann::ordered_json;

// An array of one object per row, keyed as the CSV's columns; a value that does not apply is
// null.
std::string CompareAsJson(const std::vector<engine::CompareRow>& rows, bool metric)
{
    const std::vector<engine::CompareColumn> columns = engine::CompareColumns(metric);
    Json out = Json::array();
    for (const engine::CompareRow& row : rows) {
        const std::vector<engine::CompareCell> cells = engine::CompareCells(row);
        Json object = Json::object();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const engine::CompareCell& cell = cells[i];
            // A name may be empty; an empty box type or limit is none.
            if (cell.isText)
                object[columns[i].key] =
                    cell.text.empty() && columns[i].key != "name" ? Json(nullptr) : Json(cell.text);
            else
                object[columns[i].key] =
                    std::isfinite(cell.number) ? Json(cell.number) : Json(nullptr);
        }
        out.push_back(object);
    }
    return out.dump(1, '\t', false, Json::error_handler_t::replace) + '\n';
}

} // namespace

// The stored designs of a project side by side: CSV (to the standard output without an option)
// or JSON.
int CompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    Result usage = ParseCommandLine("compare", args, {"--csv", "--json", "--units"}, {}, line);
    const auto csv = line.value("--csv");
    const auto json = line.value("--json");
    const std::string units = line.value("--units").value_or("english");
    if (!usage && csv && json)
        usage = UsageError("compare writes --csv or --json, not both.");
    if (!usage && units != "metric" && units != "english")
        usage = UsageError("--units takes metric or english, not \"" + units + "\".");
    const std::string target = csv ? *csv : json ? *json : "-";
    if (!usage)
        usage = CheckNotInput(target, line.file);
    if (usage)
        return Fail(*usage, err);

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line.file, *doc)) {
        err << *error << '\n';
        return kExitDataError;
    }
    const bool metric = units == "metric";
    const auto rows = engine::CompareSystems(*doc, metric, kDefaultVentVelocityLimit);
    const std::string text =
        json ? CompareAsJson(rows, metric) : engine::CompareAsCsv(rows, metric);
    if (const Result written = WriteOutput(target, text)) {
        err << written->message << '\n';
        return written->exitCode;
    }
    if (!IsStandardOutput(target))
        out << "Wrote " << target << '\n';
    return kExitOk;
}

} // namespace cw::cli
