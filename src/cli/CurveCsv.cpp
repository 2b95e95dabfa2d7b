#include "cli/CurveCsv.h"

#include <charconv>

namespace cw::cli
{

namespace
{

void AppendNumber(std::string& out, double v)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (error == std::errc{})
        out.append(buffer, end);
}

} // namespace

std::string CurvesAsCsv(const CSpkSys& s)
{
    std::string out = "frequency_hz,spl_db,excursion_mm,phase_deg,delay_ms,impedance_ohm\n";
    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        CSpkSys::Curves(s, [&](const char*, const CurveArray& curve, const std::int32_t* flag) {
            if (flag != nullptr)
                out += ',';
            if (flag == nullptr || *flag == 1)
                AppendNumber(out, curve[i]);
        });
        out += '\n';
    }
    return out;
}

} // namespace cw::cli
