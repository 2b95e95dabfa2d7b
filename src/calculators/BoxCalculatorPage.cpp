#include "calculators/BoxCalculatorPage.h"

#include "calculators/BoxPageFields.h"
#include "calculators/BoxSolvers.h"
#include "calculators/TrapezoidSolver.h"
#include "model/BoxTable.h"
#include "model/Units.h"

#include <cmath>
#include <optional>

namespace cw::calc
{

const char* BoxPageName(BoxPageKind kind)
{
    switch (kind) {
    case BoxPageKind::Rectangular:
        return "Rectangular Box";
    case BoxPageKind::Trapezoidal:
        return "Trapezoidal Box";
    case BoxPageKind::Bandpass:
        return "Bandpass Box";
    }
    return "";
}

namespace
{

using Q = BoxQuantity;

constexpr const char* kVbLockedGross = "V(B) is locked; unlock it to change V(G).";
constexpr const char* kVbLockedFront =
    "V(B) is locked; unlock it to change the front chamber height.";
constexpr const char* kNetAboveZero = "The net volume V(B) must be above 0.";
constexpr const char* kTooSmallForOtherUnits =
    "This value is too small to be kept in the other units: it rounds to 0 there.";

bool IsDimension(Q q)
{
    return q == Q::Height || q == Q::FrontHeight || q == Q::Width || q == Q::Width1 ||
           q == Q::Width2 || q == Q::Depth || q == Q::Angle;
}

// The other unit's copy of a typed length (m, inches) or volume (liters, cubic feet).
double OtherCopy(Q q, bool fromMetric, double value)
{
    if (IsDimension(q))
        return fromMetric ? MmToInches(value * 1000) : Round5(InchesToMetres(value));
    return fromMetric ? LitersToCuFt(value) : CuFtToLiters(value);
}

// The lock of the dimension a quantity is, if it is one.
std::optional<BoxLock> DimensionLock(Q q)
{
    switch (q) {
    case Q::Height:
        return BoxLock::H;
    case Q::Width:
        return BoxLock::W;
    case Q::Width1:
        return BoxLock::W1;
    case Q::Width2:
        return BoxLock::W2;
    case Q::Depth:
        return BoxLock::D;
    case Q::Angle:
        return BoxLock::Angle;
    default:
        return std::nullopt;
    }
}

// The dimension a dimension edit keeps while the others are solved.
LockSet Forced(Q q)
{
    const std::optional<BoxLock> lock = DimensionLock(q);
    return lock ? Bit(*lock) : 0;
}

// The net volumes a page takes from the workbench design: the box volume of the closed and
// vented boxes, the rear (first) and front (second) chamber volumes of the bandpass boxes.
struct DesignVolumes {
    double firstLiters = 0, firstCuFt = 0;
    bool hasSecond = false;
    double secondLiters = 0, secondCuFt = 0;

    double First(bool metric) const { return metric ? firstLiters : firstCuFt; }
    double Second(bool metric) const { return metric ? secondLiters : secondCuFt; }
};

std::optional<DesignVolumes> DesignNetVolumes(const CSpkSys& s)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    if (box == nullptr)
        return std::nullopt;
    const cw::BoxField* first = box->Find(cw::BoxQuantity::Volume);
    DesignVolumes volumes{first->Value(s), first->EnglishValue(s)};
    if (const cw::BoxField* second = box->Find(cw::BoxQuantity::FrontVolume)) {
        volumes.hasSecond = true;
        volumes.secondLiters = second->Value(s);
        volumes.secondCuFt = second->EnglishValue(s);
    }
    return volumes;
}

enum class Change { Start, Dimension, Gross, Net };

// What a start or an edit sets off on each copy.
struct Chain {
    Change change;
    BoxField field; // the edited field
    LockSet locks;
    std::optional<DesignVolumes> design; // what a start takes
    SolveGuard& guard;

