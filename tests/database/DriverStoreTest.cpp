#include "database/DriverStore.h"

#include "database/DriverColumns.h"
#include "database/Sqlite.h"
#include "driver/DriverFile.h"
#include "driver/Windows1252.h"
#include "support/TestFiles.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sqlite3.h>

namespace cw::database
{
namespace
{

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

ImportedDriver Imported(DriverParams d, std::string source = "/drivers/x.dvr")
{
    ImportedDriver i;
    i.driver = std::move(d);
    i.sourceFile = std::move(source);
    i.sourceFormat = kFormatDriverFile;
    return i;
}

DriverParams Named(const std::string& manufacturer, const std::string& model, double fs = 0)
{
    DriverParams d;
    d.manufacturer = manufacturer;
    d.model = model;
    d.fs = fs;
    return d;
}

// Adds drivers to the store at path, which is made when it does not exist.
void Fill(const std::string& path, const std::vector<DriverParams>& drivers)
{
    DriverStore store;
    ASSERT_TRUE(store.Open(path).ok());
    std::vector<ImportedDriver> batch;
    for (const DriverParams& d : drivers)
        batch.push_back(Imported(d));
    AddReport report;
    ASSERT_TRUE(store.Add(batch, report).ok());
}

std::int64_t CountIn(const std::string& path)
{
    DriverStore store;
    std::int64_t n = -1;
    EXPECT_TRUE(store.Open(path, DriverStore::Access::ReadOnly).ok());
    EXPECT_TRUE(store.Count(n).ok());
    return n;
}

// A second program's connection to the same file.
struct OtherProgram {
    Connection c;
    explicit OtherProgram(const std::string& path) { EXPECT_EQ(c.Open(path, false, 0), SQLITE_OK); }
    void Run(const std::string& sql)
    {
        ASSERT_EQ(c.Execute(sql.c_str()), SQLITE_OK) << c.LastError();
    }
};

TEST(DriverStore, DriverFileThroughTheStoreComesBackByteForByte)
{
    TempDir dir;
    DriverParams d = SampleDriver();
    d.driverKey = -77;
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    d.description = Cp1252ToUtf8(everyByte) + "\r\nNOTE: second line";
    d.spareReal35 = std::numeric_limits<double>::quiet_NaN();
    d.spareReal47 = -0.0;
    d.spareReal51 = std::numeric_limits<double>::infinity();
    d.spareReal53 = 1e300;
    d.rms = 5e-324;
    for (std::size_t i = 0; i < d.spareTexts.size(); ++i) {
        d.spareTexts[i] = "spare " + std::to_string(i);
        d.spareReals[i] = -1.0 / (static_cast<double>(i) + 3);
    }
    std::string original = EncodeDriver(d);
    // A NaN with a payload of its own, as some other program may have stored it.
    const std::uint64_t payloadNan = 0x7FF4000000000123ull;
    std::memcpy(original.data() + original.size() - 8, &payloadNan, 8);
    WriteBytes(dir / "in.dvr", original);

    ImportBatch batch = ReadDriverFiles({dir / "in.dvr"});
    ASSERT_EQ(batch.drivers.size(), 1u);
    DriverStore store;
    ASSERT_TRUE(store.Open(dir / "drivers.sqlite").ok());
    AddReport report;
    ASSERT_TRUE(store.Add(batch.drivers, report).ok());
    ASSERT_EQ(report.added.size(), 1u);
    store.Close();

    // Read back by a fresh connection, so nothing comes from memory.
    DriverStore again;
    ASSERT_TRUE(again.Open(dir / "drivers.sqlite", DriverStore::Access::ReadOnly).ok());
    std::optional<StoredDriver> stored;
    ASSERT_TRUE(again.Get(report.added[0], stored).ok());
    ASSERT_TRUE(stored);
    EXPECT_EQ(EncodeDriver(stored->driver), original);
    EXPECT_EQ(stored->sourceFile, (dir.path() / "in.dvr").string());
    EXPECT_EQ(stored->sourceFormat, "dvr");
    EXPECT_EQ(stored->addedAt.size(), 20u);
    EXPECT_EQ(stored->addedAt.back(), 'Z');
}

TEST(DriverStore, OneColumnPerFieldOfTheRecord)
{
    // 98 columns: one per field, the spare lists slot by slot.
    const std::vector<DriverColumn>& columns = DriverColumns();
    ASSERT_EQ(columns.size(), 98u);
    EXPECT_EQ(columns[0].name, "driverKey");
    EXPECT_STREQ(columns[0].sqlType, "INTEGER");
    EXPECT_EQ(columns[19].name, "fs");
    EXPECT_STREQ(columns[19].sqlType, "REAL");
    EXPECT_EQ(columns[78].name, "spareTexts0");
    EXPECT_STREQ(columns[78].sqlType, "TEXT");
    EXPECT_EQ(columns[97].name, "spareReals9");

    TempDir dir;
    Fill(dir / "d.sqlite", {SampleDriver()});
    Connection c;
    ASSERT_EQ(c.Open(dir / "d.sqlite", true, 0), SQLITE_OK);
    int result = 0;
    EXPECT_EQ(QueryInteger(c, "SELECT fs FROM drivers", result), 41);
    EXPECT_EQ(QueryInteger(c,
                           "SELECT count(*) FROM drivers WHERE manufacturer = "
                           "'Conewright Sample Drivers' AND boltCircleIn = 7.835",
                           result),
              1);
    EXPECT_EQ(QueryInteger(c, "PRAGMA user_version", result), kDatabaseFormat);
}

TEST(DriverStore, AddsEachDriverOnceWithItsFindings)
{
    TempDir dir;
    DriverStore store;
    ASSERT_TRUE(store.Open(dir / "d.sqlite").ok());
    DriverParams inconsistent = Named("Acme", "Q-Test", 40);
    inconsistent.qes = 0.5;
    inconsistent.qms = 5;
    inconsistent.qts = 0.6; // 0.4545 from the two
    ImportedDriver guessed = Imported(inconsistent);
    guessed.findings = {"BL: \"5.9 N/A\" was read as 5.9."};

    AddReport first;
    ASSERT_TRUE(store.Add(std::vector{guessed, Imported(SampleDriver())}, first).ok());
    ASSERT_EQ(first.added.size(), 2u);
    EXPECT_TRUE(first.duplicates.empty());

    // The same drivers again, from another file, and one of them twice in one batch.
    AddReport second;
    DriverParams changed = SampleDriver();
    changed.fs = 42;
    ASSERT_TRUE(store
                    .Add(std::vector{Imported(SampleDriver(), "/elsewhere.dvr"), Imported(changed),
                                     Imported(changed)},
                         second)
                    .ok());
    EXPECT_EQ(second.added.size(), 1u);
    EXPECT_EQ(second.duplicates, (std::vector<std::string>{"Conewright Sample Drivers CW-200W",
                                                           "Conewright Sample Drivers CW-200W"}));

    std::optional<StoredDriver> stored;
    ASSERT_TRUE(store.Get(first.added[0], stored).ok());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->importFindings, std::vector<std::string>{"BL: \"5.9 N/A\" was read as 5.9."});
    EXPECT_EQ(stored->checkFindings,
              std::vector<std::string>{"Q(ts) 0.6 is 32% above the 0.4545 from Q(es) and Q(ms)."});
    // The findings stay beside the driver: its own texts are as imported.
    EXPECT_EQ(stored->driver, inconsistent);

