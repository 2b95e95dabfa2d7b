#include "editors/ui/DriverParametersPage.h"

#include "editors/DesignEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <iterator>

namespace cw::ui
{

namespace
{

// When a row's field is stored: in tab order, after every other field, or last.
enum class Store { InOrder, AfterTheCoil, Last };

struct Row {
    const char* title;  // nullptr: the row is the inch copy on the row before
    const char* symbol; // nullptr: a voice-coil text, labelled by its title alone
    const char* unit;
    double DriverParams::*number = nullptr; // neither pointer: V(as)
    std::string DriverParams::*text = nullptr;
    DriverPage::Scroll scroll = DriverPage::Scroll::No;
    Store store = Store::InOrder;
};

using S = DriverPage::Scroll;
using D = DriverParams;

// In tab order, left column then right column.
const Row kRows[] = {
    {"Resonance in Free Air", "f(s) =", "Hz", &D::fs},
    {"Resonance on Baffle", "f(sb) =", "Hz", &D::fsb, nullptr, S::Yes},
    {"Total Q", "Q(ts) =", "", &D::qts},
    {"Electrical Q", "Q(es) =", "", &D::qes},
    {"Mechanical Q", "Q(ms) =", "", &D::qms},
    {"Equivalent Volume", "V(as) =", "", nullptr, nullptr, S::No, Store::Last},
    {"Compliance", "C(ms) =", "mm/N", &D::cms},
    {"Mechanical Resistance", "R(ms) =", "kg/s", &D::rms},
    {"DC Resistance", "R(e) =", "Ohms", &D::re},
    {"Maximum Impedance", "Z(max) =", "Ohms", &D::zMax},
    {"Minimum Impedance", "Z(min) =", "Ohms", &D::zMin},
    {"Max Thermal Power", "P(t) =", " Watts", &D::pt},
    {"Thermal Resistance", "R(t) =", "deg C/W", &D::rt},
    {"Max Linear Excursion", "X(max) =", "mm, peak", &D::xMax},
    {"Max Excursion", "X(peak) =", "mm, peak", &D::xPeak},
    {"Piston Area", "S(D) =", "sq m", &D::sdSqM, nullptr, S::Yes},
    {"Peak Volume Displ", "V(D) =", "liters", &D::vd},
    {"Reference Efficiency", "n(0) =", "%", &D::eta0},
    {"Sensitivity (1W/1m)", "SPL =", "dB SPL", &D::spl},
    {"Voice Coil Inductance", "L(e) =", "mH", &D::le},
    {"Flux Density", "B =", "Tesla", &D::fluxDensity},
    {"Length of Wire in Gap", "L =", "meters", &D::wireLength},
    {"BL Product", "BL =", "N/Amp", &D::bl},
    {"Effective Mass", "M(ms) =", "grams", &D::mms},
    {"Voice Coil Diameter", "D(vc) =", "mm", &D::dvcMm},
    {nullptr, "(", "in)", &D::dvcIn},
    {"Voice Coil Depth", "D(cd) =", "mm", &D::dcd},
    {"Magnetic Gap Depth", "D(mg) =", "mm", &D::dmg, nullptr, S::No, Store::AfterTheCoil},
    {"Voice Coil Material:", nullptr, "", nullptr, &D::coilMaterial, S::Yes},
    {"Voice Coil Former:", nullptr, "", nullptr, &D::coilFormer, S::Yes},
    {"Voice Coil Layers:", nullptr, "", nullptr, &D::coilLayers, S::Yes},
    {"Voice Coil Wire Gauge:", nullptr, "", nullptr, &D::coilWireGauge, S::Yes},
    {"Voice Coil Vent:", nullptr, "", nullptr, &D::coilVent, S::Yes},
};

constexpr int kLeftRows = 16; // f(s) to S(D)
constexpr int kDigits = 10;

// The width of a number field: wider for the fields that scroll, narrower for the inch copy
// that shares its row.
int Digits(const Row& r)
{
    if (r.scroll == DriverPage::Scroll::Yes)
        return 14;
    return r.title ? kDigits : 7;
}

} // namespace

DriverParametersPage::DriverParametersPage(CSpkSysDoc& doc, const AppSettings& settings,
                                           QWidget* parent)
    : DriverPage("Driver:  Parameters", doc, settings, parent)
{
    constexpr int n = static_cast<int>(std::size(kRows));
    QWidget* fields[n] = {};
    // Fields are bound in the order they are stored.
    for (Store pass : {Store::InOrder, Store::AfterTheCoil, Store::Last}) {
        for (int i = 0; i < n; ++i) {
            const Row& r = kRows[i];
            if (r.store != pass)
                continue;
            if (r.text)
                fields[i] = TextField(r.text, 0, r.scroll);
            else if (r.number)
                fields[i] = NumberField(r.number, Digits(r), r.scroll);
            else
                fields[i] = vas_ = NumberField("vas", [this]() -> double& { return ShownVas(); },
                                               kDigits, r.scroll, {&D::vasLiters, &D::vasCuFt});
        }
    }
    ExcludeFromModifiedMark(vas_);
    connect(binder(), &FieldBinder::edited, this, [this](QWidget* field) {
        if (field == vas_)
            vasEdited_ = true;
    });

    // Each column: title, symbol, field, unit; a gap between the columns.
    QGridLayout* grid = body();
    int line = 0;
    for (int i = 0; i < n; ++i) {
        const Row& r = kRows[i];
        if (i == kLeftRows)
            line = 0;
        const int column = i < kLeftRows ? 0 : 5;
        if (!r.title) {
            // The inch copy stands behind the mm unit on the row before.
            auto* twin = new QHBoxLayout;
            twin->setSpacing(4);
            twin->addWidget(Label(kRows[i - 1].unit));
            twin->addWidget(Label(r.symbol));
            twin->addWidget(fields[i]);
            twin->addWidget(Label(r.unit));
            twin->addStretch();
            grid->addLayout(twin, line - 1, column + 3);
            continue;
        }
        grid->addWidget(Label(r.title), line, column);
        if (!r.symbol) {
            grid->addWidget(fields[i], line, column + 1, 1, 3);
        } else {
            auto* symbol = Label(r.symbol);
            symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(symbol, line, column + 1);
            grid->addWidget(fields[i], line, column + 2);
            // The D(vc) row's unit comes with its inch copy.
            if (i + 1 < n && !kRows[i + 1].title) {
                ++line;
                continue;
            }
            QLabel* unit = Label(r.unit);
            if (fields[i] == vas_)
                vasUnit_ = unit;
            grid->addWidget(unit, line, column + 3);
        }
        ++line;
    }
    grid->setColumnMinimumWidth(4, 16);
    SetTabOrder(std::vector<QWidget*>(fields, fields + n));
}

double& DriverParametersPage::ShownVas()
{
    return settings_.metric() ? driver().vasLiters : driver().vasCuFt;
}

void DriverParametersPage::ShowVasUnit()
{
    vasUnit_->setText(settings_.metric() ? "liters" : "cu ft");
}

void DriverParametersPage::OnActivate(bool first)
{
    ShowVasUnit();
    DriverPage::OnActivate(first);
    vasEdited_ = false;
}

bool DriverParametersPage::StoreFields()
{
    ShowVasUnit();
    const double before = ShownVas();
    if (!DriverPage::StoreFields())
        return false;
    if (!vasEdited_)
        return true;
    // The copy in the other unit follows the edited one, so that the two never disagree.
    const bool metric = settings_.metric();
    DriverParams& d = driver();
    const double other = edit::TwinValue(edit::Twin::Volume, metric, ShownVas());
    if (!std::isfinite(other)) {
        ShownVas() = before;
        binder()->Refuse(vas_, edit::kEnterNumber);
        return false;
    }
    (metric ? d.vasCuFt : d.vasLiters) = other;
    vasEdited_ = false;
    return true;
}

} // namespace cw::ui
