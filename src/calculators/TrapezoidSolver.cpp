#include "calculators/TrapezoidSolver.h"

#include "calculators/BoxSolvers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace cw::calc
{

namespace
{

using enum BoxLock;
using enum TrapRoutine;
using Cell = std::optional<TrapRoutine>;
constexpr Cell kNo = std::nullopt;

constexpr LockSet kDimensions = Bit(H) | Bit(W1) | Bit(W2) | Bit(D);
// The forced dimensions in the order their routines run.
constexpr std::array<BoxLock, 5> kForcedOrder = {H, W1, W2, D, Angle};

// One row of the routine table: the locked dimensions among H, W1, W2 and D, whether the row
// holds with the angle locked too, and the routine with nothing forced, then with H, W1, W2, D
// or the angle forced.
struct Row {
    LockSet locked;
    bool angleEitherWay;
    std::array<Cell, 6> routines;
};

constexpr std::array<Row, 12> kTable = {{
    {0, true, {S0, S2, S3, S4, S5, S5}},
    {Bit(H), true, {S2, kNo, S3, S4, S5, S5}},
    {Bit(W1), false, {S1, S3, kNo, S6, S7, S3}},
    {Bit(W2), false, {S1, S4, S6, kNo, S8, S4}},
    {Bit(D), true, {S11, S5, S7, S8, kNo, S5}},
    {Bit(H) | Bit(W1), false, {S3, kNo, kNo, kNo, kNo, kNo}},
    {Bit(H) | Bit(W2), false, {S4, kNo, kNo, kNo, kNo, kNo}},
    {Bit(H) | Bit(D), true, {S5, kNo, kNo, kNo, kNo, kNo}},
    {Bit(W1) | Bit(W2), false, {S1, S6, kNo, kNo, S9, S10}},
    {Bit(W1) | Bit(D), false, {S1, S6, kNo, kNo, S9, S10}},
    {Bit(W2) | Bit(D), false, {S1, S6, kNo, kNo, S9, S10}},
    {Bit(H) | Bit(W1) | Bit(W2), false, {S6, kNo, kNo, kNo, kNo, kNo}},
}};

// tan(angle), the degrees converted as the pages do; the side walls must lean outwards from W1
// to W2 by less than a right angle.
double Tangent(double angle, SolveGuard& guard)
{
    guard.Require(angle >= 0 && angle < 90, kAngleRange);
    return std::tan(angle * 6.2831853 / 360);
}

// The angle of the side walls, from the widths and the depth.
double AngleOf(const TrapShape& s, SolveGuard& guard)
{
    const double angle =
        guard.Rounded(std::atan((s.width2 - s.width1) / (2 * s.depth)) * 360 / 6.2831853);
    guard.Require(angle >= 0, kWidth1Wider);
    return angle;
}

// W1 and W2 either side of the mean width wm, from the angle's tangent t and the stored depth.
void SpreadWidths(TrapShape& s, double wm, double t, SolveGuard& guard)
{
    s.width1 = guard.Length(wm - t * s.depth, "width 1");
    s.width2 = guard.Length(wm + t * s.depth, "width 2");
}

double MeanWidth(const TrapShape& s)
{
    return (s.width1 + s.width2) / 2;
}

// The given dimensions a routine divides by or subtracts from must be above 0.
void RequireGiven(const TrapShape& s, LockSet given, SolveGuard& guard)
{
    guard.Require(!Has(given, H) || s.height > 0, kHeightAboveZero);
    guard.Require(!Has(given, W1) || s.width1 > 0, kWidth1AboveZero);
    guard.Require(!Has(given, W2) || s.width2 > 0, kWidth2AboveZero);
    guard.Require(!Has(given, D) || s.depth > 0, kDepthAboveZero);
}

// S4's depth, also used by S10: W1 comes out as √(W2² − 4 t Vc / H), so a volume too large for
// W2 at this angle has no box.
double DepthFromWideWall(const TrapShape& s, double t, double vc, SolveGuard& guard)
{
    if (t == 0)
        return guard.Length(vc / (s.width2 * s.height), "the depth");
    const double root =
        guard.SquareRoot(s.width2 * s.width2 - 4 * t * vc / s.height, kWidth2TooNarrow);
    return guard.Length((s.width2 - root) / (2 * t), "the depth");
}

} // namespace

std::vector<TrapRoutine> SelectTrapRoutines(LockSet locks, LockSet forced)
{
    const auto rowOf = [](LockSet set) -> const Row* {
        const Row* row = nullptr;
        for (const Row& r : kTable) {
            if (r.locked == (set & kDimensions) && (r.angleEitherWay || !Has(set, Angle)))
                row = &r;
        }
        return row;
    };
    const Row* row = rowOf(locks);
    std::vector<TrapRoutine> routines;
    bool anyForced = false;
    for (std::size_t i = 0; i < kForcedOrder.size(); ++i) {
        const BoxLock dimension = kForcedOrder[i];
        if (!Has(forced, dimension))
            continue;
        anyForced = true;
        // A locked dimension typed anew is known as a forced one is; the other locks decide.
        const Row* forcedRow = Has(locks, dimension) ? rowOf(locks & ~Bit(dimension)) : row;
        if (forcedRow != nullptr && forcedRow->routines[i + 1])
            routines.push_back(*forcedRow->routines[i + 1]);
    }
    if (!anyForced && row != nullptr && row->routines[0])
        routines.push_back(*row->routines[0]);
    return routines;
}

bool IsTrapPrism(const TrapShape& s, double vc)
{
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!(finite(s.height) && finite(s.width1) && finite(s.width2) && finite(s.depth) &&
          finite(vc)))
        return false;
    if (!(s.height > 0 && s.depth > 0 && s.width1 > 0 && s.width1 <= s.width2 && s.angle >= 0 &&
          s.angle < 90 && vc > 0))
        return false;
    // Each value is rounded to five significant digits, so each relation holds to a few parts in
    // ten thousand of its largest term.
    constexpr double kPrecision = 3e-4;
    const double spread = 2 * s.depth * std::tan(s.angle * 6.2831853 / 360);
    const double volume = s.height * s.depth * (s.width1 + s.width2) / 2;
    return std::abs(s.width2 - s.width1 - spread) <=
               kPrecision * std::max({s.width2, spread, s.depth}) &&
           std::abs(volume - vc) <= kPrecision * vc;
}

