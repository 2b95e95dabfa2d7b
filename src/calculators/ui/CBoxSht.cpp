#include "calculators/ui/CBoxSht.h"

#include "calculators/ui/CBoxPage.h"
#include "model/CSpkSysDoc.h"
#include "reports/BoxReport.h"
#include "reports/ui/ReportPrinter.h"

#include <QPushButton>

namespace cw::ui
{

CBoxSht::CBoxSht(CSpkSysDoc& doc, bool metric, ReportPrinter& printer, QWidget* parent)
    : PropertySheet("Box Calculators", parent), doc_(doc), printer_(printer)
{
    AddPage(new CBoxPg1(doc, metric, this));
    AddPage(new CBoxPg2(doc, metric, this));
    AddPage(new CBoxPg3(doc, metric, this));
    RecordPageIndex(&doc.activeBoxPage);
    connect(AddButton("Print"), &QPushButton::clicked, this, &CBoxSht::Print);
}

CBoxPage* CBoxSht::boxPage(int index) const
{
    return static_cast<CBoxPage*>(page(index));
}

bool CBoxSht::PrintJob(ReportJob& job)
{
    auto* showing = static_cast<CBoxPage*>(currentPage());
    // The notes and any value still being typed go into the record first, as leaving the page
    // takes them: a value the calculator refused is not printed.
    if (!showing->StoreShown())
        return false;
    const calc::BoxPageKind kind = showing->kind();
    const bool metric = showing->metric();
    const CSpkSysDoc& doc = doc_;
    job.name = reports::BoxReportTitle(kind);
    job.fileName = job.name;
    job.draw = [&doc, kind, metric](gfx::Canvas& canvas) {
        reports::DrawBoxReportPage(canvas, doc, kind, metric);
    };
    return true;
}

void CBoxSht::Print()
{
    ReportJob job;
    if (PrintJob(job))
        printer_.Print(this, job);
}

} // namespace cw::ui
