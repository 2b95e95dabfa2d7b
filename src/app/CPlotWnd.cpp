#include "app/CPlotWnd.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "plot/ui/CPlotView.h"

#include <QCloseEvent>
#include <QStyle>

namespace cw
{

CPlotWnd::CPlotWnd(ProjectWindows& project)
    : CChildFrame(project, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    view_ = new CPlotView(project.doc(), project.app().settings(), this);
    setWidget(view_);
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    setMinimumSize(640 - 3 * border, 254);
    UpdateTitle();
}

void CPlotWnd::UpdateTitle()
{
    const CSpkSysDoc& doc = project().doc();
    setWindowTitle(QString::fromStdString(doc.title() + " {" + doc.workbench().systemName + "}") +
                   "[*]");
    setWindowModified(doc.IsModified());
}

void CPlotWnd::closeEvent(QCloseEvent* event)
{
    if (!closeAllowed_ && !project().app().CloseProject(project())) {
        event->ignore();
        return;
    }
    closeAllowed_ = true;
    CChildFrame::closeEvent(event);
}

void CPlotWnd::changeEvent(QEvent* event)
{
    CChildFrame::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !project().closing())
        project().OnPlotStateChanged(windowState());
}

void CPlotWnd::moveEvent(QMoveEvent* event)
{
    CChildFrame::moveEvent(event);
    if (!project().closing())
        project().Arrange();
}

} // namespace cw
