#include "cli/DatabaseCommand.h"

#include "database/DriverCheck.h"
#include "database/DriverImport.h"
#include "database/DriverStore.h"
#include "database/ImportText.h"
#include "driver/DriverFile.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>

namespace cw::cli
{

namespace
{

using database::DriverStore;

struct DatabaseArgs {
    std::string db;
    std::string command;
    std::vector<std::string> files; // import
    std::string search;             // list
    bool json = false;              // list
    bool fixUnits = false;          // check
    std::optional<std::int64_t> id; // export, check
    std::string out;                // export
};

std::optional<std::int64_t> ParseId(const std::string& text)
{
    std::int64_t id = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (ec != std::errc{} || end != text.data() + text.size() || id <= 0)
        return std::nullopt;
    return id;
}

Result Parse(const std::vector<std::string>& args, DatabaseArgs& a)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool takesValue =
            word == "--db" || word == "--search" || word == "--id" || word == "--out";
        if (takesValue && i + 1 == args.size())
            return UsageError("The option " + word + " needs a value.");
        if (word == "--db") {
            a.db = args[++i];
        } else if (word == "--search" && a.command == "list") {
            a.search = args[++i];
        } else if (word == "--json" && a.command == "list") {
            a.json = true;
        } else if (word == "--fix-units" && a.command == "check") {
            a.fixUnits = true;
        } else if (word == "--id" && (a.command == "export" || a.command == "check")) {
            a.id = ParseId(args[++i]);
            if (!a.id)
                return UsageError("--id takes the number of a driver, not \"" + args[i] + "\".");
        } else if (word == "--out" && a.command == "export") {
            a.out = args[++i];
        } else if (a.command.empty() && !word.starts_with("--")) {
            a.command = word;
        } else if (a.command == "import" && !word.starts_with("--")) {
            a.files.push_back(word);
        } else {
            return UsageError("Unexpected argument \"" + word + "\".");
        }
    }
    if (a.command != "list" && a.command != "import" && a.command != "export" &&
        a.command != "check")
        return UsageError("db takes list, import, export or check.");
    if (a.command == "import" && a.files.empty()) {
        std::string text = "db import takes files or folders.";
        for (const database::InstalledDatabase& d : database::InstalledDriverDatabases())
            text += " The " + d.name + " is installed: " + d.path;
        return UsageError(text);
    }
    if (a.command == "export" && (!a.id || a.out.empty()))
        return UsageError("db export takes --id N and --out FILE.dvr.");
    if (a.command == "export")
        return CheckNotInput(a.out, a.db.empty() ? database::DefaultDatabasePath() : a.db);
    return std::nullopt;
}

Result OpenStore(const std::string& path, DriverStore::Access access, DriverStore& store)
{
    if (const FileResult r = database::OpenDatabase(store, path, access); !r.ok())
        return DataError(r.message);
    return std::nullopt;
}

// Names and findings come from other people's files: printed, they keep to their line.
std::string Name(const std::string& manufacturer, const std::string& model)
{
    return database::Printable(manufacturer + " " + model);
}

Result List(const DriverStore& store, const DatabaseArgs& a, std::ostream& out)
{
    database::DriverFilter filter;
    filter.search = a.search;
    std::vector<database::DriverSummary> drivers;
    if (const FileResult r = store.Find(filter, drivers); !r.ok())
        return DataError(r.message);
    if (a.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const database::DriverSummary& d : drivers) {
            list.push_back({{"id", d.id},
                            {"manufacturer", d.manufacturer},
                            {"model", d.model},
                            {"nominalDiameterMm", d.nominalDiameterMm},
                            {"fs", d.fs},
                            {"qts", d.qts},
                            {"vasLiters", d.vasLiters},
                            {"xMax", d.xMax},
                            {"findings", d.findings}});
        }
        // Texts from other programs' files may hold bytes that are no UTF-8: they become U+FFFD.
        out << list.dump(1, '\t', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
        for (const database::DriverSummary& d : drivers) {
            out << d.id << ": " << Name(d.manufacturer, d.model);
            if (!d.findings.empty())
                out << " (" << d.findings.size()
                    << (d.findings.size() == 1 ? " finding)" : " findings)");
            out << '\n';
        }
    }
    return std::nullopt;
}

Result Import(DriverStore& store, const DatabaseArgs& a, std::ostream& out, std::ostream& err)
{
    const database::ImportBatch batch = database::ReadDriverFiles(a.files);
    database::AddReport report;
    if (const FileResult r = store.Add(batch.drivers, report); !r.ok())
        return DataError(r.message);
    out << "Imported " << report.added.size() << (report.added.size() == 1 ? " driver" : " drivers")
        << " from " << batch.filesRead << (batch.filesRead == 1 ? " file" : " files") << " into "
        << store.path() << ".\n";
    for (const std::string& name : report.duplicates)
        out << "Already in the database: " << database::Printable(name) << '\n';
    bool namedFileSkipped = false;
    for (const database::SkippedFile& s : batch.skipped) {
        err << "Skipped: " << database::Printable(s.reason) << '\n';
        namedFileSkipped =
            namedFileSkipped || std::find(a.files.begin(), a.files.end(), s.path) != a.files.end();
    }
    // A file named on the command line that gave nothing is a failure; a stray file in a
    // folder is only reported.
    if (namedFileSkipped)
        return Failure{kExitDataError, "Not every file named could be imported."};
    return std::nullopt;
}

