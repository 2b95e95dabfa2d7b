#include "cli/CurveCsv.h"

#include <cctype>
#include <charconv>
#include <cmath>

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

// "Input impedance" as a column name: "input_impedance".
std::string ColumnName(const std::string& name)
{
    std::string out;
    for (char c : name)
        out += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string LimitsAsCsv(const engine::Limits& l)
{
    std::string out = "frequency_hz,max_spl_db,max_power_w,excursion_mm,vent_velocity_ms,limit\n";
    for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
        AppendNumber(out, l.frequencies[i]);
        for (const std::vector<double>* column :
             {&l.maxSpl, &l.maxPower, &l.excursion, &l.ventVelocity}) {
            out += ',';
            if (std::isfinite((*column)[i]))
                AppendNumber(out, (*column)[i]);
        }
        out += ',' + std::string(engine::LimitName(l.binding[i])) + '\n';
    }
    return out;
}

std::string NetworkResponseAsCsv(const calc::NetworkResponse& r)
{
    std::string out = "frequency_hz";
    for (const calc::NetworkCurve& c : r.curves) {
        const std::string name = ColumnName(c.name);
        out += ',' + name + (c.kind == calc::CurveKind::Transfer ? "_db" : "_ohm");
        out += ',' + name + "_phase_deg";
    }
    out += '\n';
    for (std::size_t i = 0; i < r.frequencies.size(); ++i) {
        AppendNumber(out, r.frequencies[i]);
        for (const calc::NetworkCurve& c : r.curves) {
            out += ',';
            AppendNumber(out, c.magnitude[i]);
            out += ',';
            AppendNumber(out, c.phase[i]);
        }
        out += '\n';
    }
    return out;
}

std::string CurvesAsCsv(const CSpkSys& s)
{
    std::string out =
        "frequency_hz,spl_db,excursion_mm,phase_deg,delay_ms,impedance_ohm,radiator_mm\n";
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
