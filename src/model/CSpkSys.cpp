#include "model/CSpkSys.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace cw
{

int CurvePoints(double count)
{
    // Curve loops run i = 0, 1, ... while i < count.
    if (!(count > 0))
        return 0;
    return static_cast<int>(std::min<double>(std::ceil(count), kMaxPoints));
}

bool CSpkSys::hasAnyCurve() const
{
    return hasSpl == 1 || hasExcursion == 1 || hasPhase == 1 || hasDelay == 1 || hasImpedance == 1;
}

void CSpkSys::StoreFromWorkbench(const CSpkSys& workbench)
{
    CopySystem(workbench, true);
}

void CSpkSys::RecallIntoWorkbench(CSpkSys& workbench) const
{
    workbench.CopySystem(*this, false);
}

void CSpkSys::CopySystem(const CSpkSys& from, bool takeShown)
{
    if (&from == this)
        return;
    // Copy the whole record, then put back what the copy must not touch: the trailing text,
    // responseShown on recall, and every curve point beyond what the source holds (its first
    // pointCount points, of the curves whose flag is 1; frequencies always).
    std::string ownTrailer = std::move(trailerText);
    const std::int32_t ownShown = responseShown;
    auto ownCurves = std::make_unique<std::array<CurveArray, kCurveArrays>>();
    int k = 0;
    Curves(*this, [&](const char*, const CurveArray& curve, const std::int32_t*) {
        (*ownCurves)[k++] = curve;
    });

    *this = from;

    trailerText = std::move(ownTrailer);
    if (!takeShown)
        responseShown = ownShown;

    const int n = from.storedPoints();
    k = 0;
    Curves(*this, [&](const char*, CurveArray& curve, const std::int32_t* flag) {
        const CurveArray& old = (*ownCurves)[k++];
        const bool copied = flag == nullptr || *flag == 1;
        const auto keepFrom = old.begin() + (copied ? n : 0);
        std::copy(keepFrom, old.end(), curve.begin() + (keepFrom - old.begin()));
    });
}

} // namespace cw
