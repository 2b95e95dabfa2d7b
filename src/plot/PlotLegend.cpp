#include "plot/PlotPainter.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cw::plot
{

namespace
{

struct LegendRow {
    std::string text;
    std::optional<gfx::Pen> sample; // a stretch of the curve's line, before the text
};

constexpr double kSampleCw = 4; // length of a sample, average character widths

// Samples that all look alike tell the rows apart no better than none: on black-and-white paper,
// say, where every system and every kind prints as the same black line.
void DropLookalikeSamples(std::vector<LegendRow>& rows, std::size_t first)
{
    const auto group = std::span(rows).subspan(first);
    const bool alike =
        group.size() > 1 && std::all_of(group.begin(), group.end(), [&](const LegendRow& row) {
            return row.sample == group.front().sample;
        });
    if (alike)
        for (LegendRow& row : group)
            row.sample.reset();
}

} // namespace

void PlotPainter::DrawLegend(gfx::Canvas& canvas, const PlotColors& c,
                             const std::array<bool, kSystemCount>& systems,
                             const std::array<bool, kCurveKinds>& kinds, double namesBottom)
{
    const bool perSystem = settings_.colourEachSystem;
    std::vector<LegendRow> rows;
    for (int k = 0; k < kSystemCount; ++k) {
        if (!systems[k])
            continue;
        const std::string& name = doc_.systems[k].systemName;
        LegendRow row{SystemLabel(k) + (name.empty() ? "" : ": " + name), std::nullopt};
        // One colour per kind: every system's lines look alike, so only the names are listed.
        if (perSystem)
            row.sample = gfx::Pen{gfx::PenStyle::Solid, kPenWidth, c.systems[k]};
        rows.push_back(row);
    }
    if (rows.empty())
        return;
    DropLookalikeSamples(rows, 0);
    const std::size_t firstKind = rows.size();
    const char* const kindNames[] = {doc_.display.splMode ? "SPL" : "Magnitude",
                                     "Excursion",
                                     "Phase",
                                     "Group delay",
                                     "Impedance",
                                     "Radiator excursion"};
    for (int kind = 0; kind < kCurveKinds; ++kind) {
        if (!kinds[kind])
            continue;
        // With colours per system the kinds differ by line style, shown in the text colour.
        gfx::Pen pen = CurvePen(c, static_cast<CurveKind>(kind), kWorkbench, perSystem);
        if (perSystem)
            pen.color = c.text;
        rows.push_back({kindNames[kind], pen});
    }
    DropLookalikeSamples(rows, firstKind);

    canvas.Save();
    canvas.SetFont(PlotFont(canvas));
    const gfx::TextMetrics tm = canvas.GetTextMetrics();
    const double ch = tm.height;
    const double cw = tm.averageCharWidth;
    double textWidth = 0;
    for (const LegendRow& row : rows)
        textWidth = std::max(textWidth, canvas.TextWidth(row.text));

    // In the corner of the frame where it hides the fewest points of the curves drawn: top
    // right unless another corner hides fewer, then top left (under the measured curves'
    // names), bottom right, bottom left. On paper the top right starts under the report's logo.
    const double width = (kSampleCw + 3) * cw + textWidth;
    const double height = (static_cast<double>(rows.size()) + 0.5) * ch;
    const double highest = kFrameTop - ch / 2;
    const double lowest = kFrameBottom + ch / 2 + height;
    const gfx::Point corners[] = {
        {kFrameRight - cw - width, canvas.device().printing ? kReportLogoBottom - ch / 2 : highest},
        {kFrameLeft + cw, namesBottom},
        {kFrameRight - cw - width, lowest},
        {kFrameLeft + cw, lowest}};
    const gfx::Point* best = nullptr;
    std::ptrdiff_t fewest = 0;
    for (const gfx::Point& corner : corners) {
        const std::ptrdiff_t hidden =
            std::count_if(drawnPoints_.begin(), drawnPoints_.end(), [&](const gfx::Point& p) {
                return p.x >= corner.x && p.x <= corner.x + width && p.y <= corner.y &&
                       p.y >= corner.y - height;
            });
        if (!best || hidden < fewest) {
            best = &corner;
            fewest = hidden;
        }
    }
    const double left = best->x;
    const double top = best->y;
    const double right = left + width;
    const double bottom = top - height;
    canvas.FillRect({left, top, right, bottom}, c.background);
    canvas.SetPen({gfx::PenStyle::Solid, kThinPenWidth, c.text});
    canvas.FrameRect({left, top, right, bottom});

    canvas.SetTextColor(c.text);
    canvas.SetTextAlign(gfx::TextAlign::Left);
    double y = top - ch / 4;
    for (const LegendRow& row : rows) {
        if (row.sample) {
            canvas.SetPen(*row.sample);
            canvas.MoveTo(left + cw, y - ch / 2);
            canvas.LineTo(left + (kSampleCw + 1) * cw, y - ch / 2);
        }
        canvas.TextOut(left + (kSampleCw + 2) * cw, y, row.text);
        y -= ch;
    }
    canvas.Restore();
}

} // namespace cw::plot
