#include "reports/CompareReport.h"

#include "model/CSpkSysDoc.h"
#include "reports/CalculatorReportFrame.h"

#include <algorithm>

namespace cw::reports
{

namespace
{

using gfx::TextAlign;

const gfx::Font kRowFont{"Arial", 180, 400, gfx::FontFamily::Swiss, false};
const gfx::Font kHeadingFont{"Arial", 180, 700, gfx::FontFamily::Swiss, false};
constexpr double kLinePitch = 300;
constexpr std::size_t kNameLength = 12; // characters of a system name the narrow columns show

} // namespace

void DrawCompareReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc,
                           const std::vector<engine::CompareRow>& rows, bool metric)
{
    const ReportLayout& layout = MapCalculatorReportPage(canvas);
    DrawCalculatorReportFrame(canvas, layout, doc, "Compare Systems");
    const std::vector<engine::CompareColumn> columns = engine::CompareColumns(metric);

    // The quantities down the page, the systems across it right of their titles.
    const double titleRight = layout.leftMargin + 2500;
    const double pitch = (layout.right - 200 - titleRight) /
                         static_cast<double>(std::max<std::size_t>(rows.size(), 1));
    double y = layout.topLine - 400;
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, layout.leftMargin, y, "Compare Systems", TextAlign::Left);
    y -= 1.5 * kLinePitch;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        canvas.SetFont(c == 0 ? kHeadingFont : kRowFont);
        TextAt(canvas, titleRight, y, columns[c].title, TextAlign::Right);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            std::string text = engine::CompareText(engine::CompareCells(rows[r])[c], columns[c]);
            // The box types' names are wider than the columns.
            if (columns[c].key == "box_type")
                text = BoxTypeAbbreviation(rows[r].boxType);
            if (columns[c].key == "name" && text.size() > kNameLength) {
                // Cut between characters, never inside one.
                std::size_t n = kNameLength;
                while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
                    --n;
                text.resize(n);
            }
            TextAt(canvas, titleRight + (r + 1) * pitch, y, text, TextAlign::Right);
        }
        y -= kLinePitch;
    }
}

} // namespace cw::reports
