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

    QLineEdit* diameterField() const { return diameter_; }
    QLineEdit* countField() const { return count_; }
    const calc::TubeVent& vent() const { return vent_; }

protected:
    void Propose() override;
    void Recalculate() override;
    calc::VentResult& result() override { return vent_.result; }
    std::uint32_t count() const override { return vent_.count; }

private:
    calc::TubeVent vent_;
    QLineEdit* diameter_;
    QLineEdit* count_;
};

} // namespace cw::ui
