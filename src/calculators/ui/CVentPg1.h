#pragma once

#include "calculators/ui/VentPage.h"

namespace cw::ui
{

// The "Tube Vents" page: round tubes of one inside diameter, as many as it takes.
class CVentPg1 : public VentPage
{
    Q_OBJECT
public:
    CVentPg1(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr);

    QLineEdit* diameterField() const { return input(0); }
    QLineEdit* countField() const { return countInput(); }
    const calc::TubeVent& vent() const { return model().tube; }
};

} // namespace cw::ui
