#pragma once

#include "calculators/ui/VentPage.h"

namespace cw::ui
{

// The "Rectangular Vents" page: slot vents of one height and width, side by side.
class CVentPg2 : public VentPage
{
    Q_OBJECT
public:
    CVentPg2(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr);

    QLineEdit* heightField() const { return input(0); }
    QLineEdit* widthField() const { return input(1); }
    QLineEdit* countField() const { return countInput(); }
    const calc::RectVent& vent() const { return model().rect; }
};

} // namespace cw::ui
