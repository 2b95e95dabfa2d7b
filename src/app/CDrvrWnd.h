#pragma once

#include "app/CChildFrame.h"

namespace cw
{

class PanelView;

// The driver panel window, bottom left under the plot.
class CDrvrWnd : public CChildFrame
{
    Q_OBJECT
public:
    explicit CDrvrWnd(ProjectWindows& project);
    PanelView* view() const { return view_; }

private:
    PanelView* view_;
};

} // namespace cw
