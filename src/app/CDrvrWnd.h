#pragma once

#include "app/CChildFrame.h"

namespace cw
{

namespace ui
{
class CDrvrView;
}

// The driver panel window, bottom left under the plot.
class CDrvrWnd : public CChildFrame
{
    Q_OBJECT
public:
    explicit CDrvrWnd(ProjectWindows& project);
    ui::CDrvrView* view() const { return view_; }

private:
    ui::CDrvrView* view_;
};

} // namespace cw
