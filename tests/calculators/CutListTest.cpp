#include "calculators/CutList.h"

#include "calculators/SheetLayout.h"
#include "model/CSpkSysDoc.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace cw::calc
{
namespace
{

using Plan = std::vector<PlanPoint>;

double SignedArea(const Plan& p)
{
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const PlanPoint& u = p[i];
        const PlanPoint& v = p[(i + 1) % p.size()];
        a += u.x * v.z - v.x * u.z;
    }
    return a / 2;
}

Plan CounterClockwise(Plan p)
{
    if (SignedArea(p) < 0)
        std::reverse(p.begin(), p.end());
    return p;
}

// The part of one convex outline inside another (both clipped edge by edge).
Plan Intersect(Plan subject, Plan clip)
{
    subject = CounterClockwise(subject);
    clip = CounterClockwise(clip);
    for (std::size_t i = 0; i < clip.size() && !subject.empty(); ++i) {
        const PlanPoint a = clip[i], b = clip[(i + 1) % clip.size()];
        const auto side = [&](PlanPoint p) {
            return (b.x - a.x) * (p.z - a.z) - (b.z - a.z) * (p.x - a.x);
        };
        Plan out;
        for (std::size_t j = 0; j < subject.size(); ++j) {
            const PlanPoint p = subject[j], q = subject[(j + 1) % subject.size()];
            const double sp = side(p), sq = side(q);
            if (sp >= 0)
                out.push_back(p);
            if ((sp >= 0) != (sq >= 0)) {
                const double f = sp / (sp - sq);
                out.push_back({p.x + f * (q.x - p.x), p.z + f * (q.z - p.z)});
            }
        }
        subject = out;
    }
    return subject;
}

double Volume(const Solid& s)
{
    return std::abs(SignedArea(s.plan)) * (s.top - s.bottom);
}

double Overlap(const Solid& a, const Solid& b)
{
    const double h = std::min(a.top, b.top) - std::max(a.bottom, b.bottom);
    if (h <= 0)
        return 0;
    const Plan common = Intersect(a.plan, b.plan);
    return common.size() < 3 ? 0 : std::abs(SignedArea(common)) * h;
}

struct Record {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
};

// The sample design's box on every page; the bandpass page gets a front chamber of its own.
void FillPages(CSpkSys& wb, BoxLocks& locks)
{
    wb.closed2.vbLiters = wb.vented4.vbLiters = 40;
    wb.closed2.vbCuFt = wb.vented4.vbCuFt = 1.4126;
    for (const BoxPageKind kind :
         {BoxPageKind::Rectangular, BoxPageKind::Trapezoidal, BoxPageKind::Bandpass}) {
        BoxCalculatorPage page(kind, wb, locks);
        ASSERT_TRUE(page.Start()) << page.guardMessage();
    }
    BoxCalculatorPage bandpass(BoxPageKind::Bandpass, wb, locks);
    ASSERT_TRUE(bandpass.Edit({BoxQuantity::NetVolume, true, Chamber::Front}, 12));
}

// The page's internal dimensions in the cut list's unit.
struct Inside {
    double frontWidth, backWidth, depth, rearHeight, frontHeight, grossVolume;
};

Inside InsideOf(const CSpkSys& s, BoxPageKind kind, bool metric)
{
    const double k = metric ? 1000 : 1;
    switch (kind) {
    case BoxPageKind::Trapezoidal: {
        const TrapBoxDims& d = metric ? s.trapBox.metric : s.trapBox.english;
        return {d.width2 * k, d.width1 * k, d.depth * k, d.height * k, 0, d.grossVolume};
    }
    case BoxPageKind::Bandpass: {
        const BandpassBoxDims& d = metric ? s.bandpassBox.metric : s.bandpassBox.english;
        return {d.width * k,      d.width * k,       d.depth * k,
                d.rearHeight * k, d.frontHeight * k, d.rear.grossVolume + d.front.grossVolume};
    }
    case BoxPageKind::Rectangular:
        break;
    }
    const RectBoxDims& d = metric ? s.rectBox.metric : s.rectBox.english;
    return {d.width * k, d.width * k, d.depth * k, d.height * k, 0, d.grossVolume};
}

TEST(CutList, PanelsOfEveryPageAndStyleFillTheShellAroundExactlyTheInside)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    for (const BoxPageKind kind :
         {BoxPageKind::Rectangular, BoxPageKind::Trapezoidal, BoxPageKind::Bandpass}) {
        for (const bool metric : {true, false}) {
            for (const int sidesBetween : {0, 1}) {
                for (const int setIn : {0, 1}) {
                    SCOPED_TRACE(std::string(BoxPageName(kind)) +
                                 (metric ? " metric" : " english") + " sidesBetween " +
                                 std::to_string(sidesBetween) + " setIn " + std::to_string(setIn));
                    CutListSettings settings;
                    settings.sidesBetween = sidesBetween;
                    settings.frontSetIn = setIn;
                    settings.baffleMm = 25; // a baffle unlike the walls shows which is which
                    settings.baffleIn = 1;
                    std::string why;
                    const auto list = MakeCutList(r.wb, kind, settings, metric, why);
                    ASSERT_TRUE(list) << why;
                    const Inside in = InsideOf(r.wb, kind, metric);
                    const double t = metric ? 18 : 0.75, b = metric ? 25 : 1;
                    const bool divided = kind == BoxPageKind::Bandpass;
                    const double height = in.rearHeight + (divided ? b + in.frontHeight : 0);

                    EXPECT_NEAR(list->outerHeight, height + 2 * t, 1e-9);
                    EXPECT_NEAR(list->outerDepth, in.depth + b + t, 1e-9);
                    if (kind != BoxPageKind::Trapezoidal) {
                        EXPECT_NEAR(list->outerWidth, in.frontWidth + 2 * t, 1e-9);
                    }

                    // The inside: the page's trapezoid (a rectangle off the trapezoidal page)
                    // behind the baffle, one chamber above the other on the bandpass page.
                    const double c = list->outerWidth / 2;
                    const Plan inside = {{c - in.frontWidth / 2, b},
                                         {c + in.frontWidth / 2, b},
                                         {c + in.backWidth / 2, b + in.depth},
                                         {c - in.backWidth / 2, b + in.depth}};
                    std::vector<Solid> cavities = {{inside, t, t + in.rearHeight}};
                    if (divided)
                        cavities.push_back({inside, t + in.rearHeight + b, t + height});
                    const double d = list->outerDepth;
                    const Solid outside{{{0, 0},
                                         {list->outerWidth, 0},
                                         {c + list->outerBackWidth / 2, d},
                                         {c - list->outerBackWidth / 2, d}},
                                        0,
                                        list->outerHeight};

                    std::vector<Solid> solids;
                    for (const Panel& p : list->panels) {
                        for (const Solid& s : p.solids) {
                            // The blank holds the board; off the trapezoid it is the board.
                            EXPECT_LE(Volume(s), p.length * p.width * p.thickness * (1 + 1e-9))
                                << p.name;
                            if (kind != BoxPageKind::Trapezoidal) {
                                EXPECT_NEAR(Volume(s), p.length * p.width * p.thickness,
                                            1e-6 * Volume(s))
                                    << p.name;
                            }
                            EXPECT_NEAR(Overlap(s, outside), Volume(s), 1e-6 * Volume(s))
                                << p.name << " sticks out";
                            for (const Solid& cavity : cavities)
                                EXPECT_NEAR(Overlap(s, cavity), 0, 1e-6 * Volume(s))
                                    << p.name << " is inside";
                            solids.push_back(s);
                        }
                    }
                    for (std::size_t i = 0; i < solids.size(); ++i)
                        for (std::size_t j = i + 1; j < solids.size(); ++j)
                            EXPECT_NEAR(Overlap(solids[i], solids[j]), 0, 1e-6 * Volume(solids[i]))
                                << i << " overlaps " << j;
                    double boards = 0;
                    for (const Solid& s : solids)
                        boards += Volume(s);
                    double hollow = 0;
                    for (const Solid& cavity : cavities)
                        hollow += Volume(cavity);
                    EXPECT_NEAR(boards + hollow, Volume(outside), 1e-6 * Volume(outside));

                    // The inside the panels leave is the page's gross volume.
                    const double cubic = metric ? 1e6 : 1728;
                    EXPECT_NEAR(hollow / cubic, in.grossVolume, 5e-4 * in.grossVolume);
                    EXPECT_NEAR(list->internalVolume, in.grossVolume, 5e-4 * in.grossVolume);
                }
            }
        }
    }
}

