#include "CliRunner.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <set>

namespace cw
{
namespace
{

using test::CliTest;

// The options the usage text names, each once ("--box", "--db-driver", ...).
std::set<std::string> OptionsOf(const std::string& usage)
{
    std::set<std::string> options;
    const std::regex option("--[a-z][a-z-]*[a-z]");
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option);
         it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

TEST_F(CliTest, VersionIsTheProjectsAndHelpGoesToTheStandardOutput)
{
    // The one version number, in the project() of the build.
    std::smatch found;
    const std::string cmake = test::ReadText("CMakeLists.txt");
    ASSERT_TRUE(std::regex_search(cmake, found, std::regex(R"(project\(\w+ VERSION ([0-9.]+))")));
    for (const char* option : {"--version", "-v"}) {
        const auto run = Run(option);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "conewright-cli " + found[1].str() + "\n");
        EXPECT_EQ(run.err, "");
    }

    const auto help = Run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage:\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    // Without a command it is still a usage error, with the usage text where errors go.
    const auto bare = Run("");
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_EQ(bare.err, help.out);
    EXPECT_EQ(Run("--version calc").exitCode, 2);
}

TEST_F(CliTest, ManualPageAndCompletionKnowEveryOptionOfTheUsage)
{
    const auto help = Run("--help");
    ASSERT_EQ(help.exitCode, 0);
    const std::set<std::string> options = OptionsOf(help.out);
    ASSERT_GT(options.size(), 30u);

    const std::string page = test::ReadText("docs/man/conewright-cli.1.in");
    const std::string completion = test::ReadText("resources/conewright-cli.bash-completion");
    ASSERT_FALSE(page.empty());
    ASSERT_FALSE(completion.empty());
    for (const std::string& option : options) {
        // roff writes each hyphen of an option as "\-".
        EXPECT_NE(page.find(std::regex_replace(option, std::regex("-"), "\\-")), std::string::npos)
            << option << " is missing from the manual page";
        EXPECT_NE(completion.find(option), std::string::npos)
            << option << " is missing from the bash completion";
    }
    for (const char* command : {"calc", "driver", "plot", "report", "network", "export", "cutlist",
                                "fit", "compare", "db"}) {
        EXPECT_NE(page.find(std::string(".SS ") + command), std::string::npos) << command;
        EXPECT_NE(completion.find(command), std::string::npos) << command;
    }
}

// The screenless tool links the drawing library on Qt Gui and nothing of the windows: no Qt
// Widgets, no printing dialogs, no X11 of its own (Qt Gui itself loads its platform later).
TEST(CliLinks, NoWidgetsAndNoX11OfItsOwn)
{
    const char* cli = std::getenv("CW_CLI");
    ASSERT_NE(cli, nullptr);
    const std::string command = std::string("readelf -d '") + cli + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string needed;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        if (std::strstr(line, "(NEEDED)") != nullptr)
            needed += line;
    }
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_NE(needed.find("libQt6Gui"), std::string::npos) << needed;
    for (const char* library : {"libQt6Widgets", "libQt6PrintSupport", "libX11", "libxcb"})
        EXPECT_EQ(needed.find(library), std::string::npos) << library;
}

} // namespace
} // namespace cw
