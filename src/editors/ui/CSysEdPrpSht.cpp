#include "editors/ui/CSysEdPrpSht.h"

#include "editors/ui/CModelPg1.h"
#include "editors/ui/SystemDetailsPage.h"
#include "editors/ui/SystemNotesPage.h"

namespace cw::ui
{

CSysEdPrpSht::CSysEdPrpSht(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : PropertySheet("System Editor", parent), doc_(doc), settings_(settings),
      notes_(new SystemNotesPage(doc, settings, this)), model_(new CModelPg1(doc, settings, this))
{
    if (const BoxType type = SystemPagesBoxType(doc.workbench()); type != BoxType::None) {
        details_ = new SystemDetailsPage(type, doc, settings, this);
        AddPage(details_);
    }
    AddPage(notes_);
    AddPage(model_);
    AddDriverPages();
    RecordPageIndex(&doc.editorPage);
}

void CSysEdPrpSht::AddDriverPages()
{
    // "Driver:  General Information", "Driver:  Parameters" and "Driver:  Physical and Mounting
    // Information" join here, in this order, each with (doc_, settings_, this).
}

} // namespace cw::ui
