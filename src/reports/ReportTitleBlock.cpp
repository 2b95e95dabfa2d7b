#include "reports/ReportTitleBlock.h"

#include "reports/ReportLayout.h"

#include <cmath>
#include <string>

namespace cw::reports
{

namespace
{

using gfx::Font;
using gfx::FontFamily;
using gfx::TextAlign;

constexpr double kWidth = 4200;
constexpr int kHeight = 3600;
constexpr double kLinePitch = 270; // of the address and name lines
// The three rules lie 40, 69 and 88 hundredths of the height below the top; in whole numbers, so
// that no rounding moves them.
constexpr int kRulePercent[] = {40, 69, 88};

const Font kCompanyFont{"Times New Roman", 445, 600, FontFamily::Roman, false};
const Font kAddressFont{"Arial", 230, 400, FontFamily::Swiss, false};
const Font kCaptionFont{"Courier New", 150, 400, FontFamily::Modern, true};
const Font kNameFont{"Arial", 240, 700, FontFamily::Swiss, false};

} // namespace

void DrawTitleBlock(gfx::Canvas& canvas, gfx::Point topLeft, const TitleBlock& title,
                    const CSpkSys& workbench, std::string_view secondLine)
{
    const double left = topLeft.x;
    const double top = topLeft.y;
    const double right = left + kWidth;
    double rules[3];
    for (int i = 0; i < 3; ++i)
        rules[i] = top - kHeight * kRulePercent[i] / 100;
    // Lines below the top, truncated to whole units.
    auto below = [top](double lines) { return std::trunc(top - kLinePitch * lines); };

    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetPen({gfx::PenStyle::Solid, 15, gfx::kBlack});
    canvas.FrameRect({left, top, right, top - kHeight});
    canvas.SetPen({gfx::PenStyle::Solid, 10, gfx::kBlack});
    for (double y : rules) {
        canvas.MoveTo(left, y);
        canvas.LineTo(right, y);
    }

    canvas.SetFont(kCompanyFont);
    TextAt(canvas, left + 100, top - 70, title.company, TextAlign::Left);
    canvas.SetFont(kAddressFont);
    TextAt(canvas, left + 100, below(2.2), title.address1, TextAlign::Left);
    TextAt(canvas, left + 100, below(3.2), title.address2, TextAlign::Left);
    TextAt(canvas, left + 100, below(4.2), title.address3, TextAlign::Left);
    TextAt(canvas, right - 100, below(4.2), title.phone, TextAlign::Right);

    canvas.SetFont(kCaptionFont);
    TextAt(canvas, left + 810, rules[0] - 40, "System Name:", TextAlign::Right);
    canvas.SetFont(kNameFont);
    const double centre = left + kWidth / 2;
    TextAt(canvas, centre, below(6.2), workbench.systemName, TextAlign::Center);
    TextAt(canvas, centre, below(7.4), secondLine, TextAlign::Center);

    canvas.SetFont(kAddressFont);
    TextAt(canvas, left + 660, rules[1] - 40, "Designer:", TextAlign::Right);
    TextAt(canvas, left + 780, rules[1] - 50, title.designer, TextAlign::Left);
    TextAt(canvas, left + 660, rules[1] - 330, "Title:", TextAlign::Right);
    TextAt(canvas, left + 780, rules[1] - 330, title.designerTitle, TextAlign::Left);
    TextAt(canvas, left + 660, rules[2] - 40, "Rev Date:", TextAlign::Right);
    TextAt(canvas, left + 780, rules[2] - 80, workbench.revDate, TextAlign::Left);
    TextAt(canvas, right - 600, rules[2] - 40, "Rev:", TextAlign::Right);
    TextAt(canvas, right - 420, rules[2] - 80, workbench.revision, TextAlign::Left);
    canvas.Restore();
}

} // namespace cw::reports
