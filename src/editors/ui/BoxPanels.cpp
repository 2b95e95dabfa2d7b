#include "editors/ui/BoxPanels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace cw::ui
{

namespace
{

// Accessor of one real of a design block of the record.
template <class Block, class Owner>
BoxPanelView::Accessor At(Block CSpkSys::*block, double Owner::*field)
{
    return [block, field](CSpkSys& s) -> double& { return (s.*block).*field; };
}

} // namespace

template <class Block> void BoxPanelView::AddClosedBox(Block CSpkSys::*block)
{
    volume_ = &AddField("Box Volume", "V(B) =", Quantity::Volume, At(block, &Block::vbLiters),
                        At(block, &Block::vbCuFt));
    qtc_ = &AddField("Closed Box Q", "Q(tc) =", Quantity::Fixed, At(block, &Block::qtc));
    fc_ = &AddField("Closed Box Resonance", "F(sc) =", Quantity::Fixed, At(block, &Block::fc), {},
                    "Hz", true);
    alpha_ = &AddField("Compliance Ratio", "Alpha =", Quantity::Fixed, At(block, &Block::alpha), {},
                       {}, true);
    binder_->OnGuardedEdit(volume_->row.edit, [this] { OnVolumeEdited(*volume_, true); });
    binder_->OnGuardedEdit(qtc_->row.edit, [this] { OnQtcEdited(true); });
}

template <class Block>
void BoxPanelView::AddBandpassBox(Block CSpkSys::*block, const QString& ventTitle)
{
    volume_ = &AddField("Rear Box Volume", "V(B1) =", Quantity::Volume,
                        At(block, &Block::vb1Liters), At(block, &Block::vb1CuFt));
    qtc_ = &AddField("Closed Box Q", "Q(tc) =", Quantity::Fixed, At(block, &Block::qtc));
    Field& front = AddField("Front Box Volume", "V(B2) =", Quantity::Volume,
                            At(block, &Block::vb2Liters), At(block, &Block::vb2CuFt));
    Field& fb2 = AddField("Front Box Resonance Freq.", "F(B2) =", Quantity::Fixed,
                          At(block, &Block::fb2), {}, "Hz");
    AddVentRows(At(block, &Block::svSqM), At(block, &Block::svSqIn), At(block, &Block::lvM),
                At(block, &Block::lvIn), ventTitle.isEmpty() ? "Vent Area" : ventTitle,
                ventTitle.isEmpty() ? "Vent Length" : ventTitle);
    binder_->OnGuardedEdit(volume_->row.edit, [this] { OnVolumeEdited(*volume_, false); });
    binder_->OnGuardedEdit(qtc_->row.edit, [this] { OnQtcEdited(false); });
    binder_->OnGuardedEdit(front.row.edit, [this, &front] { OnTwinEdited(front); });
    binder_->OnGuardedEdit(fb2.row.edit, [this] { OnPlainEdited(); });
}

void BoxPanelView::AddVentRows(Accessor svSqM, Accessor svSqIn, Accessor lvM, Accessor lvIn,
                               const QString& areaTitle, const QString& lengthTitle)
{
    sv_ = &AddField(areaTitle, "S(v) =", Quantity::Area, std::move(svSqM), std::move(svSqIn), {},
                    false, true);
    lv_ = &AddField(lengthTitle, "L(v) =", Quantity::Length, std::move(lvM), std::move(lvIn), {},
                    false, true);
    binder_->OnGuardedEdit(sv_->row.edit, [this] { OnVentAreaEdited(); });
    binder_->OnGuardedEdit(lv_->row.edit, [this] { OnVentLengthEdited(); });
}

void BoxPanelView::AddSeriesComponent(const QString& symbol, const QString& unit, Accessor value)
{
    Field& f = AddField({}, symbol, Quantity::Fixed, std::move(value), {}, unit, false, true);
    // Series components stand at the bottom left, under the picture, not as rows of their own.
    --nextRow_;
    for (QWidget* w : {static_cast<QWidget*>(f.row.title), static_cast<QWidget*>(f.row.symbol),
                       static_cast<QWidget*>(f.row.edit), static_cast<QWidget*>(f.row.unit)})
        grid_->removeWidget(w);
    f.row.title->hide();
    f.row.edit->setMinimumWidth(48);
    auto* line = new QHBoxLayout;
    line->setSpacing(3);
    line->addWidget(f.row.symbol);
    line->addWidget(f.row.edit);
    line->addWidget(f.row.unit);
    grid_->addLayout(line, 4 + seriesComponents_++, 0);
    binder_->OnGuardedEdit(f.row.edit, [this] { OnPlainEdited(); });
}

C2OCBVw::C2OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Closed2, doc, settings, parent)
{
    AddClosedBox(&CSpkSys::closed2);
    UpdateFromDocument();
}