    std::vector<DriverSummary> all;
    ASSERT_TRUE(store.Find({}, all).ok());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].model, "Q-Test");
    EXPECT_EQ(all[0].findings.size(), 2u);

    ASSERT_TRUE(store.Remove(std::vector{first.added[0]}).ok());
    ASSERT_TRUE(store.Get(first.added[0], stored).ok());
    EXPECT_FALSE(stored);
    std::int64_t n = 0;
    ASSERT_TRUE(store.Count(n).ok());
    EXPECT_EQ(n, 2);
}

TEST(DriverStore, SearchesManufacturerAndModelAndFiltersRanges)
{
    TempDir dir;
    DriverParams woofer = Named("Acme Audio", "W8-100%", 38);
    woofer.nominalDiameterIn = 8; // only the inch copy given
    woofer.qts = 0.38;
    woofer.vasCuFt = 1; // 28.3 liters
    woofer.xMax = 6;
    DriverParams tweeter = Named("Acme Audio", "T25 silk", 900);
    tweeter.nominalDiameterMm = 25;
    tweeter.qts = 0.6;
    DriverParams other = Named("Bolt & Sons", "W8 Pro", 30);
    other.nominalDiameterMm = 200;
    other.qts = 0.35;
    other.vasLiters = 60;
    other.xMax = 9;
    DriverParams broken = Named("Bolt & Sons", "NaN", std::numeric_limits<double>::quiet_NaN());
    Fill(dir / "d.sqlite", {woofer, tweeter, other, broken});

    DriverStore store;
    ASSERT_TRUE(store.Open(dir / "d.sqlite", DriverStore::Access::ReadOnly).ok());
    const auto models = [&](const DriverFilter& f) {
        std::vector<DriverSummary> found;
        EXPECT_TRUE(store.Find(f, found).ok());
        std::vector<std::string> names;
        for (const DriverSummary& d : found)
            names.push_back(d.model);
        return names;
    };
    using Names = std::vector<std::string>;
    DriverFilter f;
    f.search = "w8";
    EXPECT_EQ(models(f), (Names{"W8-100%", "W8 Pro"}));
    f.search = "  acme   W8 ";
    EXPECT_EQ(models(f), (Names{"W8-100%"}));
    f.search = "audio t25"; // words in any field, any order
    EXPECT_EQ(models(f), (Names{"T25 silk"}));
    f.search = "100%";
    EXPECT_EQ(models(f), (Names{"W8-100%"}));
    f.search = "0%"; // % is a character, not a pattern
    EXPECT_EQ(models(f), (Names{"W8-100%"}));
    f.search = "_8";
    EXPECT_EQ(models(f), Names{});

    f = {};
    f.fs.max = 40;
    EXPECT_EQ(models(f), (Names{"W8-100%", "W8 Pro"}));
    f.fs.min = 35;
    EXPECT_EQ(models(f), (Names{"W8-100%"}));
    f = {};
    f.fs.min = 0; // a NaN is in no range
    EXPECT_EQ(models(f).size(), 3u);
    f = {};
    f.xMax.max = 8; // nor a value not given: the tweeter has no X(max)
    EXPECT_EQ(models(f), (Names{"W8-100%"}));

    // Twins: the filter and the summary take the copy the driver gives.
    f = {};
    f.nominalDiameterMm = {200, 210};
    EXPECT_EQ(models(f), (Names{"W8-100%", "W8 Pro"}));
    f = {};
    f.vasLiters = {20, 30};
    EXPECT_EQ(models(f), (Names{"W8-100%"}));
    std::vector<DriverSummary> found;
    ASSERT_TRUE(store.Find(f, found).ok());
    EXPECT_EQ(found[0].nominalDiameterMm, 203.2);
    EXPECT_EQ(found[0].vasLiters, 28.317);

    f = {};
    f.search = "w8";
    f.qts = {0.3, 0.37};
    f.xMax.min = 8;
    EXPECT_EQ(models(f), (Names{"W8 Pro"}));

    std::vector<DriverSummary> named;
    ASSERT_TRUE(store.FindByName("ACME  audio w8-100%", named).ok());
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].fs, 38);
    ASSERT_TRUE(store.FindByName("Acme Audio W8", named).ok());
    EXPECT_TRUE(named.empty());
}

