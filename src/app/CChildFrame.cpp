#include "app/CChildFrame.h"

#include "app/CommandRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace cw
{

CChildFrame::CChildFrame(ProjectWindows& project, Qt::WindowFlags flags)
    : QMdiSubWindow(nullptr, flags), project_(project)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The accelerators belong to the main window whichever child has the focus: the system
    // menu's own Close key (Ctrl+W) would make Close Window ambiguous, so that neither ran.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            keys.removeIf([](const QKeySequence& k) {
                return CommandRegistry::Instance().FindByKey(
                           k.toString(QKeySequence::PortableText).toStdString()) != nullptr;
            });
            action->setShortcuts(keys);
        }
    }
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
