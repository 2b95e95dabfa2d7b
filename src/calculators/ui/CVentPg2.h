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

    QLineEdit* heightField() const { return height_; }
    QLineEdit* widthField() const { return width_; }
    QLineEdit* countField() const { return count_; }
    const calc::RectVent& vent() const { return vent_; }

protected:
    void Propose() override;
    void Recalculate() override;
    calc::VentResult& result() override { return vent_.result; }
    std::uint32_t count() const override { return vent_.count; }

private:
    calc::RectVent vent_;
    QLineEdit* height_;
    QLineEdit* width_;
    QLineEdit* count_;
};

} // namespace cw::ui
