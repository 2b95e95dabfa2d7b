#include "editors/ui/BoxPanelView.h"

#include "editors/ui/BoxIcon.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace cw::ui
{

BoxPanelView::BoxPanelView(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                           QWidget* parent)
    : PanelView(doc, settings, parent), type_(type)
{
    setWindowTitle(QString::fromUtf8(BoxTypeName(type).data()));
    // The icon stands in a column of its own, so that the rows keep every line of the window.
    grid_->addWidget(new BoxIcon(type, this), 0, 0, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    firstColumn_ = 1;
}

BoxPanelView::Field& BoxPanelView::AddField(const QString& title, const QString& symbol,
                                            Quantity quantity, Accessor metric, Accessor english,
                                            const QString& unit, bool readOnly, bool shortInMetric)
{
    auto field = std::make_unique<Field>();
    field->row = AddRow(title, symbol, unit, readOnly);
    field->quantity = quantity;
    field->metric = std::move(metric);
    field->english = std::move(english);
    field->shortInMetric = shortInMetric;
    Field* f = field.get();
    binder_->BindReal(f->row.edit, [this, f]() -> double& { return Shown(*f); });
    fields_.push_back(std::move(field));
    return *f;
}

double& BoxPanelView::Shown(Field& f)
{
    if (f.quantity == Quantity::Fixed || metric())
        return f.metric(wb());
    return f.english(wb());
}

QLineEdit* BoxPanelView::field(const QString& symbol) const
{
    for (const auto& f : fields_) {
        if (f->row.symbol->text() == symbol)
            return f->row.edit;
    }
    return nullptr;
}

QString BoxPanelView::unitLabel(const QString& symbol) const
{
    for (const auto& f : fields_) {
        if (f->row.symbol->text() == symbol)
            return f->row.unit->text();
    }
    return {};
}

void BoxPanelView::SetUnits()
{
    const bool m = metric();
    for (auto& f : fields_) {
        switch (f->quantity) {
        case Quantity::Volume:
            f->row.unit->setText(m ? "liters" : "cu ft");
            break;
        case Quantity::Area:
            f->row.unit->setText(m ? "sq m" : "sq in");
            break;
        case Quantity::Length:
            f->row.unit->setText(m ? "m" : "in");
            break;
        case Quantity::Fixed:
            break;
        }
    }
}

void BoxPanelView::LoadFields()
{
    PanelView::LoadFields();
    if (!metric())
        return;
    // Metric vent sizes and series components would otherwise show long fractions.
    for (auto& f : fields_) {
        if (f->shortInMetric)
            ShowField(f.get());
    }
}

void BoxPanelView::ShowField(Field* f)
{
    if (f)
        binder_->Show(f->row.edit, Shown(*f));
}

void BoxPanelView::TwinUpdate(Field& f)
{
    edit::Twin twin = edit::Twin::None;
    switch (f.quantity) {
    case Quantity::Volume:
        twin = edit::Twin::Volume;
        break;
    case Quantity::Area:
        twin = edit::Twin::Area;
        break;
    case Quantity::Length:
        twin = edit::Twin::Length;
        break;
    case Quantity::Fixed:
        return;
    }
    CSpkSys& s = wb();
    if (metric())
        f.english(s) = edit::TwinValue(twin, true, f.metric(s));
    else
        f.metric(s) = edit::TwinValue(twin, false, f.english(s));
}

void BoxPanelView::OnVolumeEdited(Field& volume, bool closedBox)
{
    const CSpkSys before = wb();
    if (!StorePanel())
        return;
    TwinUpdate(volume);
    if (!RunSteps(before, edit::VolumeSteps(closedBox),
                  tr("The box volume must be greater than 0; Q(tc) and the values that "
                     "follow from it were kept.")))
        return;
    ShowField(qtc_);
    if (closedBox) {
        ShowField(fc_);
        ShowField(alpha_);
    }
    emit statusMessage({});
}

void BoxPanelView::OnQtcEdited(bool closedBox)
{
    const CSpkSys before = wb();
    if (!StorePanel())
        return;
    const QString why = QString::fromStdString(edit::QtcTooLowMessage(wb().driver.qts));
    if (!edit::QtcUsable(Shown(*qtc_), wb().driver.qts)) {
        wb() = before;
        emit statusMessage(why);
        return;
    }
    if (!RunSteps(before, edit::QtcSteps(closedBox), why))
        return;
    ShowField(volume_);
    if (closedBox) {
        ShowField(fc_);
        ShowField(alpha_);
    }
    emit statusMessage({});
}

void BoxPanelView::OnVentAreaEdited()
{
    const CSpkSys before = wb();
    if (!StorePanel())
        return;
    TwinUpdate(*sv_);
    if (!RunSteps(before, {&CSpkSysDoc::CalcVentLength},
                  tr("The vent length needs a box volume, a box frequency and a vent area "
                     "large enough for a positive length; it was kept.")))
        return;
    ShowField(lv_);
    emit statusMessage({});
}

void BoxPanelView::OnVentLengthEdited()
{
    const CSpkSys before = wb();
    if (!StorePanel())
        return;
    TwinUpdate(*lv_);
    if (!RunSteps(before, {&CSpkSysDoc::CalcVentArea},
                  tr("The vent area needs a box volume and a box frequency greater than 0 and "
                     "a vent length of at least 0; it was kept.")))
        return;
    ShowField(sv_);
    emit statusMessage({});
}

void BoxPanelView::OnBoxFrequencyEdited()
{
    const CSpkSys before = wb();
    if (!StorePanel())
        return;
    if (!RunSteps(before, {&CSpkSysDoc::EstimateDriverAndVent},
                  tr("The minimum vent area could not be estimated; it was kept.")))
        return;
    ShowField(svMin_);
    // The minimum vent area just shown is stored back with the panel.
    StorePanel();
    emit statusMessage({});
}

void BoxPanelView::OnPlainEdited()
{
    StorePanel();
}

void BoxPanelView::OnTwinEdited(Field& f)
{
    if (StorePanel())
        TwinUpdate(f);
}

} // namespace cw::ui
