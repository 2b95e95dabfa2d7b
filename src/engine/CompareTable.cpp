#include "engine/CompareTable.h"

#include "model/BoxTable.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>

namespace cw::engine
{

namespace
{

bool IsBandpass(BoxType type)
{
    return type == BoxType::Bandpass4 || type == BoxType::Bandpass5 || type == BoxType::Bandpass6;
}

// The value at f of a curve on a logarithmic grid, straight between neighbouring points in log f;
// NaN outside the grid.
double Interpolate(const std::vector<double>& hz, const std::vector<double>& values, double f)
{
    for (std::size_t i = 1; i < hz.size(); ++i) {
        if (hz[i - 1] <= f && f <= hz[i]) {
            const double t = std::log(f / hz[i - 1]) / std::log(hz[i] / hz[i - 1]);
            return values[i - 1] + t * (values[i] - values[i - 1]);
        }
    }
    return NAN;
}

// The largest finite value of a curve's first n points and its frequency; NaN for none.
std::pair<double, double> Peak(const CSpkSys& s, const CurveArray& curve)
{
    double best = NAN, at = NAN;
    for (int i = 0; i < s.storedPoints(); ++i) {
        if (std::isfinite(curve[i]) && !(curve[i] <= best)) {
            best = curve[i];
            at = s.frequencies[i];
        }
    }
    return {best, at};
}

double PassbandLevel(const CSpkSys& s)
{
    return IsBandpass(s.boxType()) ? Peak(s, s.splCurve).first : 0.0;
}

bool HoldsDesign(const CSpkSys& s, int index)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    const BoxField* volume = box ? box->Find(BoxQuantity::Volume) : nullptr;
    return index == kWorkbench || s.hasAnyCurve() || (volume && volume->Value(s) > 0);
}

double Quantity(const CSpkSys& s, BoxQuantity quantity, bool metric)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    const BoxField* field = box ? box->Find(quantity) : nullptr;
    if (!field)
        return NAN;
    return metric ? field->Value(s) : field->EnglishValue(s);
}

void AddLimits(CompareRow& row, const CSpkSys& s, double ventVelocityLimit)
{
    const Limits limits = CalculateLimits(s, ventVelocityLimit);
    if (limits.frequencies.empty())
        return;
    for (std::size_t k = 0; k < kCompareMaxSplHz.size(); ++k) {
        const double f = kCompareMaxSplHz[k];
        row.maxSpl[k] = Interpolate(limits.frequencies, limits.maxSpl, f);
        if (!std::isfinite(row.maxSpl[k]))
            continue;
        // The limit of the grid point nearer in log f.
        const auto above =
            std::lower_bound(limits.frequencies.begin(), limits.frequencies.end(), f);
        std::size_t i = static_cast<std::size_t>(above - limits.frequencies.begin());
        if (i > 0 && (i == limits.frequencies.size() ||
                      f * f < limits.frequencies[i - 1] * limits.frequencies[i]))
            --i;
        row.maxSplLimit[k] = limits.binding[i];
    }
    for (double v : limits.ventVelocity) {
        if (std::isfinite(v) && !(v <= row.ventVelocity))
            row.ventVelocity = v;
    }
}

