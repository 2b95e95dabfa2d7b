#include "calculators/CutList.h"
#include "calculators/SheetLayout.h"
#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "gfx/qt/QtRender.h"
#include "model/CSpkSysDoc.h"
#include "reports/CutListReport.h"

#include <memory>
#include <ostream>

namespace cw::cli
{

namespace
{
// The SVG of the sheet layout, in pixels.
constexpr QSize kLayoutSize{1200, 800};
} // namespace

// The cut list of a box calculator page: its panels as CSV (to the standard output when no file
// is named), the sheet layout as SVG and the printed page as PDF.
int CutListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    Result usage =
        ParseCommandLine("cutlist", args, {"--box-page", "--csv", "--svg", "--pdf", "--units"},
                         {"--landscape"}, line);
    int page = -1;
    if (!usage)
        usage = IntOption(line, "--box-page", -1, 0, 2, page);
    if (!usage && page < 0)
        usage = UsageError("cutlist needs the box calculator page: --box-page 0..2.");
    const std::string units = line.value("--units").value_or("english");
    if (!usage && units != "english" && units != "metric")
        usage = UsageError("The option --units takes metric or english, not \"" + units + "\".");
    const auto csv = line.value("--csv"), svg = line.value("--svg"), pdf = line.value("--pdf");
    if (!usage && line.has("--landscape") && !pdf)
        usage = UsageError("The option --landscape turns the printed page: give it with --pdf.");
    const std::string csvTarget = csv ? *csv : (svg || pdf ? "" : "-");
    for (const auto& path : {csv, svg, pdf}) {
        if (!usage && path)
            usage = CheckNotInput(*path, line.file);
    }
    if (usage)
        return Fail(*usage, err);

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line.file, *doc))
        return Fail({kExitDataError, *error}, err);
    const auto kind = static_cast<calc::BoxPageKind>(page);
    const bool metric = units == "metric";
    std::string why;
    const auto list = calc::MakeCutList(doc->workbench(), kind, doc->cutList, metric, why);
    if (!list)
        return Fail({kExitDataError, why}, err);
    const calc::SheetLayout sheets = calc::LayOutSheets(*list, doc->cutList);

    // Everything is drawn before anything is written, so a failure leaves no file half done.
    std::vector<std::pair<std::string, std::string>> files;
    if (!csvTarget.empty())
        files.emplace_back(csvTarget, calc::CutListCsv(*list));
    if (svg || pdf)
        EnsureGuiApplication();
    const auto render = [&](const std::optional<std::string>& path, auto draw) -> Result {
        if (!path)
            return std::nullopt;
        QByteArray bytes;
        if (const QString error = draw(bytes); !error.isEmpty())
            return DataError(error.toStdString());
        files.emplace_back(*path, std::string(bytes.data(), bytes.size()));
        return std::nullopt;
    };
    Result drawn = render(svg, [&](QByteArray& bytes) {
        return gfx::RenderSvg(bytes, kLayoutSize, "Conewright cut list", [&](gfx::Canvas& canvas) {
            reports::DrawSheetLayoutPicture(canvas, kLayoutSize.width(), kLayoutSize.height(),
                                            *list, sheets);
        });
    });
    if (!drawn)
        drawn = render(pdf, [&](QByteArray& bytes) {
            return gfx::RenderPdf(bytes, line.has("--landscape"), [&](gfx::Canvas& canvas) {
                reports::DrawCutListReportPage(canvas, *doc, kind, metric);
            });
        });
    if (drawn)
        return Fail(*drawn, err);
    for (const auto& [path, bytes] : files) {
        const bool toStandardOutput = IsStandardOutput(path);
        if (const Result written = WriteOutput(path, bytes))
            return Fail(*written, err);
        if (!toStandardOutput)
            out << "Wrote " << path << '\n';
    }
    for (const std::string& sentence : sheets.tooLarge)
        err << sentence << '\n';
    return kExitOk;
}

} // namespace cw::cli
