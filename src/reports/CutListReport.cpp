#include "reports/CutListReport.h"

#include "model/CSpkSysDoc.h"
#include "model/NumberFormat.h"
#include "reports/CalculatorReportFrame.h"
#include "reports/ReportLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cw::reports
{

namespace
{

using gfx::TextAlign;

const gfx::Font kHeadingFont{"Arial", 240, 700, gfx::FontFamily::Swiss, false};
const gfx::Font kRowFont{"Arial", 200, 400, gfx::FontFamily::Swiss, false};
constexpr gfx::Color kBoard{222, 222, 222};

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The table's columns: the name from the left margin, the numbers right-aligned, the edges left.
struct Columns {
    double name, count, length, width, thickness, note;
};

void DrawTable(gfx::Canvas& canvas, const calc::CutList& list, double left, double top,
               double pitch)
{
    const Columns c{left, left + 2300, left + 3400, left + 4500, left + 5600, left + 5800};
    const std::string u = std::string(" (") + list.unit() + ")";
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, c.name, top, "Panel", TextAlign::Left);
    TextAt(canvas, c.count, top, "Count", TextAlign::Right);
    TextAt(canvas, c.length, top, "Length", TextAlign::Right);
    TextAt(canvas, c.width, top, "Width", TextAlign::Right);
    TextAt(canvas, c.thickness, top, "Thick" + u, TextAlign::Right);
    TextAt(canvas, c.note, top, "Cut", TextAlign::Left);
    canvas.SetFont(kRowFont);
    double y = top - pitch * 1.25;
    for (const calc::Panel& p : list.panels) {
        TextAt(canvas, c.name, y, p.name, TextAlign::Left);
        TextAt(canvas, c.count, y, std::to_string(p.count()), TextAlign::Right);
        TextAt(canvas, c.length, y, FormatShown(p.length), TextAlign::Right);
        TextAt(canvas, c.width, y, FormatShown(p.width), TextAlign::Right);
        TextAt(canvas, c.thickness, y, FormatShown(p.thickness), TextAlign::Right);
        TextAt(canvas, c.note, y, p.note.empty() ? "square" : p.note, TextAlign::Left);
        y -= pitch;
    }
}

} // namespace

std::string CutListReportTitle(calc::BoxPageKind kind)
{
    return std::string(calc::BoxPageName(kind)) + " Cut List";
}

void DrawSheetLayout(gfx::Canvas& canvas, const calc::CutList& list,
                     const calc::SheetLayout& layout, const gfx::Rect& area, double labelHeight)
{
    // Sizes are worked in device units, so that the sheets keep their proportions on a page
    // whose logical units differ across and down.
    const double ux = std::abs(canvas.mapping().scaleX());
    const double uy = std::abs(canvas.mapping().scaleY());
    const double down = area.top > area.bottom ? -1 : 1; // the logical way down the page
    const double areaW = std::abs(area.right - area.left) * ux;
    const double areaH = std::abs(area.top - area.bottom) * uy;
    const double caption = labelHeight * 1.4 * uy;
    const double gap = labelHeight * uy;
    const int n = layout.sheets();
    if (n == 0 || layout.sheetLength <= 0 || layout.sheetWidth <= 0)
        return;
    // As many columns as give the sheets the largest scale.
    int columns = 1;
    double scale = 0;
    for (int cols = 1; cols <= n; ++cols) {
        const int rows = (n + cols - 1) / cols;
        const double s = std::min((areaW / cols - gap) / layout.sheetLength,
                                  (areaH / rows - gap - caption) / layout.sheetWidth);
        if (s > scale) {
            scale = s;
            columns = cols;
        }
    }
    if (scale <= 0)
        return;
    const int rows = (n + columns - 1) / columns;
    const double cellW = areaW / columns, cellH = areaH / rows;
    const auto X = [&](double device) { return area.left + device / ux; };
    const auto Y = [&](double device) { return area.top + down * device / uy; };
    const auto Box = [&](double x, double y, double w, double h) {
        return gfx::Rect{X(x), Y(y), X(x + w), Y(y + h)};
    };

    canvas.Save();
    canvas.SetFont({"Arial", labelHeight, 400, gfx::FontFamily::Swiss, false});
    canvas.SetTextColor(gfx::kBlack);
    int index = 0;
    for (const calc::SheetStock& stock : layout.stocks) {
        for (int sheet = 0; sheet < stock.sheets; ++sheet, ++index) {
            const double left = (index % columns) * cellW;
            const double top = (index / columns) * cellH;
            TextAt(canvas, X(left), Y(top),
                   "Sheet " + std::to_string(index + 1) + ", " + FormatShown(stock.thickness) +
                       " " + list.unit(),
                   TextAlign::Left);
            const double sheetTop = top + caption;
            const gfx::Rect board =
                Box(left, sheetTop, layout.sheetLength * scale, layout.sheetWidth * scale);
            canvas.FillRect(board, gfx::kWhite);
            canvas.SetPen({gfx::PenStyle::Solid, 0, gfx::kBlack});
            canvas.FrameRect(board);
            for (const calc::PlacedPanel& p : stock.placed) {
                if (p.sheet != sheet)
                    continue;
                const gfx::Rect r = Box(left + p.x * scale, sheetTop + p.y * scale, p.along * scale,
                                        p.across * scale);
                canvas.FillRect(r, kBoard);
                canvas.FrameRect(r);
                // The name with the sizes along and across the sheet where they fit, else the
                // name alone, else nothing.
                const std::string& name = list.panels[p.panel].name;
                const std::string sized =
                    name + " " + FormatShown(p.along) + " x " + FormatShown(p.across);
                const double w = std::abs(r.right - r.left) * 0.95;
                const double h = std::abs(r.top - r.bottom) * uy;
                const std::string& label = canvas.TextWidth(sized) < w ? sized : name;
                if (canvas.TextWidth(label) < w && h > labelHeight * uy * 1.2)
                    TextAt(canvas, (r.left + r.right) / 2,
                           (r.top + r.bottom) / 2 - down * labelHeight / 2, label,
                           TextAlign::Center);
            }
        }
    }
    canvas.Restore();
}

