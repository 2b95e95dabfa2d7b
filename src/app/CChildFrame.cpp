#include "app/CChildFrame.h"

#include <QCloseEvent>

namespace cw
{

CChildFrame::CChildFrame(ProjectWindows& project, Qt::WindowFlags flags)
    : QMdiSubWindow(nullptr, flags), project_(project)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!closeAllowed_) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace cw