TEST(DriverStore, RefusesWhatItCannotUseAndLeavesTheFileAlone)
{
    TempDir dir;
    std::vector<DriverParams> many(300, SampleDriver());
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].model = "M" + std::to_string(i);
    Fill(dir / "good.sqlite", many);
    const std::string good = ReadBytes(dir / "good.sqlite");
    ASSERT_GT(good.size(), 16384u);

    const auto refused = [&](const std::string& name, const std::string& bytes,
                             const std::string& message) {
        const std::string path = dir / name;
        WriteBytes(path, bytes);
        DriverStore store;
        const FileResult r = store.Open(path);
        EXPECT_EQ(r.message, message) << name;
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(ReadBytes(path), bytes) << name;
    };
    refused("truncated.sqlite", good.substr(0, good.size() / 2),
            "The driver database " + dir / "truncated.sqlite" + " is damaged and cannot be used.");
    refused("header.sqlite", good.substr(0, 60),
            "The driver database " + dir / "header.sqlite" + " is damaged and cannot be used.");
    std::string garbage(20000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
    refused("garbage.sqlite", garbage,
            dir / "garbage.sqlite" + " is not a Conewright driver database.");
    refused("text.sqlite", "Manufacturer\tModel\nAcme\tW8\n",
            dir / "text.sqlite" + " is not a Conewright driver database.");
    // Damage inside a page the header does not cover.
    std::string flipped = good;
    for (std::size_t i = 8192; i < 8192 + 200; ++i)
        flipped[i] = static_cast<char>(~flipped[i]);
    refused("flipped.sqlite", flipped,
            "The driver database " + dir / "flipped.sqlite" + " is damaged and cannot be used.");

    // Another program's SQLite file, and one of ours from a newer version.
    {
        OtherProgram other(dir / "foreign.sqlite");
        other.Run("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')");
    }
    refused("foreign.sqlite", ReadBytes(dir / "foreign.sqlite"),
            dir / "foreign.sqlite" + " is not a Conewright driver database.");
    WriteBytes(dir / "newer.sqlite", good);
    {
        OtherProgram other(dir / "newer.sqlite");
        other.Run("PRAGMA user_version = 3");
    }
    refused("newer.sqlite", ReadBytes(dir / "newer.sqlite"),
            "The driver database " + dir / "newer.sqlite" +
                " was made by a newer version of Conewright (database format 3) and cannot be "
                "opened.");

    // A folder, and a file that does not exist when it may not be made.
    DriverStore store;
    EXPECT_EQ(store.Open(dir.path().string()).message,
              "Access to " + dir.path().string() + " was denied.");
    EXPECT_EQ(store.Open(dir / "none.sqlite", DriverStore::Access::ReadOnly).message,
              dir / "none.sqlite" + " was not found.");
    EXPECT_FALSE(std::filesystem::exists(dir / "none.sqlite"));
    EXPECT_EQ(ReadBytes(dir / "good.sqlite"), good);
}

