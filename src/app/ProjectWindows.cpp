#include "app/ProjectWindows.h"

#include "app/CBoxWnd.h"
#include "app/CConewrightApp.h"
#include "app/CDrvrWnd.h"
#include "app/CMainFrame.h"
#include "app/CPlotWnd.h"
#include "app/ChildLayout.h"
#include "editors/ui/BoxPanelView.h"
#include "editors/ui/CDrvrView.h"
#include "plot/ui/CLimitsView.h"
#include "plot/ui/CPlotView.h"

#include <QApplication>
#include <QMdiArea>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>

namespace cw
{

namespace
{

QRect ToQRect(const PixelRect& r)
{
    return QRect(r.left, r.top, r.width, r.height);
}

int CaptionHeight(const QWidget& frame)
{
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    option.titleBarFlags = Qt::SubWindow;
    return frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame);
}

} // namespace

ProjectWindows::ProjectWindows(CConewrightApp& app, std::unique_ptr<CSpkSysDoc> doc)
    : app_(app), doc_(std::move(doc))
{
    doc_->SetWindows(this);
}

ProjectWindows::~ProjectWindows()
{
    doc_->SetWindows(nullptr);
}

void ProjectWindows::CreateWindows(QMdiArea& area)
{
    area_ = &area;
    plotFrame_ = new CPlotWnd(*this);
    area.addSubWindow(plotFrame_);
    Arrange();
    plotFrame_->show();

    driverPanel_ = new CDrvrWnd(*this);
    AddPanel(driverPanel_, driverPanel_->view());
    CreateWorkbenchPanel();
    Arrange();
    area.setActiveSubWindow(plotFrame_);
}

void ProjectWindows::AddPanel(QMdiSubWindow* frame, ui::PanelView* view)
{
    // Why a design step could not run goes to the status bar.
    if (view)
        connect(view, &ui::PanelView::statusMessage, this,
                [this](const QString& text) { ShowStatus(text.toStdString()); });
    area_->addSubWindow(frame);
    Arrange();
    if (plotFrame_ && plotFrame_->isMinimized())
        return;
    frame->show();
}

void ProjectWindows::CreateWorkbenchPanel()
{
    // The panel of the workbench's box type; a name that matches no alignment makes none.
    const BoxType type = doc_->workbench().boxType();
    if (type == BoxType::None)
        return;
    workbenchPanel_ = new CBoxWnd(*this, type);
    AddPanel(workbenchPanel_, workbenchPanel_->view());
}

void ProjectWindows::ShowLimits()
{
    if (!area_)
        return;
    if (!limitsFrame_) {
        limitsFrame_ = new CLimitsWnd(*this);
        area_->addSubWindow(limitsFrame_);
        // Over the plot's place, a caption lower, so that both captions can be reached.
        QRect place = plotFrame_ ? ToQRect(Layout().plot) : QRect(0, 0, 800, 500);
        place.translate(0, CaptionHeight(*limitsFrame_));
        limitsFrame_->setGeometry(place);
    }
    if (limitsFrame_->isMinimized())
        limitsFrame_->showNormal();
    limitsFrame_->show();
    area_->setActiveSubWindow(limitsFrame_);
}

void ProjectWindows::InvalidateLimits()
{
    if (limitsFrame_) {
        limitsFrame_->UpdateTitle();
        limitsFrame_->view()->Invalidate();
    }
}

ChildLayout ProjectWindows::Layout() const
{
    const QSize client = area_->viewport()->size();
    // The MDI area already lies between the tool bar and the status bar.
    return ArrangeChildren(client.width(), client.height(), 0, 0,
                           plotFrame_->fontMetrics().height(), CaptionHeight(*plotFrame_));
}

void ProjectWindows::Arrange()
{
    if (!area_ || !plotFrame_ || plotFrame_->isMinimized() || plotFrame_->isMaximized())
        return;
    const ChildLayout layout = Layout();
    plotFrame_->setGeometry(ToQRect(layout.plot));
    if (driverPanel_)
        driverPanel_->setGeometry(ToQRect(layout.driverPanel));
    if (workbenchPanel_)
        workbenchPanel_->setGeometry(ToQRect(layout.workbenchPanel));
}