TEST(CutList, PanelsHaveTheirNamesAndTheBaffleItsThickness)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    CutListSettings settings;
    settings.baffleMm = 25;
    const auto names = [&](BoxPageKind kind) {
        std::string why;
        const auto list = MakeCutList(r.wb, kind, settings, true, why);
        std::vector<std::string> out;
        for (const Panel& p : list->panels)
            out.push_back(p.name + " " + std::to_string(p.count()) + " " +
                          std::to_string(static_cast<int>(p.thickness)));
        return out;
    };
    EXPECT_EQ(names(BoxPageKind::Rectangular),
              (std::vector<std::string>{"Front baffle 1 25", "Back 1 18", "Left side 1 18",
                                        "Right side 1 18", "Top 1 18", "Bottom 1 18"}));
    EXPECT_EQ(names(BoxPageKind::Trapezoidal),
              (std::vector<std::string>{"Front baffle 1 25", "Back 1 18", "Slanted side 2 18",
                                        "Top 1 18", "Bottom 1 18"}));
    EXPECT_EQ(
        names(BoxPageKind::Bandpass),
        (std::vector<std::string>{"Front baffle 1 25", "Back 1 18", "Left side 1 18",
                                  "Right side 1 18", "Top 1 18", "Bottom 1 18", "Divider 1 25"}));
}

