#pragma once

#include <QMdiSubWindow>

namespace cw
{

class ProjectWindows;

// A child window of a project inside the main window. Panels cannot be closed on their own:
// they go with their project, which the plot window closes.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    CChildFrame(ProjectWindows& project, Qt::WindowFlags flags);

    ProjectWindows& project() const { return project_; }
    // The project is closing: let the window go.
    void AllowClose() { closeAllowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool closeAllowed_ = false;

private:
    ProjectWindows& project_;
};

// The panel windows have a caption and a sizing border only.
inline constexpr Qt::WindowFlags kPanelFlags =
    Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

} // namespace cw
