// libFuzzer target: any bytes to the FRD/ZMA reader as either kind. Reading never crashes, and a
// curve it accepts is one a project can hold.
#include "measure/CurveFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto kind : {cw::MeasuredKind::Response, cw::MeasuredKind::Impedance}) {
        cw::MeasuredCurve curve;
        if (!cw::measure::ParseCurve(bytes, kind, curve) && cw::CheckMeasuredCurve(curve))
            std::abort();
    }
    return 0;
}
