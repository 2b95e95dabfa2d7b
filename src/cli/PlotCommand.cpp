#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotPainter.h"

#include <memory>
#include <ostream>

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

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line->file, *doc)) {
        err << *error << '\n';
        return kExitDataError;
    }
    AppSettings settings;
    settings.plotBackground = *background;
    EnsureGuiApplication();
    auto draw = [&](gfx::Canvas& canvas) {
        plot::PlotPainter::PrepareScreen(canvas, canvas.device().width, canvas.device().height);
        plot::PlotPainter(*doc, settings).Draw(canvas);
    };
    const QSize size(*width, *height);
    const auto png = line->value("--png");
    const std::string target = png ? *png : *line->value("--svg");
    const QString path = QString::fromStdString(target);
    const QString error = png ? gfx::RenderPng(path, size, draw) : gfx::RenderSvg(path, size, draw);
    if (!error.isEmpty()) {
        err << error.toStdString() << '\n';
        return kExitDataError;
    }
    out << "Wrote " << target << '\n';
    return kExitOk;
}

} // namespace cw::cli
