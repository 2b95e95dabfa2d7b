#include "calculators/ui/CBoxSht.h"

#include "calculators/ui/CBoxPage.h"
#include "calculators/ui/CutListPage.h"
#include "model/CSpkSysDoc.h"
#include "reports/BoxReport.h"
#include "reports/CutListReport.h"
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
    AddPage(new CutListPage(doc, metric, this));
    RecordPageIndex(&doc.activeBoxPage);
    connect(AddButton("Print"), &QPushButton::clicked, this, &CBoxSht::Print);
}

CBoxPage* CBoxSht::boxPage(int index) const
{
    return qobject_cast<CBoxPage*>(page(index));
}

CutListPage* CBoxSht::cutListPage() const
{
    return qobject_cast<CutListPage*>(page(pageCount() - 1));
}

bool CBoxSht::PrintJob(ReportJob& job)
{
    const CSpkSysDoc& doc = doc_;
    if (auto* cut = qobject_cast<CutListPage*>(currentPage())) {
        const calc::BoxPageKind kind = cut->kind();
        const bool metric = cut->metric();
        job.name = QString::fromStdString(reports::CutListReportTitle(kind));
        job.fileName = job.name;
        job.draw = [&doc, kind, metric](gfx::Canvas& canvas) {
            reports::DrawCutListReportPage(canvas, doc, kind, metric);
        };
        return true;
    }
    auto* showing = static_cast<CBoxPage*>(currentPage());
    // The notes and any value still being typed go into the record first, as leaving the page
    // takes them: a value the calculator refused is not printed.
    if (!showing->StoreShown())
        return false;
    const calc::BoxPageKind kind = showing->kind();
    const bool metric = showing->metric();
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