TEST(DriverStore, LockedByAnotherProgram)
{
    TempDir dir;
    Fill(dir / "d.sqlite", {SampleDriver()});
    const std::string before = ReadBytes(dir / "d.sqlite");
    {
        // While another program writes its transaction out, nobody can read.
        OtherProgram other(dir / "d.sqlite");
        other.Run("BEGIN EXCLUSIVE");
        DriverStore store;
        EXPECT_EQ(store.Open(dir / "d.sqlite", DriverStore::Access::ReadWrite, 0).message,
                  "The driver database " + dir / "d.sqlite" +
                      " is in use by another program. Try again when it is done.");
        other.Run("ROLLBACK");
    }
    {
        // While it holds a write lock, reading goes on and writing waits its turn.
        OtherProgram other(dir / "d.sqlite");
        other.Run("BEGIN IMMEDIATE; DELETE FROM drivers");
        DriverStore store;
        ASSERT_TRUE(store.Open(dir / "d.sqlite", DriverStore::Access::ReadWrite, 0).ok());
        std::vector<DriverSummary> found;
        ASSERT_TRUE(store.Find({}, found).ok());
        EXPECT_EQ(found.size(), 1u);
        AddReport report;
        EXPECT_EQ(store.Add(std::vector{Imported(Named("A", "B"))}, report).message,
                  "The driver database " + dir / "d.sqlite" +
                      " is in use by another program. Try again when it is done.");
        EXPECT_TRUE(report.added.empty());
        EXPECT_FALSE(store.Remove(std::vector<std::int64_t>{found[0].id}).ok());
        other.Run("ROLLBACK");
    }
    EXPECT_EQ(ReadBytes(dir / "d.sqlite"), before);
    EXPECT_EQ(CountIn(dir / "d.sqlite"), 1);
}

// Tests run as root, for whom no file is write-protected: the read-only open flag gives the
// same connection SQLite makes for a file it may not write.
TEST(DriverStore, ReadOnlyStoreReadsAndRefusesEveryChange)
{
    TempDir dir;
    Fill(dir / "d.sqlite", {SampleDriver()});
    const std::string before = ReadBytes(dir / "d.sqlite");
    DriverStore store;
    ASSERT_TRUE(store.Open(dir / "d.sqlite", DriverStore::Access::ReadOnly).ok());
    EXPECT_TRUE(store.readOnly());
    std::vector<DriverSummary> found;
    ASSERT_TRUE(store.Find({}, found).ok());
    ASSERT_EQ(found.size(), 1u);
    const std::string refusal =
        "The driver database " + dir / "d.sqlite" + " is read-only; nothing was changed.";
    AddReport report;
    EXPECT_EQ(store.Add(std::vector{Imported(Named("A", "B"))}, report).message, refusal);
    EXPECT_EQ(store.Remove(std::vector<std::int64_t>{found[0].id}).message, refusal);
    store.Close();
    EXPECT_EQ(ReadBytes(dir / "d.sqlite"), before);

    // An empty file cannot become a database without writing.
    WriteBytes(dir / "empty.sqlite", "");
    EXPECT_EQ(store.Open(dir / "empty.sqlite", DriverStore::Access::ReadOnly).message,
              dir / "empty.sqlite" + " is not a Conewright driver database.");
    EXPECT_EQ(ReadBytes(dir / "empty.sqlite"), "");
}

