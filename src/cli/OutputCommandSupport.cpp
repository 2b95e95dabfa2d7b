#include "cli/CliResult.h"
#include "cli/CliWindows.h"
#include "cli/OutputCommands.h"
#include "model/CSpkSysDoc.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <charconv>
#include <memory>
#include <ostream>
#include <unistd.h>

namespace cw::cli
{

std::optional<std::string> CommandLine::value(const std::string& name) const
{
    const auto it = values.find(name);
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

Result ParseCommandLine(const std::string& command, const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions,
                        const std::set<std::string>& switchOptions, CommandLine& line,
                        const std::string& fileKind)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (valueOptions.count(word)) {
            if (i + 1 >= args.size())
                return UsageError("The option " + word + " needs a value.");
            line.values[word] = args[++i];
        } else if (switchOptions.count(word)) {
            line.switches.insert(word);
        } else if (word.rfind("--", 0) == 0) {
            return UsageError("Unknown option \"" + word + "\".");
        } else if (!line.file.empty()) {
            return UsageError("Unexpected argument \"" + word + "\".");
        } else {
            line.file = word;
        }
    }
    if (line.file.empty())
        return UsageError(command + " needs " + fileKind + ".");
    return std::nullopt;
}

Result IntOption(const CommandLine& line, const std::string& name, int fallback, int low, int high,
                 int& value)
{
    const auto text = line.value(name);
    if (!text) {
        value = fallback;
        return std::nullopt;
    }
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end || value < low || value > high)
        return UsageError("The option " + name + " takes a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high) + ", not \"" + *text +
                          "\".");
    return std::nullopt;
}

int Fail(const Failure& failure, std::ostream& err)
{
    err << failure.message << '\n';
    return failure.exitCode;
}

std::optional<std::string> LoadProjectFile(const std::string& path, CSpkSysDoc& doc)
{
    CliWindows windows;
    doc.SetWindows(&windows);
    const bool opened = doc.OpenProject(path);
    doc.SetWindows(nullptr);
    if (opened)
        return std::nullopt;
    std::string message;
    for (const std::string& text : windows.messages)
        message += (message.empty() ? "" : "\n") + text;
    return message.empty() ? "Failed to open document." : message;
}

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    // Drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (a plain shell, a build job) Qt warns about the missing runtime folder
    // on every run before it makes one; make the same private folder quietly instead.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/runtime-" + QString::number(::getuid());
        if (QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    static int argc = 1;
    static char name[] = "conewright-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

int RenderProject(const std::string& projectPath, const std::string& target,
                  const std::function<QString(const CSpkSysDoc&, QByteArray&)>& render,
                  std::ostream& out, std::ostream& err)
{
    if (const Result same = CheckNotInput(target, projectPath))
        return Fail(*same, err);
    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(projectPath, *doc))
        return Fail({kExitDataError, *error}, err);
    EnsureGuiApplication();
    QByteArray file;
    if (const QString error = render(*doc, file); !error.isEmpty())
        return Fail({kExitDataError, error.toStdString()}, err);
    const bool toStandardOutput = IsStandardOutput(target);
    if (const Result written = WriteOutput(target, std::string_view(file.data(), file.size())))
        return Fail(*written, err);
    if (!toStandardOutput)
        out << "Wrote " << target << '\n';
    return kExitOk;
}

} // namespace cw::cli
