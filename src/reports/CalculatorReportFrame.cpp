#include "reports/CalculatorReportFrame.h"

#include "model/CSpkSysDoc.h"
#include "pictures/Pictures.h"
#include "reports/ReportTitleBlock.h"

namespace cw::reports
{

void DrawCalculatorReportFrame(gfx::Canvas& canvas, const ReportLayout& layout,
                               const CSpkSysDoc& doc, std::string_view secondLine)
{
    const double right = layout.right;
    const double h = layout.halfHeight;
    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);

    pictures::DrawLogoMark(canvas, right - 600, layout.topLine - 60);
    const double emblemTop = layout.topLine - 420;
    pictures::DrawLogoEmblem(canvas, {right - 600, emblemTop, right - 300, emblemTop - 111});

    canvas.SetPen({gfx::PenStyle::Solid, 10, gfx::kBlack});
    canvas.FrameRect({50, h, right, -h});

    DrawTitleBlock(canvas, layout.titleBlock, doc.titleBlock, doc.workbench(), secondLine);
    canvas.Restore();
}

void DrawReportPicture(gfx::Canvas& canvas, gfx::Point origin, gfx::Point cell,
                       const std::function<void(gfx::Canvas&)>& draw)
{
    canvas.Save();
    const gfx::Mapping page = canvas.mapping();
    // A picture pixel covers cell report units, and y turns to grow downwards; the window's origin
    // moves so that the picture's pixel (0, 0) lands on origin of the scaled page.
    canvas.SetWindowExt(page.windowExt.x / cell.x, -page.windowExt.y / cell.y);
    canvas.SetWindowOrg(page.windowOrg.x / cell.x - origin.x,
                        -page.windowOrg.y / cell.y - origin.y);
    draw(canvas);
    canvas.Restore();
}

} // namespace cw::reports
