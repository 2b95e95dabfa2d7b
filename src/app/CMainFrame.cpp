#include "app/CMainFrame.h"

#include "app/AppCommandIds.h"
#include "app/CConewrightApp.h"
#include "app/CPlotWnd.h"
#include "app/CommandPrompts.h"
#include "app/LockKeys.h"
#include "app/ProjectWindows.h"
#include "app/StatusTexts.h"
#include "model/CommandIds.h"
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

constexpr MenuEntry kDbScales[] = {{cmd::Db05, "0.5 dB"},
                                   {cmd::Db1, "1 dB"},
                                   {cmd::Db2, "2 dB"},
                                   {cmd::Db3, "3 dB"},
                                   {cmd::Db5, "5 dB"}};
constexpr MenuEntry kExcursionScales[] = {{cmd::Exc15, "1.5 mm"}, {cmd::Exc3, "3 mm"},
                                          {cmd::Exc75, "7.5 mm"}, {cmd::Exc15mm, "15 mm"},
                                          {cmd::Exc30, "30 mm"},  {cmd::Exc75mm, "75 mm"}};
constexpr MenuEntry kPhaseScales[] = {{cmd::Phase0To450, "     0 to 450 degrees"},
                                      {cmd::PhaseMinus180To495, "-180 to 495 degrees"}};
constexpr MenuEntry kDelayScales[] = {{cmd::Delay15, "1.5 msec"}, {cmd::Delay3, "3 msec"},
                                      {cmd::Delay75, "7.5 msec"}, {cmd::Delay15ms, "15 msec"},
                                      {cmd::Delay30, "30 msec"},  {cmd::Delay75ms, "75 msec"}};
constexpr MenuEntry kImpedanceScales[] = {{cmd::Imp15, "15 Ohms"},
                                          {cmd::Imp30, "30 Ohms"},
                                          {cmd::Imp75, "75 Ohms"},
                                          {cmd::Imp150, "150 Ohms"},
                                          {cmd::Imp300, "300 Ohms"}};
constexpr MenuEntry kHighLimits[] = {
    {32851, "100 kHz"}, {32852, "50 kHz"}, {32853, "20 kHz"}, {32860, "10 kHz"}, {32865, "5 kHz"},
    {32872, "2 kHz"},   {32873, "1 kHz"},  {32874, "500 Hz"}, {32875, "200 Hz"}, {32876, "100 Hz"},
    {32877, "50 Hz"},   {32879, "20 Hz"},  {32878, "10 Hz"}};
constexpr MenuEntry kLowLimits[] = {
    {32884, "10 kHz"}, {32883, "5 kHz"},  {32882, "2 kHz"}, {32881, "1 kHz"}, {32880, "500 Hz"},
    {32813, "200 Hz"}, {32814, "100 Hz"}, {32815, "50 Hz"}, {32816, "20 Hz"}, {32817, "10 Hz"},
    {32818, "5 Hz"},   {32822, "2 Hz"},   {32833, "1 Hz"}};

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

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setStatusTip(Text(PromptOf(id).status));
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    menuActions_.push_back(action);
    return action;
}

