#pragma once

#include "editors/ui/SystemPage.h"

#include <cstdint>

class QCheckBox;
class QLineEdit;

namespace cw::ui
{

// "System:  Model": the three environment-model switches, which a click changes at once, and
// the baffle width of the current box type, the cabin's f(3) and Q.
class CModelPg1 : public SystemPage
{
    Q_OBJECT
public:
    CModelPg1(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    QCheckBox* enclosure() const { return enclosure_; }
    QCheckBox* diffraction() const { return diffraction_; }
    QCheckBox* autoCabin() const { return autoCabin_; }
    QLineEdit* baffleWidth() const { return baffleWidth_; }
    QLineEdit* cabinF3() const { return cabinF3_; }
    QLineEdit* cabinQ() const { return cabinQ_; }

protected:
    void OnActivate(bool first) override;

private:
    QCheckBox* Switch(const char* text, std::int32_t CSpkSys::*flag);
    void ShowSwitches();

    QCheckBox* enclosure_;
    QCheckBox* diffraction_;
    QCheckBox* autoCabin_;
    QLineEdit* baffleWidth_;
    QLineEdit* cabinF3_;
    QLineEdit* cabinQ_;
};

} // namespace cw::ui
