#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "reports/SystemReport.h"

namespace cw::cli
{

namespace
{
constexpr int kPageImageDpi = 150;
}

// The one-page system report, as a PDF page or as the picture of that page.
int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto line = ParseCommandLine(args, {"--pdf", "--png", "--units"},
                                       {"--landscape", "--print-icons", "--color"});
    const std::string units = line ? line->value("--units").value_or("english") : "";
    if (!line || (units != "english" && units != "metric") ||
        line->value("--pdf").has_value() == line->value("--png").has_value()) {
        return kExitUsage;
    }

    AppSettings settings;
    settings.units = units == "metric" ? UnitsPreference::Metric : UnitsPreference::English;
    settings.printIcons = line->has("--print-icons");
    settings.printInColor = line->has("--color");
    const bool landscape = line->has("--landscape");
    const auto pdf = line->value("--pdf");
    auto render = [&](const CSpkSysDoc& doc, const QString& path) {
        auto draw = [&](gfx::Canvas& canvas) {
            reports::DrawSystemReportPage(canvas, doc, settings);
        };
        return pdf ? gfx::RenderPdf(path, landscape, draw)
                   : gfx::RenderPagePng(path, landscape, kPageImageDpi, draw);
    };
    return RenderProject(line->file, pdf ? *pdf : *line->value("--png"), render, out, err);
}

} // namespace cw::cli
