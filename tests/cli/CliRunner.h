#pragma once

#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace cw::test
{

// One run of the command-line tool: its exit code and what it wrote.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadText(const std::filesystem::path& path)
{
    return ReadBytes(path.string());
}

// A folder of its own for each test, removed afterwards.
struct CliTest : ::testing::Test {
    TempDir temp;
    std::filesystem::path dir = temp.path();

    // Runs the tool with arguments that the shell takes as they are written here.
    CliRun Run(const std::string& arguments) const { return Execute("", arguments, ""); }

    // Runs the tool as on a disk that takes no more than blocks × 512 bytes of any one file.
    CliRun RunOnFullDisk(int blocks, const std::string& arguments) const
    {
        return Execute("ulimit -f " + std::to_string(blocks) + "; ", arguments, "");
    }

    // Runs the tool with its standard output sent to target instead of being recorded.
    CliRun RunWithOutputTo(const std::string& target, const std::string& arguments) const
    {
        return Execute("", arguments, target);
    }

private:
    CliRun Execute(const std::string& before, const std::string& arguments,
                   const std::string& outTarget) const
    {
        const char* cli = std::getenv("CW_CLI");
        EXPECT_NE(cli, nullptr) << "CW_CLI names the tool";
        const auto out = dir / "stdout", err = dir / "stderr";
        const std::string command = before + "'" + (cli ? cli : "") + "' " + arguments + " >'" +
                                    (outTarget.empty() ? out.string() : outTarget) + "' 2>'" +
                                    err.string() + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = outTarget.empty() ? ReadText(out) : "";
        run.err = ReadText(err);
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return run;
    }
};

} // namespace cw::test
