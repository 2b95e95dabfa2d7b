#pragma once

#include "app/CChildFrame.h"

namespace cw
{

class CLimitsView;

// The Limits window of a project, titled "Limits: project title {system name}". Unlike the plot
// window it closes on its own; it goes with its project too.
class CLimitsWnd : public CChildFrame
{
    Q_OBJECT
public:
    explicit CLimitsWnd(ProjectWindows& project);

    CLimitsView* view() const { return view_; }
    void UpdateTitle();

private:
    CLimitsView* view_;
};

} // namespace cw
