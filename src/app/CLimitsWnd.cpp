#include "app/CLimitsWnd.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "plot/ui/CLimitsView.h"

namespace cw
{

CLimitsWnd::CLimitsWnd(ProjectWindows& project)
    : CChildFrame(project, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    AllowClose();
    view_ = new CLimitsView(project.doc(), project.app().settings(), this);
    setWidget(view_);
    setMinimumSize(400, 254);
    UpdateTitle();
}

void CLimitsWnd::UpdateTitle()
{
    const CSpkSysDoc& doc = project().doc();
    setWindowTitle(
        QString::fromStdString("Limits: " + doc.title() + " {" + doc.workbench().systemName + "}"));
}

} // namespace cw