C3OCBVw::C3OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Closed3, doc, settings, parent)
{
    AddClosedBox(&CSpkSys::closed3);
    Field& c1 = AddField("Series Capacitor", "C1 =", Quantity::Fixed,
                         At(&CSpkSys::closed3, &ClosedBox3::c1), {}, "uF");
    binder_->OnGuardedEdit(c1.row.edit, [this] { OnPlainEdited(); });
    UpdateFromDocument();
}

C4OVBVw::C4OVBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Vented4, doc, settings, parent)
{
    constexpr auto block = &CSpkSys::vented4;
    volume_ = &AddField("Box Volume", "V(B) =", Quantity::Volume, At(block, &VentedBox4::vbLiters),
                        At(block, &VentedBox4::vbCuFt));
    qtc_ = &AddField("Closed Box Q", "Q(tc) =", Quantity::Fixed, At(block, &VentedBox4::qtc));
    Field& fb =
        AddField("Box Frequency", "F(B) =", Quantity::Fixed, At(block, &VentedBox4::fb), {}, "Hz");
    svMin_ = &AddField("Min. Recommended Vent Area", "S(v)min =", Quantity::Area,
                       At(block, &VentedBox4::svMinSqM), At(block, &VentedBox4::svMinSqIn), {},
                       true, true);
    AddVentRows(At(block, &VentedBox4::svSqM), At(block, &VentedBox4::svSqIn),
                At(block, &VentedBox4::lvM), At(block, &VentedBox4::lvIn), "Vent Area",
                "Vent Length");
    binder_->OnGuardedEdit(volume_->row.edit, [this] { OnVolumeEdited(*volume_, false); });
    binder_->OnGuardedEdit(qtc_->row.edit, [this] { OnQtcEdited(false); });
    binder_->OnGuardedEdit(fb.row.edit, [this] { OnBoxFrequencyEdited(); });
    UpdateFromDocument();
}

C4OSBPVw::C4OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass4, doc, settings, parent)
{
    AddBandpassBox(&CSpkSys::bandpass4, {});
    UpdateFromDocument();
}

C5OABPVw::C5OABPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass5, doc, settings, parent)
{
    AddBandpassBox(&CSpkSys::bandpass5, "Vent");
    AddSeriesComponent("L1 =", "mH", At(&CSpkSys::bandpass5, &BandpassBox5::l1));
    UpdateFromDocument();
}

C6OSBPVw::C6OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass6, doc, settings, parent)
{
    AddBandpassBox(&CSpkSys::bandpass6, "Vent");
    AddSeriesComponent("C1 =", "uF", At(&CSpkSys::bandpass6, &BandpassBox6::c1));
    AddSeriesComponent("L1 =", "mH", At(&CSpkSys::bandpass6, &BandpassBox6::l1));
    UpdateFromDocument();
}

BoxPanelView* CreateBoxPanel(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                             QWidget* parent)
{
    switch (type) {
    case BoxType::Closed2:
        return new C2OCBVw(doc, settings, parent);
    case BoxType::Closed3:
        return new C3OCBVw(doc, settings, parent);
    case BoxType::Vented4:
        return new C4OVBVw(doc, settings, parent);
    case BoxType::Bandpass4:
        return new C4OSBPVw(doc, settings, parent);
    case BoxType::Bandpass5:
        return new C5OABPVw(doc, settings, parent);
    case BoxType::Bandpass6:
        return new C6OSBPVw(doc, settings, parent);
    case BoxType::None:
        break;
    }
    return nullptr;
}

} // namespace cw::ui
