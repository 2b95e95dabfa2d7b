#include "app/CMainFrame.h"

#include "app/AppCommandIds.h"
#include "app/CConewrightApp.h"
#include "app/CPlotWnd.h"
#include "app/CommandRegistry.h"
#include "app/LockKeys.h"
#include "app/ProjectWindows.h"
#include "app/StatusTexts.h"
#include "reports/ui/ReportPrinter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace cw
{

namespace
{

constexpr int kStatusTimerMs = 10000;

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Files the main window takes when dropped: projects and driver files.
bool IsOurFile(const QString& path)
{
    return path.endsWith(".spk", Qt::CaseInsensitive) || path.endsWith(".dvr", Qt::CaseInsensitive);
}

} // namespace

CMainFrame::CMainFrame(CConewrightApp& app) : app_(app), mdi_(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Conewright"));
    setMinimumSize(640, 480);
    setAcceptDrops(true);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->viewport()->installEventFilter(this);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    clock_ = LocalNow;
    CreateMenus();
    CreateToolbar();
    CreateStatusBar();
    CreateAccelerators();

    statusTimer_ = new QTimer(this);
    statusTimer_->setInterval(kStatusTimerMs);
    connect(statusTimer_, &QTimer::timeout, this, &CMainFrame::UpdateClockPanes);
    connect(statusTimer_, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
    statusTimer_->start();
    UpdateClockPanes();
    UpdateLockPanes();
    // A lock key changes its light on release.
    qApp->installEventFilter(this);

    connect(&app_, &CConewrightApp::currentProjectChanged, this, [this] {
        UpdateTitle();
        UpdateToolbar();
    });
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::AddCommand(QMenu* menu, const Command& command)
{
    QAction* action = menu->addAction(Text(command.menuText));
    action->setData(command.id);
    action->setStatusTip(Text(command.status));
    const int id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    menuActions_.push_back(action);
}

QMenu* CMainFrame::AddMenu(QMenu* parent, const QString& title)
{
    QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        OnMenuShown();
        UpdateActions(menu->actions(), true);
    });
    connect(menu, &QMenu::aboutToHide, this, &CMainFrame::OnMenuHidden);
    return menu;
}

void CMainFrame::AddEntries(QMenu* menu, const std::vector<MenuNode>& entries)
{
    for (const MenuNode& entry : entries) {
        switch (entry.kind) {
        case MenuNode::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuNode::Kind::Popup:
            AddEntries(AddMenu(menu, Text(entry.title)), entry.entries);
            break;
        case MenuNode::Kind::Command:
            AddCommand(menu, *CommandRegistry::Instance().Find(entry.id));
            break;
        }
    }
}

void CMainFrame::CreateMenus()
{
    for (const MenuNode& menu : CommandRegistry::Instance().menuBar())
        AddEntries(AddMenu(nullptr, Text(menu.title)), menu.entries);
}

void CMainFrame::CreateToolbar()
{
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(16, 15));
    const CommandRegistry& registry = CommandRegistry::Instance();
    for (int id : registry.toolBar()) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        const Command& command = *registry.Find(id);
        QAction* action = toolBar_->addAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(Text(command.icon))), QString());
        action->setData(id);
        action->setCheckable(true);
        action->setStatusTip(Text(command.status));
        action->setToolTip(Text(command.toolTip.empty() ? command.status : command.toolTip));
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    }
    connect(toolBar_, &QToolBar::visibilityChanged, this, [this] {
        if (app_.currentProject())
            app_.currentProject()->Arrange();
    });
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    auto addPane = [this, bar](const QString& text) {
        auto* pane = new QLabel(text, bar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
        bar->addPermanentWidget(pane);
        panes_.push_back(pane);
        return pane;
    };
    addPane(QStringLiteral("CAP"))->setEnabled(false);
    addPane(QStringLiteral("NUM"))->setEnabled(false);
    addPane(QStringLiteral("SCRL"))->setEnabled(false);
    datePane_ = addPane(QStringLiteral("Date"));
    timePane_ = addPane(QStringLiteral("Time"));
    bar->showMessage(QStringLiteral("Ready"));
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QStringLiteral("Ready"));
    });
}