    bool NetLocked() const { return Has(locks, BoxLock::Vb); }
};

// One box of the rectangular or trapezoidal page, solve(forced) its SolveDimensions.
template <class Dims, class Solve>
void SolveBox(Dims& c, double filling, bool metric, const Chain& chain, Solve solve)
{
    if (chain.design)
        c.netVolume = chain.guard.Rounded(chain.design->First(metric));
    switch (chain.change) {
    case Change::Start:
    case Change::Net:
        GrossFromNet(c, filling, chain.guard);
        solve(0);
        break;
    case Change::Gross:
        NetFromGross(c, filling, chain.guard);
        solve(0);
        break;
    case Change::Dimension:
        if (chain.NetLocked()) {
            solve(Forced(chain.field.quantity));
        } else {
            GrossFromDimensions(c, metric, chain.guard);
            NetFromGross(c, filling, chain.guard);
        }
        break;
    }
}

// Each Solve works on both copies of a copy of the values and stores them when nothing was
// refused.
void Solve(RectBoxValues& stored, const Chain& chain)
{
    RectBoxValues work = stored;
    for (const bool metric : {true, false}) {
        RectBoxDims& c = metric ? work.metric : work.english;
        SolveBox(c, work.fillingPercent, metric, chain, [&](LockSet forced) {
            SolveRectDimensions(c.height, c.width, c.depth, c.grossVolume, metric,
                                chain.locks | forced, chain.guard);
        });
    }
    if (chain.guard.ok())
        stored = work;
}

void Solve(TrapBoxValues& stored, const Chain& chain)
{
    TrapBoxValues work = stored;
    for (const bool metric : {true, false}) {
        // Each copy starts from the same angle; the English copy's result is the one kept.
        double angle = stored.angle;
        TrapBoxDims& c = metric ? work.metric : work.english;
        if (chain.change == Change::Dimension && !chain.NetLocked()) {
            // The volume follows the dimensions; the angle, the widths and the depth must
            // still make a trapezoid first.
            TrapShape shape{c.height, c.width1, c.width2, c.depth, angle};
            if (const std::optional<BoxLock> typed = DimensionLock(chain.field.quantity))
                KeepTrapAngleRelation(shape, *typed, chain.locks, chain.guard);
            c.width1 = shape.width1;
            c.width2 = shape.width2;
            c.depth = shape.depth;
            angle = shape.angle;
        }
        SolveBox(c, work.fillingPercent, metric, chain, [&](LockSet forced) {
            SolveTrapDimensions(c, angle, metric, chain.locks, forced, chain.guard);
        });
        work.angle = angle;
    }
    if (chain.guard.ok())
        stored = work;
}

// The rear chamber is solved as the rectangular box; the front chamber's height follows from
// its volume over the shared width and depth, unless H is locked.
void Solve(BandpassBoxValues& stored, const Chain& chain)
{
    BandpassBoxValues work = stored;
    SolveGuard& guard = chain.guard;
    const Q q = chain.field.quantity;
    const bool rear = chain.field.chamber == Chamber::Rear;
    for (const bool metric : {true, false}) {
        BandpassBoxDims& b = metric ? work.metric : work.english;
        const auto filling = [&](bool rearChamber) {
            return rearChamber ? work.rearFillingPercent : work.frontFillingPercent;
        };
        const auto solveRear = [&](LockSet forced) {
            SolveRectDimensions(b.rearHeight, b.width, b.depth, b.rear.grossVolume, metric,
                                chain.locks | forced, guard);
        };
        // The H lock holds the rear chamber's height; the front chamber's follows its volume
        // over the shared width and depth, so that both chambers always add up.
        const auto front = [&] { SolveFrontHeight(b, metric, guard); };
        const auto fromDimensions = [&](bool rearChamber) {
            BandpassChamber& c = rearChamber ? b.rear : b.front;
            GrossFromDimensions(c, rearChamber ? b.rearHeight : b.frontHeight, b.width, b.depth,
                                metric, guard);
            NetFromGross(c, filling(rearChamber), guard);
        };
        BandpassChamber& edited = rear ? b.rear : b.front;
        switch (chain.change) {
        case Change::Start:
            if (chain.design) {
                b.rear.netVolume = guard.Rounded(chain.design->First(metric));
                if (chain.design->hasSecond)
                    b.front.netVolume = guard.Rounded(chain.design->Second(metric));
            }
            GrossFromNet(b.rear, filling(true), guard);
            GrossFromNet(b.front, filling(false), guard);
            solveRear(0);
            front();
            break;
        case Change::Net:
        case Change::Gross:
            if (chain.change == Change::Net)
                GrossFromNet(edited, filling(rear), guard);
            else
                NetFromGross(edited, filling(rear), guard);
            if (rear)
                solveRear(0);
            front();
            break;
        case Change::Dimension:
            if (q == Q::FrontHeight) {
                fromDimensions(false);
            } else if (chain.NetLocked()) {
                solveRear(Forced(q));
                front();
            } else {
                fromDimensions(true);
                if (q != Q::Height) // width and depth are shared
                    fromDimensions(false);
            }
            break;
        }
    }
    if (guard.ok())
        stored = work;
}

} // namespace

