#pragma once

#include "forms/ui/PropertySheet.h"

namespace cw
{
class CSpkSysDoc;
}

namespace cw::ui
{

class CBoxPage;
class CutListPage;
class ReportPrinter;
struct ReportJob;

// The modal "Box Calculators" sheet: the rectangular, trapezoidal and bandpass box pages over
// the workbench record and the project's locks, and the cut list of the box page last shown,
// opening on the page last shown, with a "Print" button that prints the report of the page
// showing.
class CBoxSht : public PropertySheet
{
    Q_OBJECT
public:
    CBoxSht(CSpkSysDoc& doc, bool metric, ReportPrinter& printer, QWidget* parent);

    CBoxPage* boxPage(int index) const;
    CutListPage* cutListPage() const;
    // The report of the page showing, after the page has stored its fields; false when a field
    // refused its text (its message has been shown).
    bool PrintJob(ReportJob& job);

private:
    void Print();

    CSpkSysDoc& doc_;
    ReportPrinter& printer_;
};

} // namespace cw::ui
