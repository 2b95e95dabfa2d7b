#include "cli/CliRunner.h"
#include "driver/DriverFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace cw
{
namespace
{

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::CliRun;
using test::ReadText;
using test::WriteBytes;

// A folder of files of every kind a designer may have, some under misleading names.
class DatabaseCommand : public test::CliTest
{
protected:
    std::string db;
    fs::path files;

    void SetUp() override
    {
        CliTest::SetUp();
        db = (dir / "drivers.sqlite").string();
        files = dir / "files";
        fs::create_directories(files / "more");
        DriverParams sample = SampleDriver();
        sample.driverKey = 7;
        WriteBytes((files / "sample.dvr").string(), EncodeDriver(sample));
        WriteBytes((files / "w8.wdr").string(),
                   "[Driver]\r\nBrand=Acme\r\nModel=W8\r\nfs=39,8\r\nQts=0,443\r\nQes=0.498\r\n"
                   "Qms=4\r\nVas=51.4\r\nSd=0.0214\r\nCms=0.0008\r\nMms=0.02\r\nRe=5.6\r\n"
                   "BL=7.5\r\nXmax=0.005\r\nLe=0.0006\r\n");
        WriteBytes((files / "more" / "list.txt").string(),
                   "<?xml version=\"1.0\"?>\n<speakers>\n"
                   "<speaker vendor=\"Bolt\" model=\"T25\" fs=\"900\" qts=\"0.6\" qes=\"0.9\" "
                   "qms=\"2\" bl=\"2.5 N/A\"/>\n</speakers>\n");
        WriteBytes((files / "more" / "table.xml").string(),
                   "Manufacturer\tModel\tfs [Hz]\tQts\tVas [l]\tSd [cm2]\tCms [mm/N]\n"
                   "Acme\tW10\t30\t0.4\t168\t330\t1.1\n"
                   "Acme\tW12 liters\t25\t0.35\t323000\t480\t1.0\n");
        WriteBytes((files / "more" / "readme.md").string(), "# datasheets\n");
    }

    CliRun Import(const std::string& what) const
    {
        return Run("db --db '" + db + "' import " + what);
    }

    Json List(const std::string& options = "") const
    {
        const CliRun run = Run("db --db '" + db + "' list --json " + options);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return Json::parse(run.out);
    }
};

TEST_F(DatabaseCommand, ImportsAFolderOfMixedFilesListsAndSearches)
{
    const CliRun run = Import("'" + files.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 5 drivers from 4 files into " + db + ".\n");
    EXPECT_EQ(run.err, "Skipped: " + (files / "more" / "readme.md").string() +
                           " is not a driver file of a known kind.\n");

    const Json all = List();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0]["manufacturer"], "Acme");
    EXPECT_EQ(all[0]["model"], "W10");
    EXPECT_EQ(all[0]["findings"], Json::array());
    EXPECT_EQ(all[1]["model"], "W12 liters");
    ASSERT_EQ(all[1]["findings"].size(), 1u);
    EXPECT_NE(all[1]["findings"][0].get<std::string>().find("is 1000 times what"),
              std::string::npos);
    EXPECT_EQ(all[2]["model"], "W8");
    EXPECT_EQ(all[2]["findings"].size(), 1u); // V(as) typed in liters where m³ belong
    EXPECT_EQ(all[3]["manufacturer"], "Bolt");
    EXPECT_EQ(all[3]["findings"][0], "BL: \"2.5 N/A\" was read as 2.5.");
    EXPECT_EQ(all[4]["model"], "CW-200W");
    EXPECT_EQ(all[4]["fs"], 41);

    const CliRun lines = Run("db --db '" + db + "' list --search 'acme w1'");
    ASSERT_EQ(lines.exitCode, 0) << lines.err;
    EXPECT_EQ(lines.out, std::to_string(all[0]["id"].get<int>()) + ": Acme W10\n" +
                             std::to_string(all[1]["id"].get<int>()) +
                             ": Acme W12 liters (1 finding)\n");

    // Imported again, nothing is added twice.
    const CliRun again =
        Import("'" + (files / "w8.wdr").string() + "' '" + (files / "sample.dvr").string() + "'");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "Imported 0 drivers from 2 files into " + db +
                             ".\nAlready in the database: Acme W8\n"
                             "Already in the database: Conewright Sample Drivers CW-200W\n");
    EXPECT_EQ(List().size(), 5u);
}

