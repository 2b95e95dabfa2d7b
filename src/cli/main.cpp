#include "cli/OutputCommands.h"

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace
{

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

const std::map<std::string, Command>& Commands()
{
    static const std::map<std::string, Command> commands = {
        {"plot", cw::cli::PlotCommand},
        {"report", cw::cli::ReportCommand},
        {"export", cw::cli::ExportCommand},
    };
    return commands;
}

void Usage(std::ostream& out)
{
    out << "usage: conewright-cli COMMAND ...\n"
        << cw::cli::kPlotUsage << '\n'
        << cw::cli::kReportUsage << '\n'
        << cw::cli::kExportUsage << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        Usage(std::cerr);
        return 2;
    }
    const auto it = Commands().find(argv[1]);
    if (it == Commands().end()) {
        Usage(std::cerr);
        return 2;
    }
    return it->second(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
}
