#include "editors/ui/CModelPg1.h"

#include "model/BoxTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cw::ui
{

namespace
{

QGroupBox* Group(const char* title, QWidget* parent, QVBoxLayout* into)
{
    auto* group = new QGroupBox(title, parent);
    into->addWidget(group);
    return group;
}

} // namespace

CModelPg1::CModelPg1(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : SystemPage("System:  Model", doc, settings, SystemSidePanel::BoxTypeText::Fixed, parent),
      enclosure_(Switch("Model Speaker System Response Radiating into Half Space",
                        &CSpkSys::modelEnclosure)),
      diffraction_(Switch("Model the 6 dB Baffle Diffraction Loss\n(spherical approximation "
                          "based on baffle width)",
                          &CSpkSys::modelDiffraction)),
      autoCabin_(Switch("Model Automobile Cabin Response\n(12 dB/octave rise below f(3) )",
                        &CSpkSys::modelAutoCabin)),
      baffleWidth_(new QLineEdit(this)), cabinF3_(new QLineEdit(this)), cabinQ_(new QLineEdit(this))
{
    auto* left = new QVBoxLayout;
    const int width = fontMetrics().horizontalAdvance("0.000000000000000");

    auto* enclosure = new QVBoxLayout(Group("Enclosure Response", this, left));
    enclosure->addWidget(enclosure_);

    auto* diffraction = new QGridLayout(Group("Baffle Diffraction Loss", this, left));
    diffraction->addWidget(diffraction_, 0, 0, 1, 4);
    diffraction->addWidget(new QLabel("Baffle Width =", this), 1, 0, Qt::AlignRight);
    diffraction->addWidget(baffleWidth_, 1, 1);
    diffraction->addWidget(new QLabel("meters", this), 1, 2);
    diffraction->setColumnStretch(3, 1);

    auto* cabin = new QGridLayout(Group("Automobile Cabin Response", this, left));
    cabin->addWidget(autoCabin_, 0, 0, 1, 4);
    cabin->addWidget(new QLabel("f(3) =", this), 1, 0, Qt::AlignRight);
    cabin->addWidget(cabinF3_, 1, 1);
    cabin->addWidget(new QLabel("Hz", this), 1, 2);
    auto* guidance = new QLabel("87 Hz : Compact Car\n66 Hz : Midsize Car\n48 Hz : Van", this);
    cabin->addWidget(guidance, 1, 3, 2, 1);
    cabin->addWidget(new QLabel("Q =", this), 2, 0, Qt::AlignRight);
    cabin->addWidget(cabinQ_, 2, 1);
    cabin->addWidget(new QLabel("(Typically .707)", this), 2, 2);
    cabin->setColumnStretch(3, 1);
    left->addStretch();
    SetLeftHalf(left);

    for (QLineEdit* edit : {baffleWidth_, cabinF3_, cabinQ_})
        edit->setFixedWidth(width);
    // The width of the box type's own block; a name that matches no alignment has none.
    const BoxDescription* box = DescribeBox(SystemPagesBoxType(doc.workbench()));
    if (box) {
        const RealAccessor wb = box->Find(BoxQuantity::Wb)->metric;
        binder()->Bind(baffleWidth_, edit::kRealField,
                       [this, wb]() -> double& { return wb(doc_.workbench()); });
    } else {
        baffleWidth_->setEnabled(false);
    }
    binder()->Bind(cabinF3_, edit::kRealField,
                   [this]() -> double& { return doc_.workbench().autoCabinF3; });
    binder()->Bind(cabinQ_, edit::kRealField,
                   [this]() -> double& { return doc_.workbench().autoCabinQ; });
}

QCheckBox* CModelPg1::Switch(const char* text, std::int32_t CSpkSys::*flag)
{
    auto* box = new QCheckBox(text, this);
    // A click changes the switch at once, as the menu toggle does; Cancel keeps it.
    connect(box, &QCheckBox::clicked, this, [this, flag] {
        std::int32_t& value = doc_.workbench().*flag;
        value = value != 1 ? 1 : 0;
        doc_.SetModified();
        ShowSwitches();
    });
    return box;
}

void CModelPg1::ShowSwitches()
{
    const CSpkSys& wb = doc_.workbench();
    enclosure_->setChecked(wb.modelEnclosure == 1);
    diffraction_->setChecked(wb.modelDiffraction == 1);
    autoCabin_->setChecked(wb.modelAutoCabin == 1);
}

void CModelPg1::OnActivate(bool first)
{
    ShowSwitches();
    SystemPage::OnActivate(first);
}

} // namespace cw::ui