// Format 1, as the first version of the program made it: the record's columns (the last field
// of the record not yet among them, as if the record gained it later) and the source columns.
void MakeFormatOne(const std::string& path)
{
    std::string create = "CREATE TABLE drivers (id INTEGER PRIMARY KEY";
    for (const DriverColumn& c : DriverColumns()) {
        if (c.name != "netWeight")
            create +=
                ", \"" + c.name + "\" " + c.sqlType +
                (std::string_view(c.sqlType) == "TEXT" ? " NOT NULL DEFAULT ''" : " DEFAULT 0");
    }
    create += ", sourceFile TEXT NOT NULL DEFAULT '', sourceFormat TEXT NOT NULL DEFAULT '', "
              "addedAt TEXT NOT NULL DEFAULT '')";
    OtherProgram old(path);
    old.Run(create);
    old.Run("INSERT INTO drivers (manufacturer, model, fs, qts, qes, qms, sourceFile, "
            "sourceFormat, addedAt) VALUES ('Old', 'Timer', 35, 0.3, 0.5, 5, '/old/t.dvr', 'dvr', "
            "'2020-01-01T00:00:00Z')");
    old.Run("PRAGMA application_id = 1129792578; PRAGMA user_version = 1");
}

TEST(DriverStore, BringsFormatOneUpToDate)
{
    TempDir dir;
    MakeFormatOne(dir / "old.sqlite");
    const std::string old = ReadBytes(dir / "old.sqlite");

    // Read-only, it cannot be brought up to date, and stays as it was.
    DriverStore store;
    EXPECT_EQ(store.Open(dir / "old.sqlite", DriverStore::Access::ReadOnly).message,
              "The driver database " + dir / "old.sqlite" +
                  " is of an older format and read-only, so it cannot be brought up to date.");
    EXPECT_EQ(ReadBytes(dir / "old.sqlite"), old);

    ASSERT_TRUE(store.Open(dir / "old.sqlite").ok());
    std::optional<StoredDriver> stored;
    ASSERT_TRUE(store.Get(1, stored).ok());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->driver.model, "Timer");
    EXPECT_EQ(stored->driver.fs, 35);
    EXPECT_EQ(stored->driver.netWeight, 0);
    EXPECT_EQ(stored->addedAt, "2020-01-01T00:00:00Z");
    // The check ran over the old rows: 0.3 against 0.4545 from Q(es) and Q(ms).
    EXPECT_TRUE(stored->importFindings.empty());
    EXPECT_EQ(stored->checkFindings,
              std::vector<std::string>{"Q(ts) 0.3 is 34% below the 0.4545 from Q(es) and Q(ms)."});
    // And their fingerprints: the same driver is not added twice.
    AddReport report;
    ASSERT_TRUE(store.Add(std::vector{Imported(stored->driver)}, report).ok());
    EXPECT_TRUE(report.added.empty());
    EXPECT_EQ(report.duplicates.size(), 1u);
    store.Close();

    Connection c;
    ASSERT_EQ(c.Open(dir / "old.sqlite", true, 0), SQLITE_OK);
    int result = 0;
    EXPECT_EQ(QueryInteger(c, "PRAGMA user_version", result), 2);
    EXPECT_EQ(QueryInteger(c,
                           "SELECT count(*) FROM pragma_table_info('drivers') WHERE name = "
                           "'netWeight'",
                           result),
              1);
}

TEST(DriverStore, DefaultPathFollowsTheDataFolder)
{
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(DefaultDatabasePath(), "/data/home/conewright/drivers.sqlite");
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    EXPECT_EQ(DefaultDatabasePath(),
              std::string(std::getenv("HOME")) + "/.local/share/conewright/drivers.sqlite");
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace cw::database
