#include "editors/ui/CSysEdPrpSht.h"

#include "editors/ui/CModelPg1.h"
#include "editors/ui/DriverGeneralPage.h"
#include "editors/ui/DriverParametersPage.h"
#include "editors/ui/DriverPhysicalPage.h"
#include "editors/ui/SystemDetailsPage.h"
#include "editors/ui/SystemNotesPage.h"

namespace cw::ui
{

CSysEdPrpSht::CSysEdPrpSht(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : PropertySheet("System Editor", parent), notes_(new SystemNotesPage(doc, settings, this)),
      model_(new CModelPg1(doc, settings, this))
{
    if (const BoxType type = SystemPagesBoxType(doc.workbench()); type != BoxType::None) {
        details_ = new SystemDetailsPage(type, doc, settings, this);
        AddPage(details_);
    }
    AddPage(notes_);
    AddPage(model_);
    AddPage(new DriverGeneralPage(doc, settings, this));
    AddPage(new DriverParametersPage(doc, settings, this));
    AddPage(new DriverPhysicalPage(doc, settings, this));
    RecordPageIndex(&doc.editorPage);
}

} // namespace cw::ui
