#pragma once

#include "model/BoxType.h"

#include <QWidget>

namespace cw
{

class ProjectWindows;

// The view inside a panel window. Refresh shows the workbench's current values; a change of
// the units preference relabels the fields.
class PanelView : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void Refresh() { update(); }
};

// The view of the driver panel window and of the workbench panel of a box type.
PanelView* CreateDriverPanelView(ProjectWindows& project);
PanelView* CreateBoxPanelView(ProjectWindows& project, BoxType type);

} // namespace cw