Result Get(const DriverStore& store, std::int64_t id, database::StoredDriver& out)
{
    std::optional<database::StoredDriver> found;
    if (const FileResult r = store.Get(id, found); !r.ok())
        return DataError(r.message);
    if (!found)
        return DataError("There is no driver " + std::to_string(id) + " in the driver database " +
                         store.path() + ".");
    out = std::move(*found);
    return std::nullopt;
}

Result Export(const DriverStore& store, const DatabaseArgs& a)
{
    database::StoredDriver d;
    if (Result r = Get(store, *a.id, d))
        return r;
    std::string bytes;
    try {
        bytes = EncodeDriver(d.driver);
    } catch (const std::length_error&) {
        bytes.clear();
    }
    // The program opens no driver file larger than this, so none is written.
    if (bytes.empty() || bytes.size() > kMaxDriverFileBytes)
        return DataError("Driver " + std::to_string(*a.id) +
                         " is too large for a driver file, so it was not exported.");
    return WriteOutput(a.out, bytes);
}

// The check runs anew, so that it speaks for this version of the program. With fixUnits each
// value in the wrong unit is set to what it probably meant, and each change is printed.
Result Check(DriverStore& store, const DatabaseArgs& a, std::ostream& out)
{
    std::vector<std::int64_t> ids;
    if (a.id) {
        ids.push_back(*a.id);
    } else {
        std::vector<database::DriverSummary> all;
        if (const FileResult r = store.Find({}, all); !r.ok())
            return DataError(r.message);
        for (const database::DriverSummary& d : all)
            ids.push_back(d.id);
    }
    std::size_t withFindings = 0, mended = 0;
    for (const std::int64_t id : ids) {
        database::StoredDriver d;
        if (Result r = Get(store, id, d))
            return r;
        std::vector<std::string> findings = d.importFindings;
        for (std::string& f : database::CheckDriver(d.driver))
            findings.push_back(std::move(f));
        if (findings.empty() && !a.id)
            continue;
        withFindings += !findings.empty();
        out << id << ": " << Name(d.driver.manufacturer, d.driver.model) << '\n';
        for (const std::string& f : findings)
            out << "  " << database::Printable(f) << '\n';
        if (findings.empty())
            out << "  No findings.\n";
        const std::vector<database::UnitFix> fixes = database::LikelyUnitFixes(d.driver);
        if (!a.fixUnits || fixes.empty())
            continue;
        if (const FileResult r = store.Update(id, database::ApplyUnitFixes(d.driver, fixes));
            !r.ok())
            return DataError(r.message);
        for (const database::UnitFix& fix : fixes)
            out << "  Mended " << database::DescribeFix(fix) << ".\n";
        mended += fixes.size();
    }
    if (!a.id)
        out << withFindings << " of " << ids.size()
            << (ids.size() == 1 ? " driver has" : " drivers have") << " findings.\n";
    if (a.fixUnits)
        out << "Mended " << mended << (mended == 1 ? " value" : " values") << ".\n";
    return std::nullopt;
}

} // namespace

int RunDatabase(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    DatabaseArgs a;
    Result result = Parse(args, a);
    DriverStore store;
    if (!result)
        result = OpenStore(a.db,
                           a.command == "import" || a.fixUnits ? DriverStore::Access::ReadWrite
                                                               : DriverStore::Access::ReadOnly,
                           store);
    if (!result) {
        if (a.command == "list")
            result = List(store, a, out);
        else if (a.command == "import")
            result = Import(store, a, out, err);
        else if (a.command == "export")
            result = Export(store, a);
        else
            result = Check(store, a, out);
    }
    if (!result && !out.flush())
        result = DataError("Failed to write to the standard output.");
    if (!result)
        return kExitOk;
    err << result->message << '\n';
    return result->exitCode;
}

Result DriverFromDatabase(const std::string& dbPath, const std::string& name, DriverParams& out)
{
    DriverStore store;
    if (Result r = OpenStore(dbPath, DriverStore::Access::ReadOnly, store))
        return r;
    std::vector<database::DriverSummary> found;
    if (const FileResult r = store.FindByName(name, found); !r.ok())
        return DataError(r.message);
    if (found.empty())
        return DataError("There is no driver \"" + name + "\" in the driver database " +
                         store.path() + ".");
    if (found.size() > 1) {
        std::string ids;
        for (const database::DriverSummary& d : found)
            ids += (ids.empty() ? "" : ", ") + std::to_string(d.id);
        return DataError(std::to_string(found.size()) + " drivers are named \"" + name +
                         "\" in the driver database " + store.path() + " (" + ids +
                         "); export one with db export --id N and use --driver.");
    }
    database::StoredDriver d;
    if (Result r = Get(store, found[0].id, d))
        return r;
    out = std::move(d.driver);
    return std::nullopt;
}

} // namespace cw::cli