template <std::size_t N> void CMainFrame::AddCommands(QMenu* menu, const MenuEntry (&entries)[N])
{
    for (const MenuEntry& e : entries)
        AddCommand(menu, e.id, e.text);
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

void CMainFrame::CreateMenus()
{
    QMenu* file = AddMenu(nullptr, "&File");
    AddCommand(file, cmd::FileNew, "&New\tCtrl+N");
    AddCommand(file, cmd::FileOpen, "&Open\tCtrl+O");
    file->addSeparator();
    AddCommand(file, cmd::FileSave, "&Save\tCtrl+S");
    AddCommand(file, cmd::FileSaveAs, "Save &As...");
    file->addSeparator();
    AddCommand(file, cmd::DriverDatabase, "Open &Driver Database...\tCtrl+D");
    AddCommand(file, cmd::OpenDriver, "Open D&river...");
    AddCommand(file, cmd::SaveDriver, "Save Dr&iver...");
    file->addSeparator();
    AddCommand(file, cmd::PrintPreview, "Print Pre&view");
    AddCommand(file, cmd::PrintSetup, "P&rint Setup...");
    AddCommand(file, cmd::Print, "&Print...\tCtrl+P");
    file->addSeparator();
    AddCommand(file, cmd::CloseWindow, "Close &Window\tCtrl+W");
    file->addSeparator();
    for (int k = 0; k < cmd::RecentFileCount; ++k)
        AddCommand(file, cmd::RecentFile1 + k, "Recent File");
    file->addSeparator();
    AddCommand(file, cmd::Exit, "E&xit\tCtrl+Q");

    QMenu* edit = AddMenu(nullptr, "&Edit");
    AddCommand(edit, cmd::Undo, "&Undo\tCtrl+Z");
    edit->addSeparator();
    AddCommand(edit, cmd::Cut, "Cu&t\tCtrl+X");
    AddCommand(edit, cmd::Copy, "&Copy\tCtrl+C");
    AddCommand(edit, cmd::Paste, "&Paste\tCtrl+V");
    edit->addSeparator();
    AddCommand(edit, cmd::EditSystem, "Edit &System\tCtrl+A");
    edit->addSeparator();
    AddCommand(edit, cmd::Preferences, "Preferences");

    QMenu* analysis = AddMenu(nullptr, "&Analysis");
    AddCommand(analysis, cmd::CalculateResponse, "Calculate &Response\tCtrl+F");
    AddCommand(analysis, cmd::ClearAndCalculate, "Clear && &Calculate Response\tCtrl+G");
    analysis->addSeparator();
    AddCommand(analysis, cmd::ModelEnclosure, "Model &Enclosure Response\tCtrl+E");
    AddCommand(analysis, cmd::ModelDiffraction, "Model &Diffraction Loss\tCtrl+R");
    AddCommand(analysis, cmd::ModelAutoCabin, "Model &Auto Cabin Response\tCtrl+T");
    analysis->addSeparator();
    AddCommand(analysis, cmd::FrequencyResponse, "&Frequency Response\tCtrl+H");
    AddCommand(analysis, cmd::ExcursionResponse, "E&xcursion Response\tCtrl+J");
    AddCommand(analysis, cmd::PhaseResponse, "&Phase Response\tCtrl+K");
    AddCommand(analysis, cmd::GroupDelayResponse, "&Group Delay Response\tCtrl+L");
    AddCommand(analysis, cmd::ImpedanceResponse, "&Impedance Response\tCtrl+;");
    analysis->addSeparator();
    AddCommand(analysis, cmd::DbSplMode, "dB &SPL Mode");
    analysis->addSeparator();
    AddCommands(AddMenu(analysis, "dB per division ="), kDbScales);
    AddCommands(AddMenu(analysis, "Excursion Range ="), kExcursionScales);
    AddCommands(AddMenu(analysis, "Phase Range ="), kPhaseScales);
    AddCommands(AddMenu(analysis, "Delay Range ="), kDelayScales);
    AddCommands(AddMenu(analysis, "Impedance Range ="), kImpedanceScales);

    QMenu* display = AddMenu(nullptr, "&Display");
    AddCommand(display, cmd::ClearDisplay, "&Clear Display\tCtrl+E");
    AddCommand(display, cmd::Redraw, "&Redraw\tCtrl+R");
    display->addSeparator();
    QMenu* store = AddMenu(display, "Store System");
    QMenu* show = AddMenu(display, "Show/Hide Systems");
    QMenu* clear = AddMenu(display, "Clear System");
    AddCommand(show, cmd::ShowWorkbench, "Show Workbench\t Ctrl+B");
    for (int n = 1; n <= 10; ++n) {
        const int digit = n % 10;
        AddCommand(store, cmd::StoreSys1 + n - 1,
                   QStringLiteral("Store workbench in Sys %1\t Alt+%2").arg(n).arg(digit));
        AddCommand(show, cmd::ShowSys1 + n - 1,
                   QStringLiteral("Show System %1\t Ctrl+%2").arg(n).arg(digit));
        AddCommand(clear, cmd::ClearSys1 + n - 1,
                   QStringLiteral("Clear System %1\t Shift+%2").arg(n).arg(digit));
    }
    display->addSeparator();
    AddCommands(AddMenu(display, "High Freq Limit"), kHighLimits);
    AddCommands(AddMenu(display, "Low Freq Limit"), kLowLimits);
    display->addSeparator();
    AddCommand(display, cmd::ViewToolbar, "&Toolbar");
    AddCommand(display, cmd::ViewStatusBar, "&Status Bar");

    QMenu* vent = AddMenu(nullptr, "&Vent");
    AddCommand(vent, cmd::VentCalculators, "&Vent Calculators...");

    QMenu* box = AddMenu(nullptr, "&Box");
    AddCommand(box, cmd::Box2OCB, "2nd Order Closed Box");
    AddCommand(box, cmd::Box3OCB, "3rd Order Closed Box");
    AddCommand(box, cmd::Box4OVB, "4th Order Vented Box");
    AddCommand(box, cmd::Box4OSBP, "4th Order Symmetric Bandpass Box");
    AddCommand(box, cmd::Box5OABP, "5th Order Asymmetric Bandpass Box");
    AddCommand(box, cmd::Box6OSBP, "6th Order Symmetric Bandpass Box");
    box->addSeparator();
    AddCommand(box, cmd::BoxCalculators, "Box Calculators...\tCtrl+B");

    QMenu* crossover = AddMenu(nullptr, "&Crossover");
    AddCommand(crossover, cmd::CrossoverCalculators, "Crossover Calculators...");

    QMenu* window = AddMenu(nullptr, "&Window");
    AddCommand(window, cmd::ArrangeIcons, "&Arrange Icons");

    QMenu* help = AddMenu(nullptr, "&Help");
    AddCommand(help, cmd::HelpTopics, "&Help Topics");
    help->addSeparator();
    AddCommand(help, cmd::About, "&About Conewright");
}

void CMainFrame::CreateToolbar()
{
    struct Button {
        int id;
        const char* icon;
    };
    // 0 stands for a separator.
    static constexpr Button kButtons[] = {
        {cmd::ModelEnclosure, "model-enclosure"},
        {cmd::ModelDiffraction, "model-diffraction"},
        {cmd::ModelAutoCabin, "model-autocabin"},
        {0, nullptr},
        {cmd::DriverDatabase, "driver-database"},
        {0, nullptr},
        {cmd::EditSystem, "edit-system"},
        {cmd::DbSplMode, "spl-mode"},
        {0, nullptr},
        {cmd::FrequencyResponse, "response-frequency"},
        {cmd::ExcursionResponse, "response-excursion"},
        {cmd::PhaseResponse, "response-phase"},
        {cmd::GroupDelayResponse, "response-delay"},
        {cmd::ImpedanceResponse, "response-impedance"},
        {0, nullptr},
        {cmd::ShowWorkbench, "show-workbench"},
        {cmd::ShowSys1 + 0, "sys1"},
        {cmd::ShowSys1 + 1, "sys2"},
        {cmd::ShowSys1 + 2, "sys3"},
        {cmd::ShowSys1 + 3, "sys4"},
        {cmd::ShowSys1 + 4, "sys5"},
        {cmd::ShowSys1 + 5, "sys6"},
        {cmd::ShowSys1 + 6, "sys7"},
        {cmd::ShowSys1 + 7, "sys8"},
        {cmd::ShowSys1 + 8, "sys9"},
        {cmd::ShowSys1 + 9, "sys10"},
        {0, nullptr},
        {cmd::VentCalculators, "calc-vent"},
        {cmd::BoxCalculators, "calc-box"},
        {cmd::CrossoverCalculators, "calc-crossover"},
    };
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(16, 15));
    for (const Button& b : kButtons) {
        if (b.id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        const CommandPrompt prompt = PromptOf(b.id);
        QAction* action =
            toolBar_->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(b.icon)), QString());
        action->setData(b.id);
        action->setCheckable(true);
        action->setStatusTip(Text(prompt.status));
        action->setToolTip(Text(prompt.toolTip.empty() ? prompt.status : prompt.toolTip));
        const int id = b.id;
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
    struct Key {
        QKeySequence keys;
        int id;
    };
    std::vector<Key> table;
    for (int n = 1; n <= 10; ++n) {
        const QString digit = QString::number(n % 10);
        table.push_back({QKeySequence("Ctrl+" + digit), cmd::ShowSys1 + n - 1});
        table.push_back({QKeySequence("Alt+" + digit), cmd::StoreSys1 + n - 1});
        table.push_back({QKeySequence("Shift+" + digit), cmd::ClearSys1 + n - 1});
    }
    const Key fixed[] = {
        {QKeySequence("Ctrl+A"), cmd::EditSystem},
        {QKeySequence("Ctrl+B"), cmd::BoxCalculators},
        {QKeySequence("Ctrl+C"), cmd::Copy},
        {QKeySequence("Ctrl+Ins"), cmd::Copy},
        {QKeySequence("Ctrl+D"), cmd::DriverDatabase},
        {QKeySequence("Ctrl+E"), cmd::ClearDisplay},
        {QKeySequence("Ctrl+F"), cmd::CalculateResponse},
        {QKeySequence("Ctrl+G"), cmd::ClearAndCalculate},
        {QKeySequence("Ctrl+H"), cmd::FrequencyResponse},
        {QKeySequence("Ctrl+J"), cmd::ExcursionResponse},
        {QKeySequence("Ctrl+K"), cmd::PhaseResponse},
        {QKeySequence("Ctrl+L"), cmd::GroupDelayResponse},
        {QKeySequence("Ctrl+;"), cmd::ImpedanceResponse},
        {QKeySequence("Ctrl+N"), cmd::FileNew},
        {QKeySequence("Ctrl+O"), cmd::FileOpen},
        {QKeySequence("Ctrl+P"), cmd::Print},
        {QKeySequence("Ctrl+Q"), cmd::Exit},
        {QKeySequence("Ctrl+R"), cmd::Redraw},
        {QKeySequence("Ctrl+S"), cmd::FileSave},
        {QKeySequence("Ctrl+V"), cmd::Paste},
        {QKeySequence("Shift+Ins"), cmd::Paste},
        {QKeySequence("Ctrl+W"), cmd::CloseWindow},
        {QKeySequence("Ctrl+X"), cmd::Cut},
        {QKeySequence("Shift+Del"), cmd::Cut},
        {QKeySequence("Ctrl+Z"), cmd::Undo},
        {QKeySequence("Alt+Backspace"), cmd::Undo},
        {QKeySequence("F1"), cmd::HelpCurrentTask},
        {QKeySequence("Shift+F1"), cmd::HelpClickedItem},
        {QKeySequence("F6"), cmd::NextPane},
        {QKeySequence("Shift+F6"), cmd::PreviousPane},
    };
    table.insert(table.end(), std::begin(fixed), std::end(fixed));
    for (const Key& k : table) {
        auto* action = new QAction(this);
        action->setShortcut(k.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = k.id;
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
        const CommandState state = app_.QueryCommand(action->data().toInt());
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
        ArrangeIconsCommand();
        break;
    case cmd::NextPane:
        mdi_->activateNextSubWindow();
        break;
    case cmd::PreviousPane:
        mdi_->activatePreviousSubWindow();
        break;
    case cmd::Print:
    case cmd::PrintPreview:
    case cmd::PrintSetup:
        PrintCommand(id);
        return true;
    default:
        return false;
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
    return CommandState{};
}

void CMainFrame::ArrangeIconsCommand()
{
    // Minimised windows in a row along the bottom of the client area.
    int x = 0;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        w->move(x, mdi_->viewport()->height() - size.height());
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