void AppendCsvText(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

double CornerFrequency(const CSpkSys& s, double drop)
{
    if (!s.hasSpl)
        return NAN;
    const double level = PassbandLevel(s) - drop;
    const int n = s.storedPoints();
    // Down from the top of the passband: the last point of a high-pass response, the maximum of
    // a bandpass one.
    int top = n - 1;
    if (IsBandpass(s.boxType())) {
        const double peakHz = Peak(s, s.splCurve).second;
        while (top > 0 && s.frequencies[top] != peakHz)
            --top;
    }
    if (top < 0 || !(s.splCurve[top] >= level))
        return NAN;
    for (int i = top - 1; i >= 0; --i) {
        const double v = s.splCurve[i];
        if (v >= level)
            continue;
        if (!std::isfinite(v))
            return NAN;
        // Crossing between points i and i + 1, straight in log f.
        const double above = s.splCurve[i + 1];
        const double t = (level - v) / (above - v);
        const double f0 = s.frequencies[i], f1 = s.frequencies[i + 1];
        return f0 * std::pow(f1 / f0, t);
    }
    return NAN;
}

std::vector<CompareRow> CompareSystems(const CSpkSysDoc& doc, bool metric, double ventVelocityLimit)
{
    std::vector<CompareRow> rows;
    for (int k = 0; k < kSystemCount; ++k) {
        const CSpkSys& s = doc.systems[k];
        if (!HoldsDesign(s, k))
            continue;
        CompareRow row;
        row.system = k;
        row.name = s.systemName;
        row.boxType = s.boxType();
        row.volume = Quantity(s, BoxQuantity::Volume, metric);
        row.frontVolume = Quantity(s, BoxQuantity::FrontVolume, metric);
        // F(B) of a vent, F(P) of passive radiators, else f(c) of a closed box.
        for (BoxQuantity tuning :
             {BoxQuantity::Tuning, BoxQuantity::RadiatorTuning, BoxQuantity::Fc}) {
            row.tuning = Quantity(s, tuning, metric);
            if (!std::isnan(row.tuning))
                break;
        }
        row.qtc = Quantity(s, BoxQuantity::Qtc, metric);
        if (s.hasSpl) {
            row.f3 = CornerFrequency(s, 3);
            row.f6 = CornerFrequency(s, 6);
            row.f10 = CornerFrequency(s, 10);
            const auto [peak, at] = Peak(s, s.splCurve);
            row.peakDb = peak - PassbandLevel(s);
            row.peakHz = at;
        }
        if (s.hasExcursion)
            std::tie(row.excursionMm, row.excursionHz) = Peak(s, s.excursionCurve);
        if (s.hasDelay)
            row.delayMs = Peak(s, s.delayCurve).first;
        AddLimits(row, s, ventVelocityLimit);
        rows.push_back(row);
    }
    return rows;
}

std::vector<CompareColumn> CompareColumns(bool metric)
{
    const std::string v = metric ? "_l" : "_cuft";
    const std::string vu = metric ? " (l)" : " (ft\u00B3)";
    std::vector<CompareColumn> columns = {{"system", "System", -1},
                                          {"name", "Name", -1},
                                          {"box_type", "Box Type", -1},
                                          {"f3_hz", "F3 (Hz)", 1},
                                          {"f6_hz", "F6 (Hz)", 1},
                                          {"f10_hz", "F10 (Hz)", 1},
                                          {"peak_db", "Peak (dB)", 2},
                                          {"peak_hz", "Peak at (Hz)", 1},
                                          {"excursion_mm", "Excursion (mm)", 2},
                                          {"excursion_hz", "Excursion at (Hz)", 1},
                                          {"group_delay_ms", "Group Delay (ms)", 2},
                                          {"vb" + v, "V(B)" + vu, metric ? 2 : 3},
                                          {"vb2" + v, "V(B2)" + vu, metric ? 2 : 3},
                                          {"tuning_hz", "Tuning (Hz)", 1},
                                          {"qtc", "Q(tc)", 3}};
    for (double f : kCompareMaxSplHz) {
        const std::string hz = std::to_string(static_cast<int>(f));
        columns.push_back({"max_spl_" + hz + "hz_db", "Max SPL " + hz + " Hz (dB)", 1});
        columns.push_back({"limit_" + hz + "hz", "Limit " + hz + " Hz", -1});
    }
    columns.push_back({"vent_velocity_ms", "Vent Velocity (m/s)", 1});
    return columns;
}

std::vector<CompareCell> CompareCells(const CompareRow& row)
{
    auto text = [](std::string t) { return CompareCell{std::move(t), NAN, true}; };
    auto number = [](double v) { return CompareCell{{}, v, false}; };
    std::vector<CompareCell> cells = {
        CompareCell{SystemLabel(row.system), static_cast<double>(row.system), false},
        text(row.name),
        text(std::string(BoxTypeName(row.boxType))),
        number(row.f3),
        number(row.f6),
        number(row.f10),
        number(row.peakDb),
        number(row.peakHz),
        number(row.excursionMm),
        number(row.excursionHz),
        number(row.delayMs),
        number(row.volume),
        number(row.frontVolume),
        number(row.tuning),
        number(row.qtc)};
    for (std::size_t k = 0; k < row.maxSpl.size(); ++k) {
        cells.push_back(number(row.maxSpl[k]));
        cells.push_back(text(LimitName(row.maxSplLimit[k])));
    }
    cells.push_back(number(row.ventVelocity));
    return cells;
}

std::string CompareText(const CompareCell& cell, const CompareColumn& column)
{
    if (cell.isText || !cell.text.empty())
        return cell.text;
    if (!std::isfinite(cell.number))
        return {};
    const std::string format = "%." + std::to_string(std::max(column.decimals, 0)) + "f";
    std::string text = FormatPrinted(format.c_str(), cell.number);
    // A small negative value rounds to zero: "0.00", not "-0.00".
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string CompareAsCsv(const std::vector<CompareRow>& rows, bool metric)
{
    std::string out;
    for (const CompareColumn& column : CompareColumns(metric))
        out += (out.empty() ? "" : ",") + column.key;
    out += '\n';
    for (const CompareRow& row : rows) {
        bool first = true;
        for (const CompareCell& cell : CompareCells(row)) {
            if (!first)
                out += ',';
            first = false;
            if (cell.isText) {
                AppendCsvText(out, cell.text);
            } else if (std::isfinite(cell.number)) {
                char buffer[32];
                const auto [end, error] =
                    std::to_chars(buffer, buffer + sizeof buffer, cell.number);
                if (error == std::errc{})
                    out.append(buffer, end);
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace cw::engine
