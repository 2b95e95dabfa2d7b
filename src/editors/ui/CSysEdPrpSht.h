#pragma once

#include "forms/ui/PropertySheet.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

namespace cw::ui
{

class CModelPg1;
class SystemDetailsPage;
class SystemNotesPage;

// The "System Editor": every page binds the workbench of the project directly. The Details page
// of the workbench's box type comes first (none for a box type name that matches no alignment),
// then Notes, Model and the driver's pages. It opens on the page last shown, which each page
// records in the document when it becomes the page showing.
class CSysEdPrpSht : public PropertySheet
{
    Q_OBJECT
public:
    CSysEdPrpSht(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    // Null when the box type has no Details page.
    SystemDetailsPage* detailsPage() const { return details_; }
    SystemNotesPage* notesPage() const { return notes_; }
    CModelPg1* modelPage() const { return model_; }

private:
    SystemDetailsPage* details_ = nullptr;
    SystemNotesPage* notes_;
    CModelPg1* model_;
};

} // namespace cw::ui