TEST(CutList, SlantedSidesAndTheirBevelFollowTheTrapezoidsAngle)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    BoxCalculatorPage page(BoxPageKind::Trapezoidal, r.wb, r.doc.boxLocks);
    for (const double angle : {15.0, 8.0}) {
        ASSERT_TRUE(page.Edit({BoxQuantity::Angle, true, Chamber::Rear}, angle))
            << page.guardMessage();
        for (const int setIn : {0, 1}) {
            CutListSettings settings;
            settings.frontSetIn = setIn;
            std::string why;
            const auto list = MakeCutList(r.wb, BoxPageKind::Trapezoidal, settings, true, why);
            ASSERT_TRUE(list) << why;
            const Panel& side = list->panels[2];
            ASSERT_EQ(side.count(), 2);
            EXPECT_NEAR(side.bevel, r.wb.trapBox.angle, 0.01);
            EXPECT_NE(side.note.find("bevelled"), std::string::npos);
            EXPECT_NEAR(list->panels[0].bevel, r.wb.trapBox.angle, 0.01);
            for (const Solid& s : side.solids) {
                // The inner face runs at the angle to the depth, and the blank reaches from
                // long point to long point.
                const PlanPoint a = s.plan[1], b = s.plan[2];
                const double slant =
                    std::atan2(std::abs(b.x - a.x), b.z - a.z) * 180 / 3.141592653589793;
                EXPECT_NEAR(slant, r.wb.trapBox.angle, 0.01);
                const double dx = (b.x - a.x), dz = b.z - a.z, len = std::hypot(dx, dz);
                double lo = 1e300, hi = -1e300;
                for (const PlanPoint& p : s.plan) {
                    const double along = (p.x * dx + p.z * dz) / len;
                    lo = std::min(lo, along);
                    hi = std::max(hi, along);
                }
                // (the blank's other side is the wall's height)
                const double blank =
                    std::abs(side.width - (s.top - s.bottom)) < 1e-9 ? side.length : side.width;
                EXPECT_NEAR(blank, hi - lo, 1e-6);
                EXPECT_NEAR(std::abs(SignedArea(s.plan)) / len, 18, 1e-6) << "its thickness";
            }
        }
    }
}

