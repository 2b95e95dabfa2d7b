#pragma once

#include <cstdint>

namespace cw
{

// How the box of a box calculator page is built from boards: what its cut list takes besides the
// page's internal dimensions. Lengths exist as a millimetre and an inch copy, as the other paired
// fields do; the units preference chooses the copy that is shown and used.
struct CutListSettings {
    double wallMm = 18, wallIn = 0.75;     // the walls' thickness
    double baffleMm = 18, baffleIn = 0.75; // the front baffle's, and a bandpass box's divider's
    double kerfMm = 3, kerfIn = 0.125;     // the saw's kerf
    double sheetLengthMm = 2440, sheetLengthIn = 96;
    double sheetWidthMm = 1220, sheetWidthIn = 48;
    double tubeWallMm = 3, tubeWallIn = 0.125;  // a vent tube's wall: its hole takes the outside
    double slotHeightMm = 25, slotHeightIn = 1; // a slot vent's height; its width follows S(v)
    std::int32_t sidesBetween = 1; // 1 the sides stand between top and bottom, 0 the reverse
    std::int32_t frontSetIn = 0;   // 0 front and back cover the other boards' edges, 1 set in
    std::int32_t rearMount = 0;    // 1 the driver is mounted from inside (its rear cut-out)
    std::int32_t ventSlot = 0;     // 0 round tubes, 1 a slot
    std::int32_t ventTubes = 1;    // number of vent tubes
    std::int32_t boxPage = 0; // the box page last used: 0 rectangular, 1 trapezoidal, 2 bandpass

    template <class Self, class Visit> static void Fields(Self& c, Visit&& visit)
    {
        visit("wallMm", c.wallMm);
        visit("wallIn", c.wallIn);
        visit("baffleMm", c.baffleMm);
        visit("baffleIn", c.baffleIn);
        visit("kerfMm", c.kerfMm);
        visit("kerfIn", c.kerfIn);
        visit("sheetLengthMm", c.sheetLengthMm);
        visit("sheetLengthIn", c.sheetLengthIn);
        visit("sheetWidthMm", c.sheetWidthMm);
        visit("sheetWidthIn", c.sheetWidthIn);
        visit("tubeWallMm", c.tubeWallMm);
        visit("tubeWallIn", c.tubeWallIn);
        visit("slotHeightMm", c.slotHeightMm);
        visit("slotHeightIn", c.slotHeightIn);
        visit("sidesBetween", c.sidesBetween);
        visit("frontSetIn", c.frontSetIn);
        visit("rearMount", c.rearMount);
        visit("ventSlot", c.ventSlot);
        visit("ventTubes", c.ventTubes);
        visit("boxPage", c.boxPage);
    }
    bool operator==(const CutListSettings&) const = default;
};

} // namespace cw
