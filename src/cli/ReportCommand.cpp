#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "reports/SystemReport.h"

#include <memory>
#include <ostream>

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

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line->file, *doc)) {
        err << *error << '\n';
        return kExitDataError;
    }
    AppSettings settings;
    settings.units = units == "metric" ? UnitsPreference::Metric : UnitsPreference::English;
    settings.printIcons = line->has("--print-icons");
    settings.printInColor = line->has("--color");
    const bool landscape = line->has("--landscape");
    EnsureGuiApplication();
    auto draw = [&](gfx::Canvas& canvas) { reports::DrawSystemReportPage(canvas, *doc, settings); };
    const auto pdf = line->value("--pdf");
    const std::string target = pdf ? *pdf : *line->value("--png");
    const QString path = QString::fromStdString(target);
    const QString error = pdf ? gfx::RenderPdf(path, landscape, draw)
                              : gfx::RenderPagePng(path, landscape, kPageImageDpi, draw);
    if (!error.isEmpty()) {
        err << error.toStdString() << '\n';
        return kExitDataError;
    }
    out << "Wrote " << target << '\n';
    return kExitOk;
}

} // namespace cw::cli