TEST_F(DatabaseCommand, ExportGivesBackTheDriverFileAndCheckNamesEachDriver)
{
    ASSERT_EQ(Import("'" + files.string() + "'").exitCode, 0);
    const Json sample = List("--search CW-200W");
    ASSERT_EQ(sample.size(), 1u);
    const std::string id = std::to_string(sample[0]["id"].get<int>());
    const std::string out = (dir / "out.dvr").string();
    const CliRun exported = Run("db --db '" + db + "' export --id " + id + " --out '" + out + "'");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(ReadText(out), ReadText(files / "sample.dvr"));

    const CliRun check = Run("db --db '" + db + "' check");
    ASSERT_EQ(check.exitCode, 0) << check.err;
    EXPECT_NE(check.out.find(": Acme W8\n  V(as) 51400 liters is 1000 times what"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find(": Bolt T25\n  BL: \"2.5 N/A\" was read as 2.5.\n"),
              std::string::npos);
    EXPECT_EQ(check.out.find("CW-200W"), std::string::npos);
    EXPECT_TRUE(check.out.ends_with("3 of 5 drivers have findings.\n")) << check.out;
    const CliRun one = Run("db --db '" + db + "' check --id " + id);
    EXPECT_EQ(one.out, id + ": Conewright Sample Drivers CW-200W\n  No findings.\n");

    const CliRun missing = Run("db --db '" + db + "' export --id 999 --out '" + out + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "There is no driver 999 in the driver database " + db + ".\n");
}

TEST_F(DatabaseCommand, CalcLoadsADriverFromTheDatabaseAsFromItsFile)
{
    ASSERT_EQ(Import("'" + files.string() + "'").exitCode, 0);
    const std::string dvr = (files / "sample.dvr").string();
    const CliRun fromFile = Run("calc --driver '" + dvr + "' --box 4OVB --json -");
    const CliRun fromDb = Run("calc --db-driver 'conewright sample drivers  CW-200W' --db '" + db +
                              "' --box 4OVB --json -");
    ASSERT_EQ(fromDb.exitCode, 0) << fromDb.err;
    EXPECT_EQ(fromDb.out, fromFile.out);

    // The W8 came in SI units: the workbench has it in the record's units, its V(as) mistake
    // included.
    const CliRun w8 = Run("calc --db '" + db + "' --db-driver 'Acme W8' --box 2OCB --json -");
    ASSERT_EQ(w8.exitCode, 0) << w8.err;
    EXPECT_EQ(w8.err, "Note: Acme W8 looks to have a value in the wrong unit; db check "
                      "--fix-units would set V(as) from 51400 liters to 51.4 liters.\n");
    const Json wb = Json::parse(w8.out);
    EXPECT_DOUBLE_EQ(wb["driver"]["vasLiters"].get<double>(), 51400);
    EXPECT_DOUBLE_EQ(wb["driver"]["cms"].get<double>(), 0.8);
    EXPECT_DOUBLE_EQ(wb["driver"]["mms"].get<double>(), 20);

    const CliRun unknown = Run("calc --db '" + db + "' --db-driver 'Acme W9'");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, "There is no driver \"Acme W9\" in the driver database " + db + ".\n");
}

TEST_F(DatabaseCommand, RefusalsAndUsage)
{
    // A named file that gives nothing fails the import; the others are imported all the same.
    const CliRun partly = Import("'" + (files / "w8.wdr").string() + "' '" +
                                 (files / "more" / "readme.md").string() + "'");
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_EQ(List().size(), 1u);

    const std::string garbage = (dir / "garbage.sqlite").string();
    WriteBytes(garbage, std::string(5000, 'x'));
    for (const std::string& command :
         {std::string("list"), "import '" + (files / "w8.wdr").string() + "'",
          std::string("check")}) {
        const CliRun run = Run("db --db '" + garbage + "' " + command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.err, garbage + " is not a Conewright driver database.\n") << command;
    }
    EXPECT_EQ(ReadText(garbage), std::string(5000, 'x'));

    const CliRun absent = Run("db --db '" + (dir / "none.sqlite").string() + "' list");
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "none.sqlite"));

    for (const char* usage :
         {"db", "db --db x frobnicate", "db --db x import", "db --db x export --id 1",
          "db --db x export --id one --out y", "db --db x list --id 3"}) {
        EXPECT_EQ(Run(usage).exitCode, 2) << usage;
    }
}

TEST_F(DatabaseCommand, TheUsersDatabaseIsInTheDataFolder)
{
    const std::string data = (dir / "data").string();
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const CliRun run = Run("db import '" + (files / "w8.wdr").string() + "'");
    const CliRun list = Run("db list");
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(dir / "data" / "conewright" / "drivers.sqlite"));
    EXPECT_TRUE(list.out.ends_with(": Acme W8 (1 finding)\n")) << list.out;
}

