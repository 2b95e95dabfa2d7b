#pragma once

#include "cli/CliResult.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace cw
{
class CSpkSysDoc;
}

// The commands that draw a project or write its curves: plot, report, export, network, cutlist
// and compare. Each takes the words after its name, writes messages to err, and returns the exit
// code (kExitUsage asks the caller for the usage text).
namespace cw::cli
{

int PlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int NetworkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CutListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int FitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A command line of one project file and options: "--name value" or "--name" alone.
struct CommandLine {
    std::string file;
    std::map<std::string, std::string> values;
    std::set<std::string> switches;

    std::optional<std::string> value(const std::string& name) const;
    bool has(const std::string& name) const { return switches.count(name) != 0; }
};

// Parses the words against the options a command knows into line; the reason on an unknown
// option, a missing value or a missing or second file name.
Result ParseCommandLine(const std::string& command, const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions,
                        const std::set<std::string>& switchOptions, CommandLine& line,
                        const std::string& fileKind = "a project file");

// The whole number within [low, high] that the option gives, fallback when it is not given;
// the reason when its text is no such number.
Result IntOption(const CommandLine& line, const std::string& name, int fallback, int low, int high,
                 int& value);

// Writes the failure's message to err and answers its exit code.
int Fail(const Failure& failure, std::ostream& err);

// Opens a project file into the document; on failure returns the program's message.
std::optional<std::string> LoadProjectFile(const std::string& path, CSpkSysDoc& doc);

// The Qt application that fonts and images need, made once, with no display.
void EnsureGuiApplication();

// Opens the project, lets render draw it into the bytes of a file (Qt's Render* functions answer
// an empty text or the message) and writes them to target ("-" for the standard output).
// Reports either way and returns the exit code.
int RenderProject(const std::string& projectPath, const std::string& target,
                  const std::function<QString(const CSpkSysDoc&, QByteArray&)>& render,
                  std::ostream& out, std::ostream& err);

} // namespace cw::cli