void KeepTrapAngleRelation(TrapShape& s, BoxLock typed, LockSet locks, SolveGuard& guard)
{
    // The ways to restore the relation, each changing the quantities it names.
    enum class Way { MoveW1, MoveW2, TurnAngle, MoveDepth, SpreadWidths };
    std::vector<Way> ways;
    switch (typed) {
    case W1:
        ways = {Way::MoveW2, Way::TurnAngle, Way::MoveDepth};
        break;
    case W2:
        ways = {Way::MoveW1, Way::TurnAngle, Way::MoveDepth};
        break;
    case D:
        ways = {Way::TurnAngle, Way::MoveW2, Way::MoveW1};
        break;
    case Angle:
        ways = {Way::SpreadWidths, Way::MoveW2, Way::MoveW1, Way::MoveDepth};
        break;
    default:
        return; // the height is no part of the relation
    }
    const LockSet fixed = locks | Bit(typed);
    std::string firstReason;
    for (const Way way : ways) {
        const bool free = way == Way::MoveW1      ? !Has(fixed, W1)
                          : way == Way::MoveW2    ? !Has(fixed, W2)
                          : way == Way::TurnAngle ? !Has(fixed, Angle)
                          : way == Way::MoveDepth ? !Has(fixed, D)
                                                  : !Has(fixed, W1) && !Has(fixed, W2);
        if (!free)
            continue;
        SolveGuard trial;
        TrapShape t = s;
        const double tangent = Tangent(t.angle, trial);
        switch (way) {
        case Way::MoveW1:
            t.width1 = trial.Length(t.width2 - 2 * tangent * t.depth, "width 1");
            break;
        case Way::MoveW2:
            t.width2 = trial.Length(t.width1 + 2 * tangent * t.depth, "width 2");
            break;
        case Way::TurnAngle:
            trial.Require(t.depth > 0, kDepthAboveZero);
            t.angle = AngleOf(t, trial);
            break;
        case Way::MoveDepth:
            if (tangent == 0)
                trial.Require(t.width1 == t.width2, kWidthsAtZeroAngle);
            else
                t.depth = trial.Length((t.width2 - t.width1) / (2 * tangent), "the depth");
            break;
        case Way::SpreadWidths:
            SpreadWidths(t, MeanWidth(t), tangent, trial);
            break;
        }
        trial.Require(t.width1 <= t.width2, kWidth1Wider);
        if (trial.ok()) {
            s = t;
            return;
        }
        if (firstReason.empty())
            firstReason = trial.message();
    }
    guard.Require(false, firstReason.empty() ? kLocksLeaveNoBox : firstReason.c_str());
}

