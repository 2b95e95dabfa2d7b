#pragma once

#include "database/DriverImport.h"
#include "database/Sqlite.h"
#include "model/DriverParams.h"
#include "model/FileAccess.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The driver database: one SQLite file with a row per driver. Each row holds every field of the
// driver record in a column of its own, where the driver came from, when it was added, and the
// findings of its import and of the consistency check.
namespace cw::database
{

// The format of the file, kept in its user_version. 1: the drivers and where they came from;
// 2: the findings and the fingerprint that finds a driver already stored.
inline constexpr int kDatabaseFormat = 2;

// $XDG_DATA_HOME/conewright/drivers.sqlite, or ~/.local/share/… when it is not set; empty when
// neither is known.
std::string DefaultDatabasePath();

struct StoredDriver {
    std::int64_t id = 0;
    DriverParams driver;
    std::string sourceFile;
    std::string sourceFormat;
    std::string addedAt;                     // UTC, as 2024-05-01T12:00:00Z
    std::vector<std::string> importFindings; // what the import had to guess
    std::vector<std::string> checkFindings;  // the consistency check's, when it was stored
};

// What a table of drivers shows: the identity and the values it filters on, in both unit
// systems where the record keeps both.
struct DriverSummary {
    std::int64_t id = 0;
    std::string manufacturer;
    std::string model;
    double nominalDiameterMm = 0;
    double nominalDiameterIn = 0;
    double fs = 0;
    double qts = 0;
    double vasLiters = 0;
    double vasCuFt = 0;
    double xMax = 0;
    std::vector<std::string> findings; // the import's, then the check's
};

// Inclusive bounds in the record's units; an open end is not given.
struct Range {
    std::optional<double> min;
    std::optional<double> max;
    bool active() const { return min || max; }
};

struct DriverFilter {
    std::string search; // every word must occur in the manufacturer or the model
    Range nominalDiameterMm, fs, qts, vasLiters, xMax;
};

struct AddReport {
    std::vector<std::int64_t> added;
    std::vector<std::string> duplicates; // "MANUFACTURER MODEL" of drivers already stored
};

class DriverStore
{
public:
    enum class Access { ReadWrite, ReadOnly };

    // Opens the file, making a new database when no file is there (read-write only) and
    // bringing an older format up to date. A file that is in use, damaged, of a newer format,
    // not a driver database, holding anything the program did not make (a trigger, a view, a
    // column), or read-only where an upgrade is due, is refused with the message for the user
    // and left untouched; the store is then closed. So are names SQLite reads as a database in
    // memory or a URI. The journal of an interrupted import is rolled back first. busyTimeoutMs
    // is how long a lock held by another program is waited for.
    FileResult Open(const std::string& path, Access access = Access::ReadWrite,
                    int busyTimeoutMs = 2000);
    void Close() { db_.Close(); }
    bool isOpen() const { return db_.isOpen(); }
    // Opened for reading only, by request or because the file cannot be written.
    bool readOnly() const { return db_.readOnly(); }
    const std::string& path() const { return path_; }

    // Adds the drivers in one transaction, each with the findings of its import and of the
    // check; a driver identical to one already stored is left out. On failure nothing is added.
    // The first change of a session checks the whole file first and refuses a damaged one.
    FileResult Add(std::span<const ImportedDriver> drivers, AddReport& report);
    // Replaces the record of driver id with d, checked anew; where it came from and what its
    // import found stay. Not found is no failure.
    FileResult Update(std::int64_t id, const DriverParams& d);
    // Removes the drivers in one transaction.
    FileResult Remove(std::span<const std::int64_t> ids);

    // The drivers that pass the filter, by manufacturer and model; a search of more words or
    // characters than any name has is refused.
    FileResult Find(const DriverFilter& filter, std::vector<DriverSummary>& out) const;
    // The drivers whose manufacturer and model, with one blank between, are name (ignoring
    // case and repeated blanks).
    FileResult FindByName(const std::string& name, std::vector<DriverSummary>& out) const;
    // One driver; not found is no failure, out is then empty.
    FileResult Get(std::int64_t id, std::optional<StoredDriver>& out) const;
    FileResult Count(std::int64_t& count) const;

private:
    FileResult Refusal(int code) const;
    FileResult Recover(int busyTimeoutMs) const;
    FileResult Prepare(bool created);
    FileResult CheckIntegrity(const char* pragma) const;
    FileResult CheckWhole();
    FileResult AddAll(std::span<const ImportedDriver> drivers, AddReport& report);
    // The columns of the drivers table in columns, when the file holds only what we make.
    FileResult CheckSchema(std::int64_t format, std::vector<std::string>& columns) const;
    // Runs the statements in one transaction; derive then fills the findings and fingerprints.
    FileResult ChangeSchema(const std::vector<std::string>& steps, bool derive);
    FileResult StoreDerived(); // findings and fingerprint of every row, after an upgrade

    Connection db_;
    std::string path_;
    int busyTimeoutMs_ = 0;
    bool wholeChecked_ = false; // the full integrity check passed in this session
};

// Refuses a save to output when it is the file of the database at databasePath (the user's own
// when empty), which a driver or project written over it would destroy.
FileResult CheckNotDatabase(const std::string& output, const std::string& databasePath = {});

// Opens the database at path, or the user's own (DefaultDatabasePath) when path is empty; the
// user's folder is made when the store may write, as it does not exist before the first use.
FileResult OpenDatabase(DriverStore& store, const std::string& path, DriverStore::Access access);

} // namespace cw::database