void DrawSheetLayoutPicture(gfx::Canvas& canvas, double width, double height,
                            const calc::CutList& list, const calc::SheetLayout& layout)
{
    canvas.Save();
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(width, height);
    canvas.SetViewportOrg(0, 0);
    canvas.SetViewportExt(width, height);
    canvas.FillRect({0, 0, width, height}, gfx::kWhite);
    const double label = std::clamp(height / 40, 9.0, 14.0);
    canvas.SetFont({"Arial", label * 1.2, 700, gfx::FontFamily::Swiss, false});
    canvas.SetTextColor(gfx::kBlack);
    TextAt(canvas, label, label / 2,
           CutListReportTitle(list.kind) + ": " + calc::SheetSummary(list, layout),
           TextAlign::Left);
    DrawSheetLayout(canvas, list, layout, {label, label * 2.5, width - label, height - label},
                    label);
    canvas.Restore();
}

void DrawCutListReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, calc::BoxPageKind kind,
                           bool metric)
{
    const ReportLayout& layout = MapCalculatorReportPage(canvas);
    DrawCalculatorReportFrame(canvas, layout, doc, CutListReportTitle(kind));
    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    const double left = layout.leftMargin + 100;
    double y = layout.topLine - 100;
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, left, y, CutListReportTitle(kind), TextAlign::Left);
    y -= 500;

    std::string why;
    const auto list = calc::MakeCutList(doc.workbench(), kind, doc.cutList, metric, why);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    const double textRight = layout.frameRight;
    if (!list) {
        canvas.DrawTextWrapped({left, y, textRight, y - 1000}, why);
        canvas.Restore();
        return;
    }
    const calc::SheetLayout sheets = calc::LayOutSheets(*list, doc.cutList);
    const double pitch = 300;
    DrawTable(canvas, *list, left, y, pitch);
    y -= pitch * (list->panels.size() + 1.75);

    std::vector<std::string> notes = calc::CutListNotes(*list);
    notes.push_back(calc::SheetSummary(*list, sheets));
    notes.insert(notes.end(), sheets.tooLarge.begin(), sheets.tooLarge.end());
    const double notesHeight = 260 * (notes.size() + 2);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({left, y, textRight, y - notesHeight}, Join(notes));
    y -= notesHeight;

    DrawSheetLayout(canvas, *list, sheets, {left, y, textRight, layout.titleBlock.y + 150}, 160);
    canvas.Restore();
}

} // namespace cw::reports