void RunTrapRoutine(TrapRoutine routine, TrapShape& shape, double vc, SolveGuard& guard)
{
    guard.Require(vc > 0, kVolumeAboveZero);
    guard.Require(std::isfinite(vc), kTooLarge);
    TrapShape s = shape;
    switch (routine) {
    case S0: {
        const double t = Tangent(s.angle, guard);
        const double e = guard.CubeRoot(vc);
        s.height = guard.Length(kPhi * e, "the height");
        s.depth = guard.Length(e / kPhi, "the depth");
        SpreadWidths(s, e, t, guard);
        break;
    }
    case S1:
        RequireGiven(s, Bit(W1) | Bit(W2) | Bit(D), guard);
        s.height = guard.Length(vc / (MeanWidth(s) * s.depth), "the height");
        break;
    case S2: {
        RequireGiven(s, Bit(H), guard);
        const double t = Tangent(s.angle, guard);
        s.depth = guard.Length(std::sqrt(vc / (s.height * kPhi)), "the depth");
        const double wm = kPhi * s.depth;
        SpreadWidths(s, wm, t, guard);
        break;
    }
    case S3: {
        RequireGiven(s, Bit(H) | Bit(W1), guard);
        const double t = Tangent(s.angle, guard);
        if (t == 0) {
            s.depth = guard.Length(vc / (s.width1 * s.height), "the depth");
            s.width2 = guard.Length(s.width1, "width 2");
        } else {
            const double root = std::sqrt(s.width1 * s.width1 + 4 * t * vc / s.height);
            s.depth = guard.Length((root - s.width1) / (2 * t), "the depth");
            s.width2 = guard.Length(s.width1 + 2 * t * s.depth, "width 2");
        }
        break;
    }
    case S4: {
        RequireGiven(s, Bit(H) | Bit(W2), guard);
        const double t = Tangent(s.angle, guard);
        s.depth = DepthFromWideWall(s, t, vc, guard);
        s.width1 = guard.Length(t == 0 ? s.width2 : s.width2 - 2 * t * s.depth, "width 1");
        break;
    }
    case S5: {
        RequireGiven(s, Bit(H) | Bit(D), guard);
        const double t = Tangent(s.angle, guard);
        const double wm = vc / (s.height * s.depth);
        SpreadWidths(s, wm, t, guard);
        break;
    }
    case S6:
        RequireGiven(s, Bit(H) | Bit(W1) | Bit(W2), guard);
        s.depth = guard.Length(vc / (MeanWidth(s) * s.height), "the depth");
        s.angle = AngleOf(s, guard);
        break;
    case S7: {
        RequireGiven(s, Bit(W1) | Bit(D), guard);
        const double t = Tangent(s.angle, guard);
        s.width2 = guard.Length(s.width1 + 2 * t * s.depth, "width 2");
        s.height = guard.Length(vc / (MeanWidth(s) * s.depth), "the height");
        break;
    }
    case S8: {
        RequireGiven(s, Bit(W2) | Bit(D), guard);
        const double t = Tangent(s.angle, guard);
        s.width1 = guard.Length(s.width2 - 2 * t * s.depth, "width 1");
        s.height = guard.Length(vc / (MeanWidth(s) * s.depth), "the height");
        break;
    }
    case S9:
        RequireGiven(s, Bit(W1) | Bit(W2) | Bit(D), guard);
        s.angle = AngleOf(s, guard);
        s.height = guard.Length(vc / (MeanWidth(s) * s.depth), "the height");
        break;
    case S10: {
        // The widths and the angle fix the depth; the volume then gives the height. At 0 degrees
        // the depth is free, and the height kept gives it as S4 does.
        RequireGiven(s, Bit(H) | Bit(W1) | Bit(W2), guard);
        const double t = Tangent(s.angle, guard);
        if (t == 0) {
            guard.Require(s.width1 == s.width2, kWidthsAtZeroAngle);
            s.depth = DepthFromWideWall(s, t, vc, guard);
        } else {
            s.depth = guard.Length((s.width2 - s.width1) / (2 * t), "the depth");
        }
        s.height = guard.Length(vc / (MeanWidth(s) * s.depth), "the height");
        break;
    }
    case S11: {
        RequireGiven(s, Bit(D), guard);
        const double t = Tangent(s.angle, guard);
        const double wm = std::sqrt(vc / (kPhi * s.depth));
        s.height = guard.Length(kPhi * wm, "the height");
        SpreadWidths(s, wm, t, guard);
        break;
    }
    }
    if (guard.ok())
        shape = s;
}

void SolveTrapDimensions(TrapBoxDims& d, double& angle, bool metric, LockSet locks, LockSet forced,
                         SolveGuard& guard)
{
    const std::vector<TrapRoutine> routines = SelectTrapRoutines(locks, forced);
    if (routines.empty()) {
        guard.Require(TrapLocksAllowed(locks), kLocksNotAllowed);
        return;
    }
    TrapShape s{d.height, d.width1, d.width2, d.depth, angle};
    const double vc = CubeOfGross(d.grossVolume, metric);
    for (TrapRoutine routine : routines)
        RunTrapRoutine(routine, s, vc, guard);
    if (!guard.ok())
        return;
    const LockSet kept = locks | forced;
    TrapShape result{d.height, d.width1, d.width2, d.depth, angle};
    if (!Has(kept, H))
        result.height = s.height;
    if (!Has(kept, W1))
        result.width1 = s.width1;
    if (!Has(kept, W2))
        result.width2 = s.width2;
    if (!Has(kept, D))
        result.depth = s.depth;
    if (!Has(kept, Angle))
        result.angle = s.angle;
    guard.Require(IsTrapPrism(result, vc), kLocksLeaveNoBox);
    if (!guard.ok())
        return;
    d.height = result.height;
    d.width1 = result.width1;
    d.width2 = result.width2;
    d.depth = result.depth;
    angle = result.angle;
}

} // namespace cw::calc
