#include "calculators/ui/CVentSht.h"

#include "calculators/VentCalculator.h"

namespace cw::ui
{

CVentSht::CVentSht(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : PropertySheet("Vent Calculators", parent), doc_(doc), tubes_(new CVentPg1(doc, metric, this)),
      slots_(new CVentPg2(doc, metric, this))
{
    AddPage(tubes_);
    AddPage(slots_);
    RecordPageIndex(&doc.activeVentPage);
}

void CVentSht::accept()
{
    PropertySheet::accept();
    if (result() == QDialog::Accepted)
        doc_.windows().UpdateAllViews();
}

void ShowVentCalculators(CSpkSysDoc& doc, bool metric, QWidget* parent)
{
    if (calc::HasClosedBox(doc.workbench())) {
        doc.windows().ShowMessage(calc::kClosedBoxVentMessage);
        return;
    }
    CVentSht sheet(doc, metric, parent);
    sheet.exec();
}

} // namespace cw::ui