void CMainFrame::CreateAccelerators()
{
    // One action per command, whatever window of the frame has the focus.
    for (const Command& command : CommandRegistry::Instance().commands()) {
        if (command.keys.empty())
            continue;
        QList<QKeySequence> keys;
        for (const std::string& k : command.keys)
            keys.append(QKeySequence(Text(k), QKeySequence::PortableText));
        auto* action = new QAction(this);
        action->setData(command.id);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        addAction(action);
    }
}

void CMainFrame::Dispatch(int id)
{
    if (!app_.QueryCommand(id).enabled)
        return;
    app_.OnCommand(id);
    UpdateToolbar();
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions, bool fromMenu)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || action->menu() || !action->data().isValid())
            continue;
        const int id = action->data().toInt();
        const CommandState state = app_.QueryCommand(id);
        // The lists of recent files and open projects show their real entries only; while there
        // is no recent file its first line stays, disabled.
        if (IsListEntry(id) && id != cmd::RecentFile1)
            action->setVisible(state.enabled);
        action->setEnabled(state.enabled);
        if (fromMenu)
            action->setCheckable(state.checked);
        action->setChecked(state.checked);
        if (fromMenu && !state.text.empty())
            action->setText(Text(state.text));
    }
}

void CMainFrame::UpdateMenus()
{
    UpdateActions({menuActions_.begin(), menuActions_.end()}, true);
}

void CMainFrame::UpdateToolbar()
{
    if (toolBar_)
        UpdateActions(toolBar_->actions(), false);
}

bool CMainFrame::OnFrameCommand(int id)
{
    switch (id) {
    case cmd::ViewToolbar:
        toolBar_->setVisible(!toolBar_->isVisible());
        break;
    case cmd::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    case cmd::ArrangeIcons:
        ArrangeIcons();
        break;
    case cmd::NextPane:
        mdi_->activateNextSubWindow();
        break;
    case cmd::PreviousPane:
        mdi_->activatePreviousSubWindow();
        break;
    case cmd::NextProject:
    case cmd::PreviousProject:
        ActivateProject(ProjectAfter(id == cmd::NextProject ? 1 : -1));
        break;
    case cmd::Print:
    case cmd::PrintPreview:
    case cmd::PrintSetup:
        PrintCommand(id);
        return true;
    default:
        if (!IsProjectListEntry(id))
            return false;
        ActivateProject(ListedProject(id));
        break;
    }
    if (ProjectWindows* p = app_.currentProject())
        p->Arrange();
    return true;
}

CommandState CMainFrame::QueryFrameCommand(int id) const
{
    if (id == cmd::ViewToolbar)
        return CommandState{true, toolBar_->isVisible(), {}};
    if (id == cmd::ViewStatusBar)
        return CommandState{true, statusBar()->isVisible(), {}};
    if (IsProjectListEntry(id)) {
        ProjectWindows* p = ListedProject(id);
        if (!p)
            return CommandState{false, false, {}};
        return CommandState{true, p == app_.currentProject(),
                            "&" + std::to_string(id - cmd::ProjectList1 + 1) + " " +
                                p->doc().title()};
    }
    return CommandState{};
}

bool CMainFrame::IsProjectListEntry(int id)
{
    return id >= cmd::ProjectList1 && id < cmd::ProjectList1 + cmd::ProjectListCount;
}

bool CMainFrame::IsListEntry(int id)
{
    return IsProjectListEntry(id) ||
           (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount);
}

ProjectWindows* CMainFrame::ListedProject(int id) const
{
    const std::size_t k = static_cast<std::size_t>(id - cmd::ProjectList1);
    const std::vector<ProjectWindows*>& projects = app_.projects();
    return k < projects.size() ? projects[k] : nullptr;
}

ProjectWindows* CMainFrame::ProjectAfter(int step) const
{
    const std::vector<ProjectWindows*>& projects = app_.projects();
    if (projects.empty())
        return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(projects.size());
    const auto at = std::find(projects.begin(), projects.end(), app_.currentProject());
    const std::ptrdiff_t i = at == projects.end() ? 0 : (at - projects.begin() + step + n) % n;
    return projects[static_cast<std::size_t>(i)];
}

