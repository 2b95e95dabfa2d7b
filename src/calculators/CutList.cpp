#include "calculators/CutList.h"

#include "model/BoxTable.h"
#include "model/CSpkSys.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace cw::calc
{

namespace
{

constexpr double kPi = 3.141592653589793;

std::string N(double value)
{
    return FormatShown(value);
}

bool Positive(double v)
{
    return std::isfinite(v) && v > 0;
}

// The internal box of a page in the cut list's length unit: a trapezoid seen from above (the wide
// wall at the front, as the page draws it; both walls alike for the other pages) and, on the
// bandpass page, the two chambers' heights one above the other.
struct Inside {
    double frontWidth = 0, backWidth = 0, depth = 0;
    double rearHeight = 0, frontHeight = 0; // a single chamber has only the rear one
    bool divided = false;
};

std::optional<Inside> InsideOf(const CSpkSys& s, BoxPageKind kind, bool metric)
{
    const double scale = metric ? 1000 : 1; // the page keeps metres
    Inside in;
    switch (kind) {
    case BoxPageKind::Rectangular: {
        const RectBoxDims& d = metric ? s.rectBox.metric : s.rectBox.english;
        in = {d.width * scale, d.width * scale, d.depth * scale, d.height * scale, 0, false};
        break;
    }
    case BoxPageKind::Trapezoidal: {
        const TrapBoxDims& d = metric ? s.trapBox.metric : s.trapBox.english;
        in = {d.width2 * scale, d.width1 * scale, d.depth * scale, d.height * scale, 0, false};
        break;
    }
    case BoxPageKind::Bandpass: {
        const BandpassBoxDims& d = metric ? s.bandpassBox.metric : s.bandpassBox.english;
        in = {d.width * scale,      d.width * scale,       d.depth * scale,
              d.rearHeight * scale, d.frontHeight * scale, true};
        break;
    }
    }
    const bool usable = Positive(in.frontWidth) && Positive(in.backWidth) && Positive(in.depth) &&
                        Positive(in.rearHeight) && (!in.divided || Positive(in.frontHeight)) &&
                        in.backWidth <= in.frontWidth;
    if (!usable)
        return std::nullopt;
    return in;
}

// The boards around the inside. x runs across the box from the left outer edge, z from the
// front face backwards, y up from the bottom face. A side wall stands at the trapezoid's angle;
// its thickness is measured square to its faces.
class Shell
{
public:
    Shell(const Inside& in, double wall, double baffle, const CutListSettings& settings)
        : in_(in), t_(wall), b_(baffle), slope_((in.frontWidth - in.backWidth) / (2 * in.depth)),
          cosine_(1 / std::sqrt(1 + slope_ * slope_)), setIn_(settings.frontSetIn == 1),
          sidesBetween_(settings.sidesBetween != 0)
    {
        height_ = in.rearHeight + (in.divided ? b_ + in.frontHeight : 0);
        centre_ = Outer(0);
    }

    double angle() const { return std::atan(slope_) * 180 / kPi; }
    double outerHeight() const { return height_ + 2 * t_; }
    double outerDepth() const { return b_ + in_.depth + t_; }
    double centre() const { return centre_; }
    double outerWidthAt(double z) const { return 2 * Outer(z); }

    std::vector<Panel> Panels() const
    {
        const double h = outerHeight(), back = b_ + in_.depth, d = outerDepth();
        // What the front and back leave of the depth to the other boards, and their heights.
        const double z0 = setIn_ ? 0 : b_, z1 = setIn_ ? d : back;
        const double y0 = setIn_ ? t_ : 0, y1 = setIn_ ? h - t_ : h;
        const bool inner = setIn_;
        std::vector<Panel> panels;
        panels.push_back(Upright("Front baffle", b_, Across(inner, 0, b_, y0, y1)));
        panels.push_back(Upright("Back", t_, Across(inner, back, d, y0, y1)));
        const double s0 = sidesBetween_ ? t_ : 0, s1 = sidesBetween_ ? h - t_ : h;
        const Solid left = Wall(-1, z0, z1, s0, s1), right = Wall(1, z0, z1, s0, s1);
        if (slope_ > 0) {
            panels.push_back(Side("Slanted side", {left, right}));
        } else {
            panels.push_back(Side("Left side", {left}));
            panels.push_back(Side("Right side", {right}));
        }
        panels.push_back(Flat("Top", t_, Across(!sidesBetween_, z0, z1, h - t_, h)));
        panels.push_back(Flat("Bottom", t_, Across(!sidesBetween_, z0, z1, 0, t_)));
        if (in_.divided) {
            const double y = t_ + in_.rearHeight;
            panels.push_back(Flat("Divider", b_, Across(true, b_, back, y, y + b_)));
        }
        return panels;
    }

private:
    // Half the width between the side walls' inner and outer faces at depth z.
    double Inner(double z) const { return in_.frontWidth / 2 - slope_ * (z - b_); }
    double Outer(double z) const { return Inner(z) + t_ / cosine_; }

    // A board that spans the box from side to side: between the walls' inner faces, or over
    // their edges to the outer faces.
    Solid Across(bool inner, double z0, double z1, double y0, double y1) const
    {
        const double w0 = inner ? Inner(z0) : Outer(z0), w1 = inner ? Inner(z1) : Outer(z1);
        return {{{centre_ - w0, z0}, {centre_ + w0, z0}, {centre_ + w1, z1}, {centre_ - w1, z1}},
                y0,
                y1};
    }

    // A side wall: side -1 the left one, 1 the right one.
    Solid Wall(int side, double z0, double z1, double y0, double y1) const
    {
        const auto at = [&](double half, double z) { return PlanPoint{centre_ + side * half, z}; };
        return {
            {at(Outer(z0), z0), at(Inner(z0), z0), at(Inner(z1), z1), at(Outer(z1), z1)}, y0, y1};
    }

    std::string Bevelled(const char* edges) const
    {
        return slope_ > 0 ? std::string(edges) + " bevelled " + N(angle()) + "\u00b0" : "";
    }

    // A panel whose blank is a by b; bevelled, its slanted edges follow the side walls' angle.
    Panel Blank(const char* name, double a, double b, double thickness, bool bevelled,
                std::string note, std::vector<Solid> solids) const
    {
        return {name,
                std::max(a, b),
                std::min(a, b),
                thickness,
                bevelled && slope_ > 0 ? angle() : 0,
                std::move(note),
                std::move(solids)};
    }

    // The front or the back: its widest face by its height, side edges bevelled to the walls.
    Panel Upright(const char* name, double thickness, Solid s) const
    {
        const double wide = std::max(s.plan[1].x - s.plan[0].x, s.plan[2].x - s.plan[3].x);
        return Blank(name, wide, s.top - s.bottom, thickness, true, Bevelled("side edges"), {s});
    }

    // A side wall, from long point to long point: its ends are cut parallel to the front.
    Panel Side(const char* name, std::vector<Solid> walls) const
    {
        const Solid& s = walls.front();
        const double length = (s.plan[2].z - s.plan[1].z) / cosine_ + t_ * slope_;
        std::string note = Bevelled("both ends");
        if (!note.empty())
            note += ", parallel";
        return Blank(name, length, s.top - s.bottom, t_, true, note, std::move(walls));
    }

    // The top, the bottom or the divider: a trapezoid on a trapezoidal box.
    Panel Flat(const char* name, double thickness, Solid s) const
    {
        const double front = s.plan[1].x - s.plan[0].x, back = s.plan[2].x - s.plan[3].x;
        const std::string note =
            slope_ > 0 ? "trapezoid " + N(front) + " front, " + N(back) + " back" : "";
        return Blank(name, front, s.plan[2].z - s.plan[1].z, thickness, false, note, {s});
    }

    Inside in_;
    double t_, b_;
    double slope_;  // tan of the side walls' angle to the depth
    double cosine_; // cos of that angle
    bool setIn_, sidesBetween_;
    double height_ = 0; // inside, the divider included
    double centre_ = 0;
};

std::string SettingProblem(double wall, double baffle, double kerf, double sheetL, double sheetW)
{
    if (!Positive(wall))
        return "The wall thickness must be a number above 0.";
    if (!Positive(baffle))
        return "The baffle thickness must be a number above 0.";
    if (!(std::isfinite(kerf) && kerf >= 0))
        return "The saw kerf must be 0 or a positive number.";
    if (!Positive(sheetL) || !Positive(sheetW))
        return "The sheet's length and width must be numbers above 0.";
    return {};
}

DriverHole DriverHoleOf(const CSpkSys& s, const Inside& in, const CutListSettings& settings,
                        double baffle, bool metric)
{
    const DriverParams& d = s.driver;
    DriverHole h;
    h.panel = in.divided ? "Divider" : "Front baffle";
    h.rearMount = settings.rearMount == 1;
    if (h.rearMount)
        h.cutout = metric ? d.rearCutoutMm : d.rearCutoutIn;
    else
        h.cutout = metric ? d.frontCutoutMm : d.frontCutoutIn;
    h.boltCircle = metric ? d.boltCircleMm : d.boltCircleIn;
    h.bolts = std::isfinite(d.boltCount) ? static_cast<int>(std::clamp(d.boltCount, 0.0, 99.0)) : 0;
    h.depth = metric ? d.depthMm : d.depthIn;
    // Mounted from the front, the flange sits on the baffle's face and the baffle takes part of
    // the depth; from inside, the whole driver is in the box.
    h.reach = std::max(0.0, h.depth - (h.rearMount ? 0 : baffle));
    // On the bandpass box the driver sits on the divider with its magnet in the rear chamber.
    h.room = in.divided ? in.rearHeight : in.depth;
    return h;
}

std::optional<VentHole> VentHoleOf(const CSpkSys& s, const Inside& in,
                                   const CutListSettings& settings, bool metric)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    const cw::BoxField* field = box ? box->Find(cw::BoxQuantity::VentArea) : nullptr;
    if (field == nullptr)
        return std::nullopt;
    // Square metres to square millimetres; the English copy is in square inches already.
    const double area = metric ? field->Value(s) * 1e6 : field->EnglishValue(s);
    if (!Positive(area))
        return std::nullopt;
    VentHole v;
    // The bandpass box's front chamber vents through its top wall, as the page draws it.
    v.panel = in.divided ? "Top" : "Front baffle";
    v.slot = settings.ventSlot == 1;
    if (v.slot) {
        v.height = CutListLength(settings, &CutListSettings::slotHeightMm,
                                 &CutListSettings::slotHeightIn, metric);
        if (!Positive(v.height))
            return std::nullopt;
        v.width = area / v.height;
    } else {
        v.tubes = std::max(1, settings.ventTubes);
        const double wall = CutListLength(settings, &CutListSettings::tubeWallMm,
                                          &CutListSettings::tubeWallIn, metric);
        v.diameter = std::sqrt(4 * area / (kPi * v.tubes)) + 2 * std::max(0.0, wall);
    }
    return v;
}

// The smaller inside size of the panel a hole goes through.
double InsideOfPanel(const std::string& panel, const Inside& in)
{
    if (panel == "Front baffle")
        return std::min(in.frontWidth, in.divided ? in.frontHeight : in.rearHeight);
    return std::min(in.backWidth, in.depth); // the divider or the top
}

void AddWarnings(CutList& list, const Inside& in)
{
    const DriverHole& d = list.driver;
    const std::string unit = list.unit();
    if (d.cutout <= 0)
        list.warnings.push_back(std::string("The driver gives no ") +
                                (d.rearMount ? "rear" : "front") +
                                " mount cut-out diameter: measure it before cutting.");
    else if (d.cutout > InsideOfPanel(d.panel, in))
        list.warnings.push_back("The driver's cut-out of " + N(d.cutout) + " " + unit +
                                " does not fit inside the " + d.panel + " (" +
                                N(InsideOfPanel(d.panel, in)) + " " + unit + ").");
    if (d.reach > d.room)
        list.warnings.push_back("The driver reaches " + N(d.reach) + " " + unit +
                                " into the box behind the " + d.panel + ", more than the " +
                                N(d.room) + " " + unit + " it has inside.");
    if (list.vent) {
        const VentHole& v = *list.vent;
        const double size = v.slot ? std::max(v.width, v.height) : v.diameter;
        if (size > InsideOfPanel(v.panel, in))
            list.warnings.push_back("The vent's hole of " + N(size) + " " + unit +
                                    " does not fit inside the " + v.panel + " (" +
                                    N(InsideOfPanel(v.panel, in)) + " " + unit + ").");
    }
}

std::string CsvText(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

double CutListLength(const CutListSettings& settings, double CutListSettings::*mm,
                     double CutListSettings::*in, bool metric)
{
    return metric ? settings.*mm : settings.*in;
}

std::optional<CutList> MakeCutList(const CSpkSys& record, BoxPageKind kind,
                                   const CutListSettings& settings, bool metric, std::string& why)
{
    using S = CutListSettings;
    const double wall = CutListLength(settings, &S::wallMm, &S::wallIn, metric);
    const double baffle = CutListLength(settings, &S::baffleMm, &S::baffleIn, metric);
    why = SettingProblem(wall, baffle, CutListLength(settings, &S::kerfMm, &S::kerfIn, metric),
                         CutListLength(settings, &S::sheetLengthMm, &S::sheetLengthIn, metric),
                         CutListLength(settings, &S::sheetWidthMm, &S::sheetWidthIn, metric));
    if (!why.empty())
        return std::nullopt;
    const std::optional<Inside> in = InsideOf(record, kind, metric);
    if (!in) {
        why = std::string("The ") + BoxPageName(kind) +
              " page has no box yet: give it a net volume or its dimensions first.";
        return std::nullopt;
    }

    const Shell shell(*in, wall, baffle, settings);
    CutList list;
    list.kind = kind;
    list.metric = metric;
    list.wall = wall;
    list.baffle = baffle;
    list.outerWidth = 2 * shell.centre();
    list.outerHeight = shell.outerHeight();
    list.outerDepth = shell.outerDepth();
    list.panels = shell.Panels();
    list.outerBackWidth = shell.outerWidthAt(list.outerDepth);
    const double cubic = metric ? 1e6 : 1728; // mm³ per liter, in³ per cubic foot
    list.internalVolume = (in->frontWidth + in->backWidth) / 2 * in->depth *
                          (in->rearHeight + in->frontHeight) / cubic;
    list.driver = DriverHoleOf(record, *in, settings, baffle, metric);
    list.vent = VentHoleOf(record, *in, settings, metric);
    AddWarnings(list, *in);
    return list;
}

double BoardArea(const CutList& list)
{
    double area = 0;
    for (const Panel& p : list.panels)
        area += p.length * p.width * p.count();
    return area / (list.metric ? 1e6 : 144); // square metres or square feet
}

std::vector<std::string> CutListNotes(const CutList& list)
{
    const std::string u = std::string(" ") + list.unit();
    std::vector<std::string> lines;
    if (list.kind == BoxPageKind::Trapezoidal)
        lines.push_back("Outside: " + N(list.outerWidth) + u + " wide at the front, " +
                        N(list.outerBackWidth) + u + " at the back, " + N(list.outerHeight) + u +
                        " high, " + N(list.outerDepth) + u + " deep.");
    else
        lines.push_back("Outside: " + N(list.outerWidth) + " x " + N(list.outerHeight) + " x " +
                        N(list.outerDepth) + u + " (width x height x depth).");
    const DriverHole& d = list.driver;
    std::string driver = std::string("Driver cut-out (") + (d.rearMount ? "rear" : "front") +
                         " mount) in the " + d.panel + ": " +
                         (d.cutout > 0 ? N(d.cutout) + u : std::string("not given"));
    if (d.bolts > 0 && d.boltCircle > 0)
        driver += ", " + std::to_string(d.bolts) + " bolts on a " + N(d.boltCircle) + u + " circle";
    lines.push_back(driver + ".");
    if (list.vent) {
        const VentHole& v = *list.vent;
        if (v.slot)
            lines.push_back("Vent in the " + v.panel + ": a slot of " + N(v.height) + " x " +
                            N(v.width) + u + ".");
        else
            lines.push_back("Vent in the " + v.panel + ": " + std::to_string(v.tubes) +
                            (v.tubes == 1 ? " hole" : " holes") + " of " + N(v.diameter) + u +
                            " for the tubes' outside.");
    }
    lines.push_back("Internal volume from the panels: " + N(list.internalVolume) +
                    (list.metric ? " liters" : " cubic feet") + "; board area " +
                    N(BoardArea(list)) + (list.metric ? " square meters." : " square feet."));
    for (const std::string& w : list.warnings)
        lines.push_back(w);
    return lines;
}

std::string CutListCsv(const CutList& list)
{
    std::string csv = "panel,count,length,width,thickness,unit\n";
    for (const Panel& p : list.panels)
        csv += CsvText(p.name) + "," + std::to_string(p.count()) + "," +
               FormatPrinted("%.6g", p.length) + "," + FormatPrinted("%.6g", p.width) + "," +
               FormatPrinted("%.6g", p.thickness) + "," + list.unit() + "\n";
    return csv;
}

} // namespace cw::calc
