#include "app/CBoxWnd.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "editors/ui/BoxPanels.h"

namespace cw
{

CBoxWnd::CBoxWnd(ProjectWindows& project, BoxType type)
    : CChildFrame(project, kPanelFlags), type_(type)
{
    const std::string_view name = BoxTypeName(type);
    setWindowTitle(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    view_ = ui::CreateBoxPanel(type, project.doc(), project.app().settings());
    setWidget(view_);
}

} // namespace cw