BoxCalculatorPage::BoxCalculatorPage(BoxPageKind kind, CSpkSys& record, BoxLocks& locks)
    : kind_(kind), record_(record), locks_(locks)
{
}

bool BoxCalculatorPage::Start()
{
    refusals_ = 0;
    message_.clear();
    return Run(std::nullopt);
}

bool BoxCalculatorPage::Edit(BoxField field, double value)
{
    double* typed = Value(field);
    if (typed == nullptr)
        return false;
    const Q q = field.quantity;
    double* twin = nullptr;
    double twinValue = 0;
    if (q != Q::Angle && q != Q::Filling) {
        twin = Value({q, !field.metric, field.chamber});
        twinValue = OtherCopy(q, field.metric, value);
    }
    if (!std::isfinite(value) || !std::isfinite(twinValue))
        return Finish(kTooLarge);
    if (q == Q::NetVolume && !(value > 0))
        return Finish(kNetAboveZero);
    if (twin != nullptr && value != 0 && twinValue == 0)
        return Finish(kTooSmallForOtherUnits);

    if (const char* why = WhyFixed(field))
        return Finish(why);

    // A refused edit leaves the page as it was before the keystroke, typed value included.
    const RectBoxValues rect = record_.rectBox;
    const TrapBoxValues trap = record_.trapBox;
    const BandpassBoxValues bandpass = record_.bandpassBox;
    *typed = value;
    if (twin != nullptr)
        *twin = twinValue;
    if (Run(field))
        return true;
    record_.rectBox = rect;
    record_.trapBox = trap;
    record_.bandpassBox = bandpass;
    return false;
}

const char* BoxCalculatorPage::WhyFixed(BoxField field) const
{
    if (!IsLocked(BoxLock::Vb))
        return nullptr;
    if (field.quantity == Q::GrossVolume)
        return kVbLockedGross;
    if (field.quantity == Q::FrontHeight)
        return kVbLockedFront;
    return nullptr;
}

bool BoxCalculatorPage::Run(std::optional<BoxField> edited)
{
    SolveGuard guard;
    Chain chain{Change::Start, edited.value_or(BoxField{}), LockState(), std::nullopt, guard};
    if (edited) {
        const Q q = edited->quantity;
        chain.change = IsDimension(q)        ? Change::Dimension
                       : q == Q::GrossVolume ? Change::Gross
                                             : Change::Net;
    } else {
        const double storedNet =
            kind_ == BoxPageKind::Rectangular   ? record_.rectBox.metric.netVolume
            : kind_ == BoxPageKind::Trapezoidal ? record_.trapBox.metric.netVolume
                                                : record_.bandpassBox.metric.rear.netVolume;
        // A page that has a box shows it as it was stored.
        if (storedNet != 0)
            return true;
        chain.design = DesignNetVolumes(record_);
    }
    switch (kind_) {
    case BoxPageKind::Rectangular:
        Solve(record_.rectBox, chain);
        break;
    case BoxPageKind::Trapezoidal:
        Solve(record_.trapBox, chain);
        break;
    case BoxPageKind::Bandpass:
        Solve(record_.bandpassBox, chain);
        break;
    }
    return Finish(guard.message());
}