TEST(CutList, DriverCutOutBoltsAndDepthComeFromTheDriver)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    DriverParams& d = r.wb.driver; // the sample woofer: 186 / 184 mm, 8 bolts on 199 mm
    CutListSettings settings;
    std::string why;
    auto list = MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->driver.panel, "Front baffle");
    EXPECT_EQ(list->driver.cutout, d.frontCutoutMm);
    EXPECT_EQ(list->driver.boltCircle, d.boltCircleMm);
    EXPECT_EQ(list->driver.bolts, 8);
    EXPECT_EQ(list->driver.reach, d.depthMm - 18);
    EXPECT_TRUE(list->warnings.empty());

    settings.rearMount = 1;
    list = MakeCutList(r.wb, BoxPageKind::Rectangular, settings, false, why);
    EXPECT_EQ(list->driver.cutout, d.rearCutoutIn);
    EXPECT_EQ(list->driver.boltCircle, d.boltCircleIn);
    EXPECT_EQ(list->driver.reach, d.depthIn);

    // On the bandpass box the driver sits on the divider, its magnet in the rear chamber.
    list = MakeCutList(r.wb, BoxPageKind::Bandpass, settings, true, why);
    EXPECT_EQ(list->driver.panel, "Divider");
    EXPECT_EQ(list->driver.room, r.wb.bandpassBox.metric.rearHeight * 1000);

    // A driver deeper than the box, and one without a cut-out, are said.
    d.depthMm = r.wb.rectBox.metric.depth * 1000 + 1;
    d.rearCutoutMm = 0;
    list = MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why);
    ASSERT_EQ(list->warnings.size(), 2u);
    EXPECT_NE(list->warnings[0].find("no rear mount cut-out"), std::string::npos);
    EXPECT_NE(list->warnings[1].find("more than the"), std::string::npos);
}

TEST(CutList, VentHoleFromTheDesignsVentAreaAsTubesOrASlot)
{
    Record r;
    r.wb.boxTypeName = "4th Order Vented Box";
    r.wb.vented4.svSqM = 0.002; // 2000 mm²
    r.wb.vented4.svSqIn = 3.1;
    FillPages(r.wb, r.doc.boxLocks);
    CutListSettings settings;
    settings.ventTubes = 2;
    std::string why;
    auto list = MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why);
    ASSERT_TRUE(list && list->vent);
    EXPECT_EQ(list->vent->panel, "Front baffle");
    EXPECT_EQ(list->vent->tubes, 2);
    // Two tubes of 1000 mm² inside, with 3 mm walls.
    EXPECT_NEAR(list->vent->diameter, std::sqrt(4 * 1000 / 3.141592653589793) + 6, 1e-9);

    settings.ventSlot = 1;
    list = MakeCutList(r.wb, BoxPageKind::Bandpass, settings, false, why);
    ASSERT_TRUE(list && list->vent);
    EXPECT_EQ(list->vent->panel, "Top");
    EXPECT_EQ(list->vent->height, 1);
    EXPECT_NEAR(list->vent->width, 3.1, 1e-12);

    r.wb.boxTypeName = "2nd Order Closed Box";
    list = MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why);
    EXPECT_FALSE(list->vent);
}

TEST(CutList, NoBoxOrSenselessSettingsAreSaidNotCut)
{
    Record r;
    CutListSettings settings;
    std::string why;
    EXPECT_FALSE(MakeCutList(r.wb, BoxPageKind::Trapezoidal, settings, true, why));
    EXPECT_EQ(why,
              "The Trapezoidal Box page has no box yet: give it a net volume or its dimensions "
              "first.");
    FillPages(r.wb, r.doc.boxLocks);
    settings.wallIn = -1;
    EXPECT_FALSE(MakeCutList(r.wb, BoxPageKind::Rectangular, settings, false, why));
    EXPECT_EQ(why, "The wall thickness must be a number above 0.");
    EXPECT_TRUE(MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why)) << why;
    settings.kerfMm = std::nan("");
    EXPECT_FALSE(MakeCutList(r.wb, BoxPageKind::Rectangular, settings, true, why));
}

TEST(CutList, CsvHasOneRowPerPanel)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    std::string why;
    const auto list = MakeCutList(r.wb, BoxPageKind::Trapezoidal, {}, false, why);
    ASSERT_TRUE(list);
    const std::string csv = CutListCsv(*list);
    EXPECT_EQ(csv.rfind("panel,count,length,width,thickness,unit\n", 0), 0u);
    EXPECT_NE(csv.find("\nSlanted side,2,"), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6);
    EXPECT_NE(csv.find(",0.75,in\n"), std::string::npos);
}

