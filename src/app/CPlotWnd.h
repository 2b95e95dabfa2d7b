#pragma once

#include "app/CChildFrame.h"

namespace cw
{

class CPlotView;

// The plot window of a project. It is titled "project title {system name}", keeps its two
// panel windows beside it, and closing it closes the project.
class CPlotWnd : public CChildFrame
{
    Q_OBJECT
public:
    explicit CPlotWnd(ProjectWindows& project);

    CPlotView* view() const { return view_; }
    // Rebuilds the title from the document title and the workbench's system name.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    CPlotView* view_;
};

} // namespace cw
