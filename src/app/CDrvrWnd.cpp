#include "app/CDrvrWnd.h"

#include "app/PanelView.h"

namespace cw
{

CDrvrWnd::CDrvrWnd(ProjectWindows& project) : CChildFrame(project, kPanelFlags)
{
    setWindowTitle(QStringLiteral("Driver and System Parameters"));
    view_ = CreateDriverPanelView(project);
    setWidget(view_);
}

} // namespace cw
