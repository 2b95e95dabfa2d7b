#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "reports/BoxReport.h"
#include "reports/CrossoverReport.h"
#include "reports/LimitsReport.h"
#include "reports/SystemReport.h"

namespace cw::cli
{

namespace
{
constexpr int kPageImageDpi = 150;
}

// The one-page system report, the Limits report (--limits) or the report of a calculator page
// (--crossover or --box-page), as a PDF page or as the picture of that page.
int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    Result usage = ParseCommandLine(
        "report", args, {"--pdf", "--png", "--units", "--crossover", "--box-page"},
        {"--landscape", "--print-icons", "--color", "--limits", "--colour-each-system", "--legend"},
        line);
    const std::string units = line.value("--units").value_or("english");
    if (!usage && units != "english" && units != "metric")
        usage = UsageError("The option --units takes metric or english, not \"" + units + "\".");
    if (!usage && line.value("--pdf").has_value() == line.value("--png").has_value())
        usage = UsageError("report writes one file: give either --pdf or --png.");
    int crossover = -1;
    if (!usage)
        usage = IntOption(line, "--crossover", -1, 0, 8, crossover);
    int boxPage = -1;
    if (!usage)
        usage = IntOption(line, "--box-page", -1, 0, 2, boxPage);
    const bool limits = line.has("--limits");
    if (!usage && (crossover >= 0) + (boxPage >= 0) + limits > 1)
        usage = UsageError(
            "report draws one page: give only one of --crossover, --box-page and --limits.");
    if (usage)
        return Fail(*usage, err);

    AppSettings settings;
    settings.units = units == "metric" ? UnitsPreference::Metric : UnitsPreference::English;
    settings.printIcons = line.has("--print-icons");
    settings.printInColor = line.has("--color");
    settings.colourEachSystem = line.has("--colour-each-system");
    settings.showLegend = line.has("--legend");
    const bool landscape = line.has("--landscape");
    const auto pdf = line.value("--pdf");
    auto render = [&](const CSpkSysDoc& doc, QByteArray& file) {
        auto draw = [&](gfx::Canvas& canvas) {
            if (crossover >= 0)
                reports::DrawCrossoverReportPage(canvas, doc, crossover);
            else if (limits)
                reports::DrawLimitsReportPage(canvas, doc, settings);
            else if (boxPage >= 0)
                reports::DrawBoxReportPage(canvas, doc, static_cast<calc::BoxPageKind>(boxPage),
                                           settings.metric());
            else
                reports::DrawSystemReportPage(canvas, doc, settings);
        };
        return pdf ? gfx::RenderPdf(file, landscape, draw)
                   : gfx::RenderPagePng(file, landscape, kPageImageDpi, draw);
    };
    return RenderProject(line.file, pdf ? *pdf : *line.value("--png"), render, out, err);
}

} // namespace cw::cli
