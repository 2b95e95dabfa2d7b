#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cw
{

// What a measured curve holds: a frequency response's magnitude (dB SPL) or an impedance (Ohms).
enum class MeasuredKind : std::int32_t { Response = 0, Impedance = 1 };

// A measured curve of a project, drawn over the calculated ones. Frequencies rise strictly;
// phase is empty when the file had none.
struct MeasuredCurve {
    std::string name;
    std::int32_t kind = 0;  // a MeasuredKind
    std::int32_t shown = 1; // 1 drawn on the plot and printed on the report, 0 hidden
    double offsetDb = 0;    // dB added to a response's level
    std::vector<double> hz;
    std::vector<double> value; // dB SPL or Ohms
    std::vector<double> phase; // degrees

    MeasuredKind Kind() const { return static_cast<MeasuredKind>(kind); }
    std::size_t size() const { return hz.size(); }

    template <class Self, class Visit> static void Fields(Self& c, Visit&& visit)
    {
        visit("name", c.name);
        visit("kind", c.kind);
        visit("shown", c.shown);
        visit("offsetDb", c.offsetDb);
        visit("hz", c.hz);
        visit("value", c.value);
        visit("phase", c.phase);
    }

    bool operator==(const MeasuredCurve&) const = default;
};

// Fewer rows than this make no curve.
inline constexpr std::size_t kMinMeasuredRows = 3;
// More rows than any measurement program writes; keeps a project with its curves well inside the
// size a project file may have.
inline constexpr std::size_t kMaxMeasuredRows = 65536;
// Measured curves one project holds at most.
inline constexpr std::size_t kMaxMeasuredCurves = 16;

// Why a curve is not one a project can hold (as a reader or a damaged project file would bring
// it), or nothing when it is sound: a known kind, matching lengths, between kMinMeasuredRows and
// kMaxMeasuredRows rows, finite values, frequencies above 0 that rise strictly, no negative
// impedance.
std::optional<std::string> CheckMeasuredCurve(const MeasuredCurve& c);

// The level (dB) a response curve is drawn at 0 dB when the plot is not in SPL mode: the median
// of its levels, so that a measurement sits on the calculated passband.
double RelativeLevel(const MeasuredCurve& c);

} // namespace cw
