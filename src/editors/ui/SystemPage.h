#pragma once

#include "editors/ui/SystemSidePanel.h"
#include "forms/ui/PropertyPage.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

class QHBoxLayout;

namespace cw::ui
{

// A page of the system editor about the workbench system: its own fields on the left, the
// shared right half beside them, all on the button face. What the user typed marks the project
// modified when the page stores, also when the sheet is cancelled later.
class SystemPage : public PropertyPage
{
    Q_OBJECT
public:
    SystemPage(const QString& caption, CSpkSysDoc& doc, const AppSettings& settings,
               SystemSidePanel::BoxTypeText boxTypeText, QWidget* parent);

    SystemSidePanel* side() const { return side_; }

protected:
    // Puts the page's own fields into the left half.
    void SetLeftHalf(QLayout* left);
    bool OnLeave() override;

    CSpkSysDoc& doc_;
    const AppSettings& settings_;

private:
    QHBoxLayout* halves_;
    SystemSidePanel* side_;
};

} // namespace cw::ui