TEST_F(DatabaseCommand, NamesPrintEscapedAndWhatCannotBeUsedIsRefusedBySentence)
{
    // A model with a line break and a terminal command: one driver posing as two lines.
    WriteBytes((dir / "pose.xml").string(),
               "<speakers><speaker vendor=\"Acme\" model=\"W8&#10;2: Fake&#27;[2J\" fs=\"40\" "
               "qts=\"0.4\"/></speakers>");
    ASSERT_EQ(Import("'" + (dir / "pose.xml").string() + "'").exitCode, 0);
    EXPECT_EQ(Run("db --db '" + db + "' list").out, "1: Acme W8\\n2: Fake\\x1b[2J\n");
    EXPECT_EQ(
        Run("db --db '" + db + "' check --id 1").out.rfind("1: Acme W8\\n2: Fake\\x1b[2J\n", 0),
        0u);

    // A driver too large for the driver file the program would open again.
    DriverParams large = SampleDriver();
    large.description = std::string(1100000, 'c');
    WriteBytes((dir / "long.dvr").string(), EncodeDriver(large));
    ASSERT_EQ(Import("'" + (dir / "long.dvr").string() + "'").exitCode, 0);
    const std::string out = (dir / "out.dvr").string();
    const CliRun tooLarge = Run("db --db '" + db + "' export --id 2 --out '" + out + "'");
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_EQ(tooLarge.err, "Driver 2 is too large for a driver file, so it was not exported.\n");
    EXPECT_FALSE(fs::exists(out));

    // A table of more rows than one import takes, and a file that cannot be read.
    std::string rows = "Manufacturer\tModel\tfs [Hz]\n";
    for (int i = 0; i <= 100000; ++i)
        rows += "A\tM\t40\n";
    WriteBytes((dir / "rows.txt").string(), rows);
    const CliRun many = Import("'" + (dir / "rows.txt").string() + "' /proc/self/mem");
    EXPECT_EQ(many.exitCode, 1);
    EXPECT_EQ(many.err, "Skipped: " + (dir / "rows.txt").string() +
                            " was not imported: one import takes at most 100000 drivers.\n"
                            "Skipped: /proc/self/mem cannot be read.\n"
                            "Not every file named could be imported.\n");
    EXPECT_EQ(List().size(), 2u);

    const CliRun search = Run("db --db '" + db + "' list --search '" + std::string(300, 'a') + "'");
    EXPECT_EQ(search.exitCode, 1);
    EXPECT_EQ(search.err,
              "The search is too long: it takes up to 20 words of 200 characters in all.\n");
}

TEST_F(DatabaseCommand, AnImportThatRunsOutOfDiskLeavesTheDatabaseAsItWas)
{
    ASSERT_EQ(Import("'" + (files / "w8.wdr").string() + "'").exitCode, 0);
    const std::string before = ReadText(db);
    std::string table = "Manufacturer\tModel\tfs [Hz]\tComment\n";
    for (int i = 0; i < 5000; ++i)
        table += "Acme\tM" + std::to_string(i) + "\t40\t" + std::string(200, 'c') + "\n";
    WriteBytes((dir / "big.txt").string(), table);
    const CliRun full =
        RunOnFullDisk(static_cast<int>(before.size() / 512) + 8,
                      "db --db '" + db + "' import '" + (dir / "big.txt").string() + "'");
    EXPECT_EQ(full.exitCode, 1) << full.err;
    EXPECT_EQ(full.err, "Writing to the driver database " + db +
                            " failed, perhaps on a full disk; nothing was changed.\n");
    EXPECT_EQ(ReadText(db), before);
    const CliRun list = Run("db --db '" + db + "' list");
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "1: Acme W8 (1 finding)\n");
    EXPECT_EQ(ReadText(db), before);
}

TEST_F(DatabaseCommand, FixUnitsMendsExactlyTheNamedValueAndSaysSo)
{
    ASSERT_EQ(
        Import("'" + (files / "w8.wdr").string() + "' '" + (files / "sample.dvr").string() + "'")
            .exitCode,
        0);
    const auto exported = [&](const char* name) {
        const std::string out = (dir / name).string();
        EXPECT_EQ(Run("db --db '" + db + "' export --id 1 --out '" + out + "'").exitCode, 0);
        DriverParams d;
        EXPECT_TRUE(DecodeDriver(ReadText(out), d));
        return d;
    };
    const DriverParams before = exported("before.dvr");
    ASSERT_EQ(before.vasLiters, 51400);

    const CliRun fixed = Run("db --db '" + db + "' check --fix-units");
    ASSERT_EQ(fixed.exitCode, 0) << fixed.err;
    EXPECT_EQ(fixed.out, "1: Acme W8\n"
                         "  V(as) 51400 liters is 1000 times what C(ms) and S(D) give: was 51.4 "
                         "liters meant?\n"
                         "  Mended V(as) from 51400 liters to 51.4 liters.\n"
                         "1 of 2 drivers have findings.\n"
                         "Mended 1 value.\n");
    DriverParams after = exported("after.dvr");
    EXPECT_DOUBLE_EQ(after.vasLiters, 51.4);
    after.vasLiters = before.vasLiters;
    after.vasCuFt = before.vasCuFt;
    EXPECT_TRUE(after == before);
    EXPECT_EQ(Run("db --db '" + db + "' check --id 1").out, "1: Acme W8\n  No findings.\n");
    EXPECT_EQ(Run("db --db '" + db + "' check --fix-units").out,
              "0 of 2 drivers have findings.\nMended 0 values.\n");
}

} // namespace
} // namespace cw
