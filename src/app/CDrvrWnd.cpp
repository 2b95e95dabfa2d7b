#include "app/CDrvrWnd.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "editors/ui/CDrvrView.h"

namespace cw
{

CDrvrWnd::CDrvrWnd(ProjectWindows& project) : CChildFrame(project, kPanelFlags)
{
    setWindowTitle(QStringLiteral("Driver and System Parameters"));
    view_ = new ui::CDrvrView(project.doc(), project.app().settings());
    setWidget(view_);
}

} // namespace cw
