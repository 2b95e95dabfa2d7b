#include "measure/MeasuredCurves.h"

#include "measure/CurveFile.h"

#include <algorithm>
#include <cmath>

namespace cw::measure
{

namespace
{

bool NameTaken(const CSpkSysDoc& doc, const std::string& name)
{
    return std::any_of(doc.measuredCurves.begin(), doc.measuredCurves.end(),
                       [&](const MeasuredCurve& c) { return c.name == name; });
}

// A change the Edit menu names as its undo step; mergeKey as for CSpkSysDoc::Changed.
void Changed(CSpkSysDoc& doc, const std::string& step, const std::string& mergeKey = {})
{
    doc.Changed(step, mergeKey);
    doc.windows().InvalidatePlot();
}

// The curve at index, or null with nothing changed.
MeasuredCurve* At(CSpkSysDoc& doc, std::size_t index)
{
    return index < doc.measuredCurves.size() ? &doc.measuredCurves[index] : nullptr;
}

} // namespace

bool ImportMeasuredCurve(CSpkSysDoc& doc, const std::string& path, MeasuredKind kind)
{
    if (doc.measuredCurves.size() >= kMaxMeasuredCurves) {
        doc.windows().ShowMessage("A project holds at most " + std::to_string(kMaxMeasuredCurves) +
                                  " measured curves; remove one first.");
        return false;
    }
    MeasuredCurve curve;
    if (const FileResult read = ReadCurveFile(path, kind, curve); !read.ok()) {
        doc.windows().ShowMessage(read.message);
        return false;
    }
    const std::string base = curve.name.empty() ? "Measured" : curve.name;
    curve.name = base;
    for (int n = 2; NameTaken(doc, curve.name); ++n)
        curve.name = base + " (" + std::to_string(n) + ")";
    doc.measuredCurves.push_back(std::move(curve));
    Changed(doc, "Import Measured Curve");
    return true;
}

bool RenameMeasuredCurve(CSpkSysDoc& doc, std::size_t index, const std::string& name)
{
    MeasuredCurve* c = At(doc, index);
    if (!c || name.empty())
        return false;
    if (c->name != name) {
        c->name = name;
        Changed(doc, "Rename Measured Curve");
    }
    return true;
}

bool RemoveMeasuredCurve(CSpkSysDoc& doc, std::size_t index)
{
    if (!At(doc, index))
        return false;
    doc.measuredCurves.erase(doc.measuredCurves.begin() + static_cast<std::ptrdiff_t>(index));
    Changed(doc, "Remove Measured Curve");
    return true;
}

bool ShowMeasuredCurve(CSpkSysDoc& doc, std::size_t index, bool shown)
{
    MeasuredCurve* c = At(doc, index);
    if (!c)
        return false;
    if ((c->shown != 0) != shown) {
        c->shown = shown ? 1 : 0;
        Changed(doc, shown ? "Show Measured Curve" : "Hide Measured Curve");
    }
    return true;
}

bool SetMeasuredOffset(CSpkSysDoc& doc, std::size_t index, double offsetDb)
{
    MeasuredCurve* c = At(doc, index);
    if (!c || !std::isfinite(offsetDb))
        return false;
    if (c->offsetDb != offsetDb) {
        c->offsetDb = offsetDb;
        Changed(doc, "Measured Curve Offset", "measured-offset-" + std::to_string(index));
    }
    return true;
}

} // namespace cw::measure
