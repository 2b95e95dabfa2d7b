#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A folder of its own for each test, removed afterwards.
struct CliTest : ::testing::Test {
    std::filesystem::path dir;

    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("cw-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs the tool with arguments that the shell takes as they are written here.
    CliRun Run(const std::string& arguments) const
    {
        const char* cli = std::getenv("CW_CLI");
        EXPECT_NE(cli, nullptr) << "CW_CLI names the tool";
        const auto out = dir / "stdout", err = dir / "stderr";
        const std::string command = std::string("'") + (cli ? cli : "") + "' " + arguments + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadText(out);
        run.err = ReadText(err);
        return run;
    }
};

} // namespace cw::test
