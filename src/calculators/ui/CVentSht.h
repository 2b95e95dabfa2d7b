#pragma once

#include "calculators/ui/CVentPg1.h"
#include "calculators/ui/CVentPg2.h"
#include "forms/ui/PropertySheet.h"
#include "model/CSpkSysDoc.h"

namespace cw::ui
{

// The "Vent Calculators" sheet over a project's workbench: the tube and the rectangular vent
// pages, opening on the page last shown. OK writes the vent of each page that was shown into
// the design, in page order, and refreshes every view; Cancel writes nothing.
class CVentSht : public PropertySheet
{
    Q_OBJECT
public:
    // metric: the unit setting the pages show and take.
    CVentSht(CSpkSysDoc& doc, bool metric, QWidget* parent);

    CVentPg1* tubePage() const { return tubes_; }
    CVentPg2* rectPage() const { return slots_; }

    void accept() override;

private:
    CSpkSysDoc& doc_;
    CVentPg1* tubes_;
    CVentPg2* slots_;
};

// The "&Vent Calculators..." command: for a closed box the closed-box message instead of the
// sheet, otherwise the sheet, modal.
void ShowVentCalculators(CSpkSysDoc& doc, bool metric, QWidget* parent);

} // namespace cw::ui
