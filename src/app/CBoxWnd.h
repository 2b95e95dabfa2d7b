#pragma once

#include "app/CChildFrame.h"
#include "model/BoxType.h"

namespace cw
{

namespace ui
{
class BoxPanelView;
}

// The workbench panel window of one box type, bottom right under the plot. It is replaced by
// the panel of the new type whenever the workbench's box type changes.
class CBoxWnd : public CChildFrame
{
    Q_OBJECT
public:
    CBoxWnd(ProjectWindows& project, BoxType type);
    ui::BoxPanelView* view() const { return view_; }
    BoxType boxType() const { return type_; }

private:
    BoxType type_;
    ui::BoxPanelView* view_;
};

} // namespace cw