// Every copy of every panel once on a sheet, inside it, with the kerf to each neighbour.
void ExpectSoundLayout(const CutList& list, const SheetLayout& layout)
{
    std::vector<int> copies(list.panels.size(), 0);
    for (const SheetStock& stock : layout.stocks) {
        for (std::size_t i = 0; i < stock.placed.size(); ++i) {
            const PlacedPanel& p = stock.placed[i];
            const Panel& panel = list.panels[p.panel];
            ++copies[p.panel];
            EXPECT_EQ(panel.thickness, stock.thickness);
            EXPECT_EQ(std::minmax(p.along, p.across), std::minmax(panel.length, panel.width));
            EXPECT_GE(p.x, 0);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.x + p.along, layout.sheetLength + 1e-9);
            EXPECT_LE(p.y + p.across, layout.sheetWidth + 1e-9);
            EXPECT_LT(p.sheet, stock.sheets);
            for (std::size_t j = i + 1; j < stock.placed.size(); ++j) {
                const PlacedPanel& q = stock.placed[j];
                if (q.sheet != p.sheet)
                    continue;
                const double k = layout.kerf - 1e-9;
                const bool apart = p.x + p.along + k <= q.x || q.x + q.along + k <= p.x ||
                                   p.y + p.across + k <= q.y || q.y + q.across + k <= p.y;
                EXPECT_TRUE(apart) << panel.name << " and " << list.panels[q.panel].name;
            }
        }
    }
    for (std::size_t i = 0; i < list.panels.size(); ++i)
        EXPECT_EQ(copies[i], list.panels[i].count()) << list.panels[i].name;
}

TEST(SheetLayout, EveryPanelOnceWithoutOverlapAndKerfBetween)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    CutListSettings settings;
    settings.baffleMm = 25;
    for (const BoxPageKind kind :
         {BoxPageKind::Rectangular, BoxPageKind::Trapezoidal, BoxPageKind::Bandpass}) {
        std::string why;
        const auto list = MakeCutList(r.wb, kind, settings, true, why);
        ASSERT_TRUE(list);
        const SheetLayout full = LayOutSheets(*list, settings);
        ExpectSoundLayout(*list, full);
        ASSERT_EQ(full.stocks.size(), 2u); // 18 mm and 25 mm
        EXPECT_EQ(full.sheets(), 2);
        EXPECT_TRUE(full.tooLarge.empty());
        // A sheet hardly larger than the largest panel takes one or two panels each.
        double largest = 0;
        for (const Panel& p : list->panels)
            largest = std::max(largest, p.length);
        const SheetLayout tight = LayOutSheets(*list, largest + 1, largest + 1, 5);
        ExpectSoundLayout(*list, tight);
        EXPECT_GT(tight.sheets(), full.sheets());
    }
}

TEST(SheetLayout, PanelLargerThanTheSheetIsSaidAndLeftOff)
{
    Record r;
    FillPages(r.wb, r.doc.boxLocks);
    std::string why;
    const auto list = MakeCutList(r.wb, BoxPageKind::Rectangular, {}, true, why);
    ASSERT_TRUE(list);
    const Panel& front = list->panels[0];
    // Turned a quarter, a panel longer than the sheet but narrower than its width fits.
    const SheetLayout turned = LayOutSheets(*list, front.length - 1, front.length + 100, 3);
    EXPECT_TRUE(turned.tooLarge.empty());
    ExpectSoundLayout(*list, turned);

    const SheetLayout small = LayOutSheets(*list, front.length - 1, front.width - 1, 3);
    ASSERT_FALSE(small.tooLarge.empty());
    EXPECT_EQ(small.tooLarge[0].rfind("Front baffle (", 0), 0u) << small.tooLarge[0];
    EXPECT_NE(small.tooLarge[0].find("is larger than the sheet"), std::string::npos);
    for (const SheetStock& stock : small.stocks)
        for (const PlacedPanel& p : stock.placed)
            EXPECT_NE(p.panel, 0u);
}

} // namespace
} // namespace cw::calc
