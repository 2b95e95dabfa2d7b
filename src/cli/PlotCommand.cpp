#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotPainter.h"

namespace cw::cli
{

// The plot as the screen shows it: background, axes and every shown system.
int PlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto line =
        ParseCommandLine(args, {"--png", "--svg", "--width", "--height", "--background"}, {});
    const auto width =
        line ? ParseInt(line->value("--width").value_or("1200"), 16, 10000) : std::nullopt;
    const auto height =
        line ? ParseInt(line->value("--height").value_or("800"), 16, 10000) : std::nullopt;
    const auto background =
        line ? ParseInt(line->value("--background").value_or("0"), 0, 4) : std::nullopt;
    if (!line || !width || !height || !background ||
        line->value("--png").has_value() == line->value("--svg").has_value()) {
        return kExitUsage;
    }

    AppSettings settings;
    settings.plotBackground = *background;
    const QSize size(*width, *height);
    const auto png = line->value("--png");
    auto render = [&](const CSpkSysDoc& doc, const QString& path) {
        auto draw = [&](gfx::Canvas& canvas) {
            plot::PlotPainter::PrepareScreen(canvas, canvas.device().width, canvas.device().height);
            plot::PlotPainter(doc, settings).Draw(canvas);
        };
        return png ? gfx::RenderPng(path, size, draw) : gfx::RenderSvg(path, size, draw);
    };
    return RenderProject(line->file, png ? *png : *line->value("--svg"), render, out, err);
}

} // namespace cw::cli
