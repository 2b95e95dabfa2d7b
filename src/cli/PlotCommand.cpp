#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "plot/LimitsPainter.h"
#include "plot/PlotPainter.h"

namespace cw::cli
{

// The plot as the screen shows it: background, axes and every shown system; with --limits the
// Limits window instead.
int PlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    int width = 0, height = 0, background = 0;
    Result usage =
        ParseCommandLine("plot", args, {"--png", "--svg", "--width", "--height", "--background"},
                         {"--limits", "--colour-each-system", "--legend"}, line);
    if (!usage)
        usage = IntOption(line, "--width", 1200, 16, 10000, width);
    if (!usage)
        usage = IntOption(line, "--height", 800, 16, 10000, height);
    if (!usage)
        usage = IntOption(line, "--background", 0, 0, 4, background);
    if (!usage && line.value("--png").has_value() == line.value("--svg").has_value())
        usage = UsageError("plot writes one file: give either --png or --svg.");
    if (usage)
        return Fail(*usage, err);

    AppSettings settings;
    settings.plotBackground = background;
    settings.colourEachSystem = line.has("--colour-each-system");
    settings.showLegend = line.has("--legend");
    const QSize size(width, height);
    const auto png = line.value("--png");
    auto render = [&](const CSpkSysDoc& doc, QByteArray& file) {
        auto draw = [&](gfx::Canvas& canvas) {
            if (line.has("--limits")) {
                plot::LimitsPainter(doc, settings).DrawWindow(canvas);
                return;
            }
            plot::PlotPainter::PrepareScreen(canvas, canvas.device().width, canvas.device().height);
            plot::PlotPainter(doc, settings).Draw(canvas);
        };
        const QString title = line.has("--limits") ? "Conewright limits" : "Conewright plot";
        return png ? gfx::RenderPng(file, size, draw) : gfx::RenderSvg(file, size, title, draw);
    };
    return RenderProject(line.file, png ? *png : *line.value("--svg"), render, out, err);
}

} // namespace cw::cli