bool BoxCalculatorPage::Finish(const std::string& message)
{
    message_ = message;
    return message_.empty();
}

LockClick BoxCalculatorPage::ClickLock(BoxLock lock)
{
    std::int32_t* flag = LockFlag(lock);
    if (flag == nullptr)
        return {};
    const LockSet others = LockState() & ~Bit(lock);
    if (kind_ == BoxPageKind::Trapezoidal)
        return ClickTrapLock(*flag, lock, others, refusals_);
    return ClickRectLock(*flag, others, refusals_);
}

bool BoxCalculatorPage::IsLocked(BoxLock lock) const
{
    const std::int32_t* flag = LockFlag(lock);
    return flag != nullptr && *flag != 0;
}

std::vector<BoxLock> BoxCalculatorPage::Locks() const
{
    using enum BoxLock;
    if (kind_ == BoxPageKind::Trapezoidal)
        return {H, W1, W2, D, Angle, Vb};
    return {H, W, D, Vb};
}

std::optional<BoxLock> BoxCalculatorPage::LockAt(const std::int32_t* flag) const
{
    for (BoxLock lock : Locks()) {
        if (LockFlag(lock) == flag)
            return lock;
    }
    return std::nullopt;
}

LockSet BoxCalculatorPage::LockState() const
{
    LockSet set = 0;
    for (BoxLock lock : Locks()) {
        if (IsLocked(lock))
            set |= Bit(lock);
    }
    return set;
}

std::int32_t* BoxCalculatorPage::LockFlag(BoxLock lock) const
{
    BoxLocks& l = locks_;
    switch (kind_) {
    case BoxPageKind::Rectangular:
        switch (lock) {
        case BoxLock::H:
            return &l.rectH;
        case BoxLock::W:
            return &l.rectW;
        case BoxLock::D:
            return &l.rectD;
        case BoxLock::Vb:
            return &l.rectVb;
        default:
            return nullptr;
        }
    case BoxPageKind::Trapezoidal:
        switch (lock) {
        case BoxLock::H:
            return &l.trapH;
        case BoxLock::W1:
            return &l.trapW1;
        case BoxLock::W2:
            return &l.trapW2;
        case BoxLock::D:
            return &l.trapD;
        case BoxLock::Angle:
            return &l.trapAngle;
        case BoxLock::Vb:
            return &l.trapVb;
        default:
            return nullptr;
        }
    case BoxPageKind::Bandpass:
        switch (lock) {
        case BoxLock::H:
            return &l.bandpassH;
        case BoxLock::W:
            return &l.bandpassW;
        case BoxLock::D:
            return &l.bandpassD;
        case BoxLock::Vb:
            return &l.bandpassVb;
        default:
            return nullptr;
        }
    }
    return nullptr;
}

std::string& BoxCalculatorPage::notes()
{
    switch (kind_) {
    case BoxPageKind::Trapezoidal:
        return record_.trapBox.notes;
    case BoxPageKind::Bandpass:
        return record_.bandpassBox.notes;
    default:
        return record_.rectBox.notes;
    }
}

double* BoxCalculatorPage::Value(BoxField field)
{
    const std::optional<BoxCellAt> at = FindBoxCell(kind_, field);
    return at ? &at->cell->Value(record_, field.metric) : nullptr;
}

std::optional<BoxField> BoxCalculatorPage::FieldAt(const double* value)
{
    for (const BoxRow& row : BoxPageRows(kind_)) {
        for (const BoxCell* cell : row.Cells()) {
            for (const bool metric : {true, false}) {
                if (&cell->Value(record_, metric) == value)
                    return cell->Field(metric);
            }
        }
    }
    return std::nullopt;
}

} // namespace cw::calc
