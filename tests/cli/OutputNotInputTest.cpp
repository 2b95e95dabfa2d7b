#include "cli/CliRunner.h"
#include "driver/DriverFile.h"

#include <filesystem>
#include <gtest/gtest.h>

// No command writes an output over a file it reads, however the output names that file.
namespace cw
{
namespace
{

namespace fs = std::filesystem;
using test::CliRun;
using test::ReadText;
using test::WriteBytes;

class OutputNotInput : public test::CliTest
{
protected:
    std::string db, dvr, spk, json;

    void SetUp() override
    {
        CliTest::SetUp();
        db = (dir / "d.sqlite").string();
        dvr = (dir / "s.dvr").string();
        spk = (dir / "p.spk").string();
        json = (dir / "j.json").string();
        WriteBytes(dvr, EncodeDriver(SampleDriver()));
        ASSERT_EQ(Run("db --db '" + db + "' import '" + dvr + "'").exitCode, 0);
        ASSERT_EQ(Run("calc --driver '" + dvr + "' --box 2OCB --save '" + spk + "'").exitCode, 0);
        ASSERT_EQ(RunWithOutputTo(json, "driver '" + dvr + "'").exitCode, 0);
    }

    // The file as named, by another spelling, and by a symbolic link.
    std::vector<std::string> Names(const std::string& path) const
    {
        const fs::path p(path);
        const std::string link = (dir / ("link-" + p.filename().string())).string();
        if (!fs::exists(fs::symlink_status(link)))
            fs::create_symlink(p.filename(), link);
        return {path, (p.parent_path() / "." / p.filename()).string(), link};
    }
};

TEST_F(OutputNotInput, EveryOutputOfEveryCommandAgainstEveryInput)
{
    const std::string driverName = "'Conewright Sample Drivers CW-200W'";
    // Each command with IN for the input's name and OUT for the output's.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {db, "db --db IN export --id 1 --out OUT"},
        {db, "calc --db IN --db-driver " + driverName + " --save OUT"},
        {db, "calc --db IN --db-driver " + driverName + " --csv OUT"},
        {db, "calc --db IN --db-driver " + driverName + " --json OUT"},
        {dvr, "calc --driver IN --csv OUT"},
        {dvr, "calc --driver IN --json OUT"},
        {dvr, "calc --driver IN --save OUT"},
        {spk, "calc --project IN --csv OUT"},
        {spk, "calc --project IN --json OUT"},
        {spk, "plot IN --png OUT"},
        {spk, "report IN --pdf OUT"},
        {spk, "export IN --frd OUT"},
        {spk, "export IN --zma OUT"},
        {spk, "network IN --crossover 0 --csv OUT"},
        {spk, "cutlist IN --box-page 0 --csv OUT"},
        {spk, "cutlist IN --box-page 0 --svg OUT"},
        {spk, "cutlist IN --box-page 0 --pdf OUT"},
        {json, "driver --from-json IN --out OUT"},
    };
    for (const auto& [input, pattern] : cases) {
        const std::string before = ReadText(input);
        const std::vector<std::string> names = Names(input);
        // Every spelling of the output against the input as named, and the input by its link
        // against the output as named.
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const std::string& out : names)
            pairs.emplace_back(input, out);
        pairs.emplace_back(names.back(), input);
        for (const auto& [in, out] : pairs) {
            std::string command = pattern;
            command.replace(command.find("IN"), 2, "'" + in + "'");
            command.replace(command.find("OUT"), 3, "'" + out + "'");
            const CliRun run = Run(command);
            EXPECT_EQ(run.exitCode, 2) << command << "\n" << run.err;
            EXPECT_EQ(run.err.rfind("The output " + out + " is the file the command reads.\n", 0),
                      0u)
                << command << "\n"
                << run.err;
            EXPECT_EQ(ReadText(input), before) << command;
        }
    }

    // Saving the project that was opened is an ordinary save, however it is named.
    for (const std::string& name : Names(spk)) {
        const CliRun saved = Run("calc --project '" + spk + "' --box 4OVB --save '" + name + "'");
        EXPECT_EQ(saved.exitCode, 0) << saved.err;
    }
    EXPECT_TRUE(fs::is_symlink(Names(spk).back()));
    EXPECT_EQ(Run("calc --project '" + spk + "' --csv -").exitCode, 0);
}

TEST_F(OutputNotInput, TheUsersOwnDatabaseIsNoOutputEither)
{
    const std::string data = (dir / "data").string();
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const CliRun imported = Run("db import '" + dvr + "'");
    const std::string own = data + "/conewright/drivers.sqlite";
    const std::string before = ReadText(own);
    const CliRun exported = Run("db export --id 1 --out '" + own + "'");
    const CliRun calc =
        Run("calc --db-driver 'Conewright Sample Drivers CW-200W' --csv '" + own + "'");
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(exported.exitCode, 2) << exported.err;
    EXPECT_EQ(calc.exitCode, 2) << calc.err;
    EXPECT_EQ(ReadText(own), before);
}

} // namespace
} // namespace cw
