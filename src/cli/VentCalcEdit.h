#pragma once

#include "calculators/VentPageModel.h"
#include "cli/PanelEdit.h"
#include "model/CSpkSysDoc.h"

#include <optional>
#include <string_view>

// The vent calculator pages without their window. A page's vent lives as long as the run, as it
// lives as long as the sheet on the screen: a start proposes afresh from the design, an edit types
// into the page's field (starting the page first when it has not been), and each then writes the
// page's vent into the design as OK does.
namespace cw::cli
{

class VentPages
{
public:
    explicit VentPages(CSpkSysDoc& doc) : doc_(doc) {}

    // True for a path into a vent page ("tubeVent.", "rectVent.").
    static bool IsVentPath(std::string_view path);

    // The page's start, shown in metric or English units. Refused with the closed-box message,
    // or with the page's sentence when the vent has no length (the design then keeps its vent).
    EditOutcome Start(bool tubes, bool metric);

    // Types text into the field at path: "tubeVent.diameterM", "tubeVent.diameterIn",
    // "tubeVent.count", "rectVent.heightM", "rectVent.heightIn", "rectVent.widthM",
    // "rectVent.widthIn", "rectVent.count". A dimension converts from the copy typed into; a
    // count from the copy the units show.
    EditOutcome Edit(bool metric, std::string_view path, std::string_view text);

    // The design may have changed: the pages start afresh at the next edit.
    void Forget()
    {
        tube_ = calc::VentPageModel(calc::VentPageKind::Tubes);
        rect_ = calc::VentPageModel(calc::VentPageKind::Rectangular);
    }

private:
    calc::VentPageModel& Page(bool tubes) { return tubes ? tube_ : rect_; }
    EditOutcome WriteBack(const calc::VentPageModel& page);

    CSpkSysDoc& doc_;
    calc::VentPageModel tube_{calc::VentPageKind::Tubes};
    calc::VentPageModel rect_{calc::VentPageKind::Rectangular};
};

} // namespace cw::cli