void CMainFrame::ActivateProject(ProjectWindows* project)
{
    if (!project || !project->plotFrame())
        return;
    // A project chosen by name or in turn is shown, not left as an icon.
    if (project->plotFrame()->isMinimized())
        project->plotFrame()->showNormal();
    mdi_->setActiveSubWindow(project->plotFrame());
}

void CMainFrame::ArrangeIcons()
{
    // Minimised windows in a row along the bottom of the client area. The open projects' panels
    // fill the bottom band, so the row stands just above it, where no icon covers a panel.
    int bottom = mdi_->viewport()->height();
    if (ProjectWindows* p = app_.currentProject(); p && p->plotFrame()) {
        const PixelRect plot = p->Layout().plot;
        bottom = plot.top + plot.height;
    }
    int x = 0;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        const QPoint place(x, bottom - size.height());
        if (w->pos() != place)
            w->move(place);
        x += size.width();
    }
}

void CMainFrame::SetClock(std::function<std::optional<std::tm>()> clock)
{
    clock_ = std::move(clock);
    UpdateClockPanes();
}

void CMainFrame::UpdateClockPanes()
{
    const std::optional<std::tm> now = clock_();
    const std::optional<std::string> date = now ? FormatStatusDate(*now) : std::nullopt;
    const std::optional<std::string> time = now ? FormatStatusTime(*now) : std::nullopt;
    if (!date || !time) {
        // The panes keep their texts; say it once, not every ten seconds.
        if (!clockWarningShown_) {
            clockWarningShown_ = true;
            QMessageBox::warning(this, QStringLiteral("Conewright"),
                                 QStringLiteral("Please set your computer's clock."));
        }
        return;
    }
    for (auto [pane, text] :
         {std::pair{datePane_, Text(*date)}, std::pair{timePane_, Text(*time)}}) {
        pane->setText(text);
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
    }
}

void CMainFrame::UpdateLockPanes()
{
    const std::optional<LockKeyState> keys = ReadLockKeys();
    if (!keys)
        return;
    panes_[0]->setEnabled(keys->caps);
    panes_[1]->setEnabled(keys->num);
    panes_[2]->setEnabled(keys->scroll);
}

void CMainFrame::OnMenuShown()
{
    // While a menu is open the message pane takes the whole bar, so long help texts fit.
    if (openMenus_++ == 0) {
        for (QLabel* pane : panes_)
            pane->hide();
    }
}

void CMainFrame::OnMenuHidden()
{
    if (openMenus_ > 0 && --openMenus_ == 0) {
        for (QLabel* pane : panes_)
            pane->show();
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    auto* frame = qobject_cast<CChildFrame*>(window);
    if (!frame || frame->project().closing())
        return;
    ProjectWindows& project = frame->project();
    if (auto* plot = qobject_cast<CPlotWnd*>(frame)) {
        plot->UpdateTitle();
        if (lastActivated_ != &project)
            project.RaiseCompanions();
    }
    lastActivated_ = &project;
    app_.SetCurrentProject(&project);
    UpdateToolbar();
}

void CMainFrame::UpdateTitle()
{
    const CSpkSysDoc* doc = app_.currentDoc();
    setWindowTitle(doc ? QStringLiteral("Conewright - %1").arg(Text(doc->title()))
                       : QStringLiteral("Conewright"));
}

void CMainFrame::RememberGeometry()
{
    if (isMinimized() || isMaximized() || isFullScreen())
        return;
    const QRect r = geometry();
    app_.settings().mainWindow = {r.left(), r.top(), r.width(), r.height()};
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    RememberGeometry();
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    RememberGeometry();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The accelerator table comes before the window that has the focus: an edit field would
    // otherwise keep Ctrl+A, the Shift+digit keys and the clipboard keys for itself. A key that
    // is no accelerator still reaches the field.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateLockPanes();
    }
    // The current project's windows keep their places whenever the client area changes or
    // paints.
    if (watched == mdi_->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Paint)) {
        if (ProjectWindows* p = app_.currentProject())
            p->Arrange();
        ArrangeIcons();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!app_.CloseAllProjects()) {
        event->ignore();
        return;
    }
    app_.SaveSettings();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && IsOurFile(url.toLocalFile())) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && IsOurFile(url.toLocalFile()))
            app_.OpenDroppedFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}

} // namespace cw