void ProjectWindows::OnPlotStateChanged(Qt::WindowStates state)
{
    for (QMdiSubWindow* panel : {static_cast<QMdiSubWindow*>(driverPanel_.data()),
                                 static_cast<QMdiSubWindow*>(workbenchPanel_.data())}) {
        if (!panel)
            continue;
        if (state & Qt::WindowMinimized) {
            panel->hide();
        } else {
            // Shown again without taking the focus from the plot.
            panel->setAttribute(Qt::WA_ShowWithoutActivating);
            panel->show();
        }
    }
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized)))
        Arrange();
    if (state & Qt::WindowMinimized)
        app_.mainFrame()->ArrangeIcons();
}

void ProjectWindows::RaiseCompanions()
{
    if (driverPanel_)
        driverPanel_->raise();
    if (workbenchPanel_)
        workbenchPanel_->raise();
}

void ProjectWindows::CloseWindows()
{
    closing_ = true;
    for (CChildFrame* frame : {static_cast<CChildFrame*>(limitsFrame_.data()),
                               static_cast<CChildFrame*>(workbenchPanel_.data()),
                               static_cast<CChildFrame*>(driverPanel_.data()),
                               static_cast<CChildFrame*>(plotFrame_.data())}) {
        if (frame) {
            frame->AllowClose();
            frame->close();
        }
    }
    doc_->SetWindows(nullptr);
}

void ProjectWindows::RefreshAll()
{
    if (plotFrame_) {
        plotFrame_->UpdateTitle();
        plotFrame_->view()->Invalidate();
    }
    InvalidateLimits();
    RedrawDriverPanel();
    RefreshWorkbenchPanel();
}

void ProjectWindows::ShowMessage(const std::string& text)
{
    QMessageBox::warning(app_.dialogParent(), QStringLiteral("Conewright"),
                         QString::fromStdString(text));
}

bool ProjectWindows::AskOkCancel(const std::string& text)
{
    return QMessageBox::question(
               app_.dialogParent(), QStringLiteral("Conewright"), QString::fromStdString(text),
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void ProjectWindows::InvalidatePlot()
{
    if (plotFrame_)
        plotFrame_->view()->Invalidate();
    InvalidateLimits();
}

void ProjectWindows::RepaintPlotNow()
{
    if (plotFrame_)
        plotFrame_->view()->RepaintNow();
    InvalidateLimits();
}

void ProjectWindows::PreparePlotDrawing()
{
    if (plotFrame_)
        plotFrame_->view()->PrepareDrawing();
}

void ProjectWindows::DrawSystemNow(int systemIndex)
{
    if (plotFrame_)
        plotFrame_->view()->DrawSystemNow(systemIndex);
    // A calculated system changes the limits.
    InvalidateLimits();
}

void ProjectWindows::SetPlotTitle(const std::string& title)
{
    if (plotFrame_)
        plotFrame_->setWindowTitle(QString::fromStdString(title) + "[*]");
}

void ProjectWindows::RedrawDriverPanel()
{
    if (driverPanel_)
        driverPanel_->view()->UpdateFromDocument();
}

void ProjectWindows::ReplaceWorkbenchPanel()
{
    // Closing the panel hands the activation to whichever window comes next, maybe another
    // project's: the project in front takes it back with its three windows.
    const bool inFront = app_.currentProject() == this;
    if (workbenchPanel_) {
        workbenchPanel_->AllowClose();
        workbenchPanel_->close();
        workbenchPanel_ = nullptr;
    }
    if (plotFrame_ && area_) {
        CreateWorkbenchPanel();
        if (inFront && !plotFrame_->isMinimized()) {
            area_->setActiveSubWindow(plotFrame_);
            RaiseCompanions();
        }
    }
}

void ProjectWindows::RefreshWorkbenchPanel()
{
    if (workbenchPanel_)
        workbenchPanel_->view()->UpdateFromDocument();
}

void ProjectWindows::UpdateAllViews()
{
    RefreshAll();
}

void ProjectWindows::OpenDriverDatabase()
{
    app_.ShowDriverDatabase();
}

void ProjectWindows::ShowStatus(const std::string& text)
{
    app_.mainFrame()->statusBar()->showMessage(QString::fromStdString(text), 10000);
}

void ProjectWindows::StepPending()
{
    if (stepDue_)
        return;
    stepDue_ = true;
    QTimer::singleShot(0, this, &ProjectWindows::EndStepWhenIdle);
}

void ProjectWindows::EndStepWhenIdle()
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, &ProjectWindows::EndStepWhenIdle);
        return;
    }
    stepDue_ = false;
    doc_->EndStep();
}

void ProjectWindows::ModifiedChanged(bool modified)
{
    // The plot window's title carries the mark of a project with unsaved changes.
    if (plotFrame_)
        plotFrame_->setWindowModified(modified);
}

} // namespace cw
