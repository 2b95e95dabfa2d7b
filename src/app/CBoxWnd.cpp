#include "app/CBoxWnd.h"

#include "app/PanelView.h"

namespace cw
{

CBoxWnd::CBoxWnd(ProjectWindows& project, BoxType type)
    : CChildFrame(project, kPanelFlags), type_(type)
{
    const std::string_view name = BoxTypeName(type);
    setWindowTitle(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    view_ = CreateBoxPanelView(project, type);
    setWidget(view_);
}

} // namespace cw
