#pragma once

#include "editors/ui/DriverPage.h"

class QLabel;

namespace cw::ui
{

// "Driver:  Parameters": the small-signal and electro-mechanical parameters and the voice coil.
// V(as) shows the copy in the unit the preference chooses; editing it brings the other copy
// into step.
class DriverParametersPage : public DriverPage
{
    Q_OBJECT
public:
    DriverParametersPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

protected:
    void OnActivate(bool first) override;
    bool StoreFields() override;

private:
    // The V(as) copy the page shows, chosen afresh at every exchange.
    double& ShownVas();
    void ShowVasUnit();

    QLineEdit* vas_ = nullptr;
    QLabel* vasUnit_ = nullptr;
    bool vasEdited_ = false; // the user has changed V(as) since it was last loaded or stored
};

} // namespace cw::ui
