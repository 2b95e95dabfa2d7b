#include "database/DriverStore.h"
#include "database/Sqlite.h"
#include "driver/DriverFile.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

// What the store refuses to trust: files that hold more than it made, damage the quick check
// misses, what an interrupted import leaves behind, and names that are no file.
namespace cw::database
{
namespace
{

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

ImportedDriver Imported(const std::string& model)
{
    ImportedDriver i;
    i.driver = SampleDriver();
    i.driver.model = model;
    i.sourceFile = "/drivers/" + model + ".dvr";
    i.sourceFormat = kFormatDriverFile;
    return i;
}

std::vector<ImportedDriver> Batch(int count, const std::string& prefix)
{
    std::vector<ImportedDriver> batch;
    for (int i = 0; i < count; ++i)
        batch.push_back(Imported(prefix + std::to_string(i)));
    return batch;
}

void Fill(const std::string& path, int count)
{
    DriverStore store;
    ASSERT_TRUE(store.Open(path).ok());
    AddReport report;
    ASSERT_TRUE(store.Add(Batch(count, "M"), report).ok());
}

// Another program's plain SQLite connection, which may do whatever SQLite allows.
void RunSql(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int r = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(r, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::int64_t Count(const std::string& path)
{
    DriverStore store;
    std::int64_t n = -1;
    const FileResult r = store.Open(path, DriverStore::Access::ReadOnly);
    EXPECT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(store.Count(n).ok());
    return n;
}

TEST(DriverStoreTrust, RefusesAFileHoldingWhatTheProgramDidNotMake)
{
    TempDir dir;
    Fill(dir / "good.sqlite", 3);
    const std::string good = ReadBytes(dir / "good.sqlite");
    struct Case {
        const char* name;
        std::string sql;
        std::string what;
    };
    const Case cases[] = {
        {"trigger.sqlite",
         "CREATE TRIGGER wipe AFTER INSERT ON drivers BEGIN DELETE FROM drivers WHERE id != "
         "new.id; END",
         "a trigger \"wipe\""},
        {"rewrite.sqlite",
         "CREATE TRIGGER shift AFTER INSERT ON drivers BEGIN UPDATE drivers SET fs = 1; END",
         "a trigger \"shift\""},
        {"view.sqlite",
         "ALTER TABLE drivers RENAME TO stored; CREATE VIEW drivers AS SELECT * FROM stored",
         "a table \"stored\""},
        {"table.sqlite", "CREATE TABLE notes (text TEXT)", "a table \"notes\""},
        {"index.sqlite", "CREATE INDEX by_model ON drivers (model)", "a index \"by_model\""},
        {"renamed.sqlite", "ALTER TABLE drivers RENAME COLUMN fs TO resonance",
         "the column \"resonance\""},
        {"extra.sqlite", "ALTER TABLE drivers ADD COLUMN secret TEXT", "the column \"secret\""},
        {"generated.sqlite",
         "ALTER TABLE drivers ADD COLUMN twice REAL GENERATED ALWAYS AS (fs * 2)",
         "the column \"twice\""},
        {"dropped.sqlite", "ALTER TABLE drivers DROP COLUMN checkFindings",
         "no column \"checkFindings\""},
    };
    for (const Case& c : cases) {
        const std::string path = dir / c.name;
        WriteBytes(path, good);
        RunSql(path, c.sql);
        const std::string before = ReadBytes(path);
        for (const auto access : {DriverStore::Access::ReadWrite, DriverStore::Access::ReadOnly}) {
            DriverStore store;
            EXPECT_EQ(store.Open(path, access).message,
                      "The driver database " + path + " was changed by another program (" + c.what +
                          "), so Conewright does not use it.")
                << c.name;
            EXPECT_FALSE(store.isOpen());
        }
        EXPECT_EQ(ReadBytes(path), before) << c.name;
    }
}

TEST(DriverStoreTrust, AnIndexThatLostEntriesIsFoundBeforeTheFirstChange)
{
    TempDir dir;
    const std::string path = dir / "d.sqlite";
    Fill(path, 5);
    // Rows added while the index takes none of them: it lacks them afterwards, which the
    // quick check does not see.
    RunSql(path, "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = sql || ' WHERE 0' "
                 "WHERE name = 'drivers_fingerprint'");
    RunSql(path, "INSERT INTO drivers (manufacturer, model, fingerprint) SELECT manufacturer, "
                 "model || 'x', fingerprint FROM drivers");
    RunSql(path, "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = 'CREATE INDEX "
                 "drivers_fingerprint ON drivers (fingerprint)' WHERE name = "
                 "'drivers_fingerprint'");
    const std::string before = ReadBytes(path);

    DriverStore store;
    ASSERT_TRUE(store.Open(path).ok()); // reading is still possible
    std::vector<DriverSummary> found;
    EXPECT_TRUE(store.Find({}, found).ok());
    const std::string damaged = "The driver database " + path + " is damaged and cannot be used.";
    AddReport report;
    EXPECT_EQ(store.Add(Batch(1, "M"), report).message, damaged);
    EXPECT_EQ(store.Remove(std::vector<std::int64_t>{1}).message, damaged);
    store.Close();
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(DriverStoreTrust, AnInterruptedImportIsRolledBackOnTheNextOpen)
{
    TempDir dir;
    const std::string path = dir / "d.sqlite";
    Fill(path, 2);
    const auto size = std::filesystem::file_size(path);

    // An import killed halfway: its pages in the file, its journal beside it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db,
                     "PRAGMA cache_size = 1; BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                     "SELECT i + 1 FROM n WHERE i < 3000) INSERT INTO drivers (manufacturer, "
                     "model, description) SELECT 'Killed', i, hex(randomblob(200)) FROM n",
                     nullptr, nullptr, nullptr);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(std::filesystem::exists(path + "-journal"));
    ASSERT_GT(std::filesystem::file_size(path), size);

    // A command that only reads finds the drivers as they were before the import.
    EXPECT_EQ(Count(path), 2);
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal") &&
                 std::filesystem::file_size(path + "-journal") > 0);
}

TEST(DriverStoreTrust, MakesADatabaseOnlyWhereThereIsNoFile)
{
    TempDir dir;
    WriteBytes(dir / "notes", "x");
    WriteBytes(dir / "list.txt", "Manufacturer\tModel\n");
    for (const char* name : {"notes", "list.txt"}) {
        DriverStore store;
        EXPECT_EQ(store.Open(dir / name).message,
                  dir / name + " is not a Conewright driver database.");
    }
    EXPECT_EQ(ReadBytes(dir / "notes"), "x");
    EXPECT_EQ(ReadBytes(dir / "list.txt"), "Manufacturer\tModel\n");

    // Names SQLite reads as a database in memory or as a URI.
    const std::string uri = "file:" + (dir / "uri.sqlite") + "?mode=memory";
    for (const std::string& name : {std::string(":memory:"), std::string(""), uri}) {
        DriverStore store;
        EXPECT_EQ(store.Open(name).message,
                  "\"" + name + "\" is no file name for a driver database.");
    }
    EXPECT_TRUE(dir.Entries().size() == 2);
}

TEST(DriverStoreTrust, ASearchLongerThanAnyNameIsRefused)
{
    TempDir dir;
    Fill(dir / "d.sqlite", 1);
    DriverStore store;
    ASSERT_TRUE(store.Open(dir / "d.sqlite").ok());
    std::vector<DriverSummary> found;
    DriverFilter filter;
    const std::string refusal =
        "The search is too long: it takes up to 20 words of 200 characters in all.";
    filter.search = std::string(50000, 'a');
    EXPECT_EQ(store.Find(filter, found).message, refusal);
    filter.search.clear();
    for (int i = 0; i < 1000; ++i)
        filter.search += "a ";
    EXPECT_EQ(store.Find(filter, found).message, refusal);
    filter.search = "conewright sample m0";
    ASSERT_TRUE(store.Find(filter, found).ok());
    EXPECT_EQ(found.size(), 1u);
}

TEST(DriverStoreTrust, NoSaveReplacesTheDatabaseByAnyOfItsNames)
{
    TempDir dir;
    Fill(dir / "d.sqlite", 1);
    std::filesystem::create_symlink("d.sqlite", dir / "link.sqlite");
    for (const std::string& name :
         {dir / "d.sqlite", dir / "link.sqlite", dir.path().string() + "/./d.sqlite"}) {
        EXPECT_EQ(CheckNotDatabase(name, dir / "d.sqlite").message,
                  name + " is the driver database; it was not replaced.");
    }
    EXPECT_TRUE(CheckNotDatabase(dir / "other.dvr", dir / "d.sqlite").ok());
}

} // namespace
} // namespace cw::database
