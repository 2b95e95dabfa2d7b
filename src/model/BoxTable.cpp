#include "model/BoxTable.h"

#include "model/CSpkSysDoc.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>

namespace cw
{

namespace
{

using Q = BoxQuantity;

// The type of the design block a member of the record names.
template <auto Block>
using BlockOf = std::remove_reference_t<decltype(std::declval<CSpkSys&>().*Block)>;

template <auto Block, auto Member> BoxField Single(BoxQuantity q)
{
    return {q, UnitKind::Plain, &At<Block, Member>, nullptr};
}

template <auto Block, auto Metric, auto English> BoxField Pair(BoxQuantity q, UnitKind kind)
{
    return {q, kind, &At<Block, Metric>, &At<Block, English>};
}

std::vector<BoxField> Joined(std::vector<BoxField> fields, const std::vector<BoxField>& more)
{
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

template <auto Block> std::vector<BoxField> ClosedFields()
{
    using B = BlockOf<Block>;
    return {Pair<Block, &B::vbLiters, &B::vbCuFt>(Q::Volume, UnitKind::Volume),
            Single<Block, &B::qtc>(Q::Qtc),
            Single<Block, &B::fc>(Q::Fc),
            Single<Block, &B::alpha>(Q::Alpha),
            Single<Block, &B::qb>(Q::Qb),
            Single<Block, &B::wb>(Q::Wb)};
}

// The vent of the vented box and of the bandpass boxes.
template <auto Block> std::vector<BoxField> VentFields()
{
    using B = BlockOf<Block>;
    return {Pair<Block, &B::svMinSqM, &B::svMinSqIn>(Q::MinVentArea, UnitKind::Area),
            Pair<Block, &B::svSqM, &B::svSqIn>(Q::VentArea, UnitKind::Area),
            Pair<Block, &B::lvM, &B::lvIn>(Q::VentLength, UnitKind::Length)};
}

template <auto Block> std::vector<BoxField> BandpassFields()
{
    using B = BlockOf<Block>;
    return Joined(Joined({Pair<Block, &B::vb1Liters, &B::vb1CuFt>(Q::Volume, UnitKind::Volume),
                          Pair<Block, &B::vb2Liters, &B::vb2CuFt>(Q::FrontVolume, UnitKind::Volume),
                          Single<Block, &B::fb2>(Q::Tuning)},
                         VentFields<Block>()),
                  {Single<Block, &B::qtc>(Q::Qtc), Single<Block, &B::alpha>(Q::Alpha)});
}

// What the status bar says when an edit's design steps give no usable result. A Q(tc) has its
// own message, which names the driver's Q(ts).
constexpr const char* kVolumeUnusable = "The box volume must be greater than 0; Q(tc) and the "
                                        "values that follow from it were kept.";
constexpr const char* kMinVentUnusable =
    "The minimum vent area could not be estimated; it was kept.";
constexpr const char* kVentLengthUnusable =
    "The vent length needs a box volume, a box frequency and a vent area large enough for a "
    "positive length; it was kept.";
constexpr const char* kVentAreaUnusable = "The vent area needs a box volume and a box frequency "
                                          "greater than 0 and a vent length of at least 0; it "
                                          "was kept.";

// Rows built from the fields of one block.
class Rows
{
public:
    explicit Rows(const std::vector<BoxField>& fields) : fields_(fields) {}

    Rows& Add(BoxQuantity q, const char* title, const char* symbol, const char* unit = "")
    {
        for (const BoxField& f : fields_) {
            if (f.quantity == q) {
                FieldRow row;
                row.title = title;
                row.symbol = symbol;
                row.unit = unit;
                row.unitKind = f.unitKind;
                row.metric = f.metric;
                row.english = f.english;
                rows_.push_back(std::move(row));
            }
        }
        return *this;
    }
    Rows& ReadOnly()
    {
        rows_.back().readOnly = true;
        return *this;
    }
    Rows& ShortInMetric()
    {
        rows_.back().shortInMetric = true;
        return *this;
    }
    Rows& StoredWhenShown()
    {
        rows_.back().storedWhenShown = true;
        return *this;
    }
    Rows& Runs(std::vector<DesignStep> steps, const char* unusable)
    {
        rows_.back().steps = std::move(steps);
        rows_.back().unusable = unusable;
        return *this;
    }
    // The vent length follows the chamber it tunes, so that the port shown always tunes the box.
    Rows& VentFollows()
    {
        rows_.back().follows = {&CSpkSysDoc::CalcVentLength};
        rows_.back().unfollowed = kVentLengthUnusable;
        return *this;
    }
    std::vector<FieldRow> Take() { return std::move(rows_); }

private:
    const std::vector<BoxField>& fields_;
    std::vector<FieldRow> rows_;
};

// The first four rows of both closed-box panels, and of their report rows.
void ClosedPanelRows(Rows& rows)
{
    rows.Add(Q::Volume, "Box Volume", "V(B) =")
        .Runs(VolumeSteps(true), kVolumeUnusable)
        .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
        .Runs(QtcSteps(true), "")
        .Add(Q::Fc, "Closed Box Resonance", "F(sc) =", "Hz")
        .ReadOnly()
        .Add(Q::Alpha, "Compliance Ratio", "Alpha =")
        .ReadOnly();
}
void ClosedReportRows(Rows& rows)
{
    rows.Add(Q::Volume, "Box Volume", "V(B) =")
        .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
        .Add(Q::Fc, "System Resonance", "F(sc) =", "Hz")
        .Add(Q::Alpha, "Compliance Ratio", "alpha =");
}

// The vent rows of the vented and bandpass panels: typing one designs the other.
void VentPanelRows(Rows& rows, const char* areaTitle, const char* lengthTitle)
{
    rows.Add(Q::VentArea, areaTitle, "S(v) =")
        .ShortInMetric()
        .Runs({&CSpkSysDoc::CalcVentLength}, kVentLengthUnusable)
        .Add(Q::VentLength, lengthTitle, "L(v) =")
        .ShortInMetric()
        .Runs({&CSpkSysDoc::CalcVentArea}, kVentAreaUnusable);
}

void BandpassPanelRows(Rows& rows, const char* ventTitle)
{
    rows.Add(Q::Volume, "Rear Box Volume", "V(B1) =")
        .Runs(VolumeSteps(false), kVolumeUnusable)
        .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
        .Runs(QtcSteps(false), "")
        .Add(Q::FrontVolume, "Front Box Volume", "V(B2) =")
        .VentFollows()
        .Add(Q::Tuning, "Front Box Resonance Freq.", "F(B2) =", "Hz")
        .VentFollows();
    VentPanelRows(rows, ventTitle ? ventTitle : "Vent Area", ventTitle ? ventTitle : "Vent Length");
}

// The first seven report rows of every bandpass box.
void BandpassReportRows(Rows& rows)
{
    rows.Add(Q::Volume, "Rear Box Volume", "V(B1) =")
        .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
        .Add(Q::FrontVolume, "Front Box Volume", "V(B2) =")
        .Add(Q::Tuning, "Box Frequency", "F(B2) =", "Hz")
        .Add(Q::MinVentArea, "Min Rec Vent Area", "S(vMin) =")
        .Add(Q::VentArea, "Vent Surface Area", "S(v) =")
        .Add(Q::VentLength, "Vent Length", "L(v) =");
}

// The system parameters of the editor's Details page, which every box type shows.
template <auto Member> double& System(CSpkSys& s)
{
    return s.*Member;
}
template <auto Member> std::int32_t& SystemInteger(CSpkSys& s)
{
    return s.*Member;
}

// A row of a system parameter: a real, or an integer where one is given.
FieldRow SystemRow(const char* title, const char* symbol, const char* unit, RealAccessor value,
                   IntegerAccessor integer = nullptr)
{
    FieldRow row;
    row.title = title;
    row.symbol = symbol;
    row.unit = unit;
    row.metric = value;
    row.integer = integer;
    return row;
}

// The Details page: the design values the program computes are read-only; the losses, the
// series components and the system parameters are typed. P(in), d and W(B) stand between the
// block's own rows and its series components, R(s), N and I come last.
std::vector<FieldRow> EditorRows(BoxType type, const std::vector<BoxField>& fields)
{
    Rows top(fields), components(fields);
    const bool closed = type == BoxType::Closed2 || type == BoxType::Closed3;
    const bool bandpass = std::any_of(fields.begin(), fields.end(), [](const BoxField& f) {
        return f.quantity == Q::FrontVolume;
    });
    if (bandpass) {
        top.Add(Q::Volume, "Rear Box Volume", "V(B1) =")
            .ReadOnly()
            .Add(Q::FrontVolume, "Front Box Volume", "V(B2) =")
            .ReadOnly()
            .Add(Q::Tuning, "Front Box Frequency", "F(B2) =", "Hz")
            .ReadOnly();
    } else {
        top.Add(Q::Volume, "Box Volume", "V(B) =").ReadOnly();
        if (!closed)
            top.Add(Q::Tuning, "Box Frequency", "F(B) =", "Hz").ReadOnly();
    }
    if (!closed) {
        top.Add(Q::MinVentArea, "Min. Rec. Vent Area", "S(vMin) =")
            .ReadOnly()
            .Add(Q::VentArea, "Vent Area", "S(v) =")
            .ReadOnly()
            .Add(Q::VentLength, "Vent Length", "L(v) =")
            .ReadOnly();
    }
    // The radiator's values are typed; closing the editor tunes the box anew.
    top.Add(Q::RadiatorTuning, "Box Frequency", "F(P) =", "Hz")
        .ReadOnly()
        .Add(Q::Notch, "Notch Frequency", "F(N) =", "Hz")
        .ReadOnly()
        .Add(Q::PrFs, "Radiator Resonance", "F(S) =", "Hz")
        .Add(Q::PrQms, "Radiator Mechanical Q", "Q(MS) =")
        .Add(Q::PrVas, "Radiator Compliance Vol.", "V(AS) =")
        .Add(Q::PrSd, "Radiator Area", "S(D) =")
        .Add(Q::PrXmax, "Radiator Excursion", "X(max) =")
        .Add(Q::PrCount, "No. of Radiators", "N(P) =")
        .Add(Q::PrAddedMass, "Added Mass", "M(add) =", "g")
        .Add(Q::PrMms, "Radiator Moving Mass", "M(MS) =", "g")
        .ReadOnly()
        .Add(Q::PrCms, "Radiator Compliance", "C(MS) =", "mm/N")
        .ReadOnly();
    top.Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
        .ReadOnly()
        .Add(Q::Alpha, "Compliance Ratio", "alpha =")
        .ReadOnly()
        .Add(Q::Qb, "Box Loss", "Q(B) =")
        .Add(Q::Qa2, "Absorption Loss", "Q(A2) =")
        .Add(Q::Ql2, "Leakage Loss", "Q(L2) =")
        .Add(Q::Qb2, "Enclosure Loss", "Q(B2) =");
    components.Add(Q::C1, "Series Capacitor", "C1 =", "microfarads")
        .Add(Q::L1, "Series Inductor", "L1 =", "millihenrys");

    std::vector<FieldRow> rows = top.Take();
    rows.push_back(
        SystemRow("System Input Power", "P(in) =", "Watts", &System<&CSpkSys::inputPower>));
    rows.push_back(SystemRow("SPL Distance", "d =", "m", &System<&CSpkSys::splDistanceM>));
    Rows width(fields);
    width.Add(Q::Wb, "Baffle Width", "W(B) =", "m");
    for (auto* more : {&width, &components}) {
        for (FieldRow& row : more->Take())
            rows.push_back(std::move(row));
    }
    rows.push_back(
        SystemRow("Series Resistance", "R(s) =", "Ohms", &System<&CSpkSys::seriesResistance>));
    rows.push_back(
        SystemRow("No. of Drivers", "N =", "", nullptr, &SystemInteger<&CSpkSys::driverCount>));
    rows.push_back(SystemRow("Isobaric Factor", "I =", "(1=normal ; 2=isobaric)", nullptr,
                             &SystemInteger<&CSpkSys::isobaricFactor>));
    return rows;
}

// A description whose rows the two functions add from its fields.
template <class PanelRows, class ReportRows>
BoxDescription Describe(BoxType type, const char* block, const char* variables, bool fullResponse,
                        std::vector<BoxField> fields, PanelRows panelRows, ReportRows reportRows)
{
    BoxDescription d{type, block, variables, fullResponse, std::move(fields), {}, {}, {}};
    Rows panel(d.fields), report(d.fields);
    panelRows(panel);
    reportRows(report);
    d.panelRows = panel.Take();
    d.reportRows = report.Take();
    d.editorRows = EditorRows(type, d.fields);
    return d;
}

BoxDescription Closed2()
{
    return Describe(BoxType::Closed2, "closed2", "V(B)", true, ClosedFields<&CSpkSys::closed2>(),
                    ClosedPanelRows, ClosedReportRows);
}

BoxDescription Closed3()
{
    constexpr auto block = &CSpkSys::closed3;
    return Describe(
        BoxType::Closed3, "closed3", "V(B), C1", false,
        Joined(ClosedFields<block>(), {Single<block, &ClosedBox3::c1>(Q::C1)}),
        [](Rows& panel) {
            ClosedPanelRows(panel);
            panel.Add(Q::C1, "Series Capacitor", "C1 =", "uF");
        },
        [](Rows& report) {
            ClosedReportRows(report);
            report.Add(Q::C1, "Series Capacitor", "C1 =", "\u00B5F");
        });
}

BoxDescription Vented4()
{
    constexpr auto block = &CSpkSys::vented4;
    using B = VentedBox4;
    return Describe(
        BoxType::Vented4, "vented4", "V(B), F(B)", true,
        Joined(Joined({Pair<block, &B::vbLiters, &B::vbCuFt>(Q::Volume, UnitKind::Volume),
                       Single<block, &B::fb>(Q::Tuning)},
                      VentFields<block>()),
               {Single<block, &B::qtc>(Q::Qtc), Single<block, &B::alpha>(Q::Alpha),
                Single<block, &B::qb>(Q::Qb), Single<block, &B::wb>(Q::Wb)}),
        [](Rows& panel) {
            panel.Add(Q::Volume, "Box Volume", "V(B) =")
                .Runs(VolumeSteps(false), kVolumeUnusable)
                .VentFollows()
                .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
                .Runs(QtcSteps(false), "")
                .VentFollows()
                .Add(Q::Tuning, "Box Frequency", "F(B) =", "Hz")
                .Runs({&CSpkSysDoc::EstimateDriverAndVent}, kMinVentUnusable)
                .VentFollows()
                .Add(Q::MinVentArea, "Min. Recommended Vent Area", "S(v)min =")
                .ReadOnly()
                .ShortInMetric()
                .StoredWhenShown();
            VentPanelRows(panel, "Vent Area", "Vent Length");
        },
        [](Rows& report) {
            report.Add(Q::Volume, "Box Volume", "V(B) =")
                .Add(Q::Qtc, "Closed Box Q", "Q(tc) =")
                .Add(Q::Tuning, "Box Frequency", "F(B) =", "Hz")
                .Add(Q::MinVentArea, "Min Rec Vent Area", "S(vMin) =")
                .Add(Q::VentArea, "Vent Surface Area", "S(v) =")
                .Add(Q::VentLength, "Vent Length", "L(v) =")
                .Add(Q::Alpha, "Compliance Ratio", "alpha =")
                .Add(Q::Qb, "Box Loss Q", "Q(B) =");
        });
}

BoxDescription Bandpass4()
{
    constexpr auto block = &CSpkSys::bandpass4;
    using B = BandpassBox4;
    return Describe(
        BoxType::Bandpass4, "bandpass4", "V(B1), V(B2), F(B2)", false,
        Joined(BandpassFields<block>(),
               {Single<block, &B::ql2>(Q::Ql2), Single<block, &B::qa2>(Q::Qa2),
                Single<block, &B::wb>(Q::Wb)}),
        [](Rows& panel) { BandpassPanelRows(panel, nullptr); },
        [](Rows& report) {
            BandpassReportRows(report);
            report.Add(Q::Alpha, "Compliance Ratio", "alpha =")
                .Add(Q::Ql2, "Leakage Loss Q", "Q(L2) =")
                .Add(Q::Qa2, "Absorption Loss Q", "Q(A2) =");
        });
}

BoxDescription Bandpass5()
{
    constexpr auto block = &CSpkSys::bandpass5;
    using B = BandpassBox5;
    return Describe(
        BoxType::Bandpass5, "bandpass5", "V(B1), V(B2), F(B2), L1", false,
        Joined(BandpassFields<block>(),
               {Single<block, &B::qb2>(Q::Qb2), Single<block, &B::wb>(Q::Wb),
                Single<block, &B::l1>(Q::L1)}),
        [](Rows& panel) {
            BandpassPanelRows(panel, "Vent");
            panel.Add(Q::L1, "", "L1 =", "mH").ShortInMetric();
        },
        [](Rows& report) {
            BandpassReportRows(report);
            report.Add(Q::L1, "Series Inductor", "L1 =", "mH")
                .Add(Q::Alpha, "Compliance Ratio", "alpha =")
                .Add(Q::Qb2, "Box Loss Q", "Q(B2) =");
        });
}

BoxDescription Bandpass6()
{
    constexpr auto block = &CSpkSys::bandpass6;
    using B = BandpassBox6;
    return Describe(
        BoxType::Bandpass6, "bandpass6", "V(B1), V(B2), F(B2), L1, C1", false,
        Joined(BandpassFields<block>(),
               {Single<block, &B::qb2>(Q::Qb2), Single<block, &B::wb>(Q::Wb),
                Single<block, &B::c1>(Q::C1), Single<block, &B::l1>(Q::L1)}),
        [](Rows& panel) {
            BandpassPanelRows(panel, "Vent");
            panel.Add(Q::C1, "", "C1 =", "uF").ShortInMetric();
            panel.Add(Q::L1, "", "L1 =", "mH").ShortInMetric();
        },
        [](Rows& report) {
            BandpassReportRows(report);
            report.Add(Q::C1, "Series Capacitor", "C1 =", "\u00B5F")
                .Add(Q::L1, "Series Inductor", "L1 =", "mH")
                .Add(Q::Alpha, "Compliance Ratio", "alpha =")
                .Add(Q::Qb2, "Box Loss Q", "Q(B2) =");
        });
}

// What the status bar says when the radiator cannot tune the box, or cannot be tuned as typed.
constexpr const char* kRadiatorUnusable =
    "The box tuning needs a box volume and a radiator with a resonance, V(as), S(D), count "
    "greater than 0 and an added mass of at least 0; the previous values were kept.";
constexpr const char* kAddedMassUnusable =
    "This F(P) would need a negative added mass: even the radiator without added mass tunes the "
    "box lower. Type a lower F(P), or use a smaller box or more radiators; the previous values "
    "were kept.";

BoxDescription Radiator()
{
    constexpr auto block = &CSpkSys::radiator;
    using B = RadiatorBox;
    const std::vector<DesignStep> tune = {&CSpkSysDoc::CalcRadiatorTuning};
    return Describe(
        BoxType::Radiator, "radiator", "V(B), F(P), radiator", true,
        {Pair<block, &B::vbLiters, &B::vbCuFt>(Q::Volume, UnitKind::Volume),
         Single<block, &B::fp>(Q::RadiatorTuning), Single<block, &B::prFs>(Q::PrFs),
         Single<block, &B::prQms>(Q::PrQms),
         Pair<block, &B::prVasLiters, &B::prVasCuFt>(Q::PrVas, UnitKind::Volume),
         Pair<block, &B::prSdSqM, &B::prSdSqIn>(Q::PrSd, UnitKind::Area),
         Pair<block, &B::prXmaxMm, &B::prXmaxIn>(Q::PrXmax, UnitKind::Excursion),
         Single<block, &B::prCount>(Q::PrCount), Single<block, &B::prAddedMassG>(Q::PrAddedMass),
         Single<block, &B::qb>(Q::Qb), Single<block, &B::prMmsG>(Q::PrMms),
         Single<block, &B::prCmsMmPerN>(Q::PrCms), Single<block, &B::fn>(Q::Notch),
         Single<block, &B::wb>(Q::Wb)},
        [&](Rows& panel) {
            panel.Add(Q::Volume, "Box Volume", "V(B) =")
                .Runs(tune, kRadiatorUnusable)
                .Add(Q::RadiatorTuning, "Box Frequency", "F(P) =", "Hz")
                .Runs({&CSpkSysDoc::CalcAddedMass}, kAddedMassUnusable)
                .Add(Q::Notch, "Notch Frequency", "F(N) =", "Hz")
                .ReadOnly()
                .Add(Q::PrCount, "No. of Radiators", "N(P) =")
                .Runs(tune, kRadiatorUnusable)
                .Add(Q::PrAddedMass, "Added Mass", "M(add) =", "g")
                .Runs(tune, kRadiatorUnusable)
                .Add(Q::PrMms, "Radiator Moving Mass", "M(MS) =", "g")
                .ReadOnly();
        },
        [](Rows& report) {
            report.Add(Q::Volume, "Box Volume", "V(B) =")
                .Add(Q::RadiatorTuning, "Box Frequency", "F(P) =", "Hz")
                .Add(Q::Notch, "Notch Frequency", "F(N) =", "Hz")
                .Add(Q::PrCount, "Passive Radiators", "N(P) =")
                .Add(Q::PrFs, "Radiator Resonance", "F(S) =", "Hz")
                .Add(Q::PrVas, "Radiator V(as)", "V(AS) =")
                .Add(Q::PrSd, "Radiator Area", "S(D) =")
                .Add(Q::PrAddedMass, "Added Mass", "M(add) =", "g")
                .Add(Q::Qb, "Box Loss Q", "Q(B) =");
        });
}

} // namespace

double BoxField::Value(const CSpkSys& s) const
{
    // The accessor needs a modifiable record to hand out a reference; nothing is written here.
    return metric(const_cast<CSpkSys&>(s));
}

double BoxField::EnglishValue(const CSpkSys& s) const
{
    return english != nullptr ? english(const_cast<CSpkSys&>(s)) : Value(s);
}

const BoxField* BoxDescription::Find(BoxQuantity quantity) const
{
    for (const BoxField& f : fields) {
        if (f.quantity == quantity)
            return &f;
    }
    return nullptr;
}

const BoxField* BoxDescription::VentedChamber() const
{
    if (Find(BoxQuantity::Tuning) == nullptr)
        return nullptr;
    const BoxField* front = Find(BoxQuantity::FrontVolume);
    return front ? front : Find(BoxQuantity::Volume);
}

const BoxDescription* DescribeBox(BoxType type)
{
    static const std::array<BoxDescription, kAllBoxTypes.size()> kTable = {
        Closed2(), Closed3(), Vented4(), Bandpass4(), Bandpass5(), Bandpass6(), Radiator()};
    if (type == BoxType::None)
        return nullptr;
    return &kTable[static_cast<std::size_t>(type)];
}

std::vector<BoxQuantity> DesignedQuantities(DesignStep step)
{
    static const std::array<std::pair<DesignStep, std::vector<BoxQuantity>>, 9> kDesigns = {{
        {&CSpkSysDoc::CalcQtc, {Q::Qtc}},
        {&CSpkSysDoc::CalcFc, {Q::Fc}},
        {&CSpkSysDoc::CalcAlpha, {Q::Alpha}},
        {&CSpkSysDoc::CalcBoxVolume, {Q::Volume}},
        {&CSpkSysDoc::EstimateDriverAndVent, {Q::MinVentArea}},
        {&CSpkSysDoc::CalcVentLength, {Q::VentLength}},
        {&CSpkSysDoc::CalcVentArea, {Q::VentArea}},
        {&CSpkSysDoc::CalcRadiatorTuning, {Q::RadiatorTuning, Q::Notch, Q::PrMms, Q::PrCms}},
        {&CSpkSysDoc::CalcAddedMass, {Q::PrAddedMass, Q::Notch, Q::PrMms, Q::PrCms}},
    }};
    for (const auto& [s, q] : kDesigns) {
        if (s == step)
            return q;
    }
    return {};
}

std::vector<DesignStep> VolumeSteps(bool closedBox)
{
    if (closedBox)
        return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
    return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcAlpha};
}

std::vector<DesignStep> QtcSteps(bool closedBox)
{
    if (closedBox)
        return {&CSpkSysDoc::CalcBoxVolume, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
    return {&CSpkSysDoc::CalcBoxVolume, &CSpkSysDoc::CalcAlpha};
}

} // namespace cw
