#include "app/CommandRegistry.h"

#include "app/AppCommandIds.h"
#include "model/BoxType.h"
#include "model/CommandIds.h"
#include "model/ScaleChoices.h"

#include <algorithm>
#include <span>
#include <utility>

namespace cw
{

namespace
{

// One row of the command table: the start of a menu or popup, the end of a popup, a separator,
// a command, or a popup with the choices of a scale table. Rows come in menu order.
struct Row {
    enum class Kind { Menu, Popup, End, Separator, NoMenu, Command, Choices };
    Kind kind;
    int id = 0;
    CommandOwner owner = CommandOwner::Document;
    std::string_view text = {};   // menu text, or the title of a menu or popup
    std::string_view prompt = {}; // status text, then optionally "\n" and the tool tip
    std::string_view keys = {};   // accelerators, ", " between two
    std::string_view icon = {};
    int toolGroup = 0; // tool-bar buttons of one group stand together, between separators
    int count = 1;     // a run of commands with consecutive ids (Sys 1 to Sys 10)
    std::span<const ScaleChoice> choices = {};

    Row Keys(std::string_view k) const
    {
        Row r = *this;
        r.keys = k;
        return r;
    }
    Row Button(int group, std::string_view image) const
    {
        Row r = *this;
        r.toolGroup = group;
        r.icon = image;
        return r;
    }
    // In the texts of a run, %1 stands for the number 1.., %2 for its last digit.
    Row Run(int n) const
    {
        Row r = *this;
        r.count = n;
        return r;
    }
};

Row Menu(std::string_view title)
{
    return Row{.kind = Row::Kind::Menu, .text = title};
}
Row Popup(std::string_view title)
{
    return Row{.kind = Row::Kind::Popup, .text = title};
}
Row End()
{
    return Row{.kind = Row::Kind::End};
}
Row Separator()
{
    return Row{.kind = Row::Kind::Separator};
}
// The commands after it have keys but no menu entry.
Row NoMenu()
{
    return Row{.kind = Row::Kind::NoMenu};
}
// A popup of scale choices.
Row Choices(std::string_view title, std::span<const ScaleChoice> choices)
{
    return Row{.kind = Row::Kind::Choices, .text = title, .choices = choices};
}
Row Cmd(int id, CommandOwner owner, std::string_view text, std::string_view prompt = {})
{
    return Row{
        .kind = Row::Kind::Command, .id = id, .owner = owner, .text = text, .prompt = prompt};
}
Row BoxTypeCmd(BoxType type)
{
    return Cmd(cmd::kBoxTypeIds[static_cast<int>(type)], CommandOwner::Document, BoxTypeName(type));
}

// The tool-bar groups, left to right.
enum ToolGroup {
    kModelGroup = 1,
    kDatabaseGroup,
    kEditGroup,
    kResponseGroup,
    kSystemGroup,
    kCalculatorGroup
};

std::vector<Row> Rows()
{
    using enum CommandOwner;
    return {
        Menu("&File"),
        Cmd(cmd::FileNew, Application, "&New\tCtrl+N", "Create a new speaker project\nNew Project")
            .Keys("Ctrl+N"),
        Cmd(cmd::FileOpen, Application, "&Open\tCtrl+O",
            "Open an existing speaker project\nOpen Project")
            .Keys("Ctrl+O"),
        Separator(),
        Cmd(cmd::FileSave, Application, "&Save\tCtrl+S", "Save the active project\nSave Project")
            .Keys("Ctrl+S"),
        Cmd(cmd::FileSaveAs, Application, "Save &As...",
            "Save the active project with a new name\nSave As"),
        Separator(),
        Cmd(cmd::DriverDatabase, Application, "Open &Driver Database...\tCtrl+D",
            "Browse the driver database and load a driver\nDriver Database")
            .Keys("Ctrl+D")
            .Button(kDatabaseGroup, "driver-database"),
        Cmd(cmd::OpenDriver, Application, "Open D&river...", "Open an individual driver file"),
        Cmd(cmd::SaveDriver, Application, "Save Dr&iver...", "Save an individual driver file"),
        Separator(),
        Cmd(cmd::ImportMeasuredCurve, Application, "Import &Measured Curve...",
            "Overlay a measured response (FRD) or impedance (ZMA) on the plot"),
        Cmd(cmd::MeasuredCurves, Application, "Measured C&urves...",
            "Show, hide, rename, offset or remove the project's measured curves"),
        Separator(),
        Cmd(cmd::PrintPreview, View, "Print Pre&view",
            "Show the system report page as it will print\nPrint Preview"),
        Cmd(cmd::PrintSetup, Frame, "P&rint Setup...", "Change the printer and printing options"),
        Cmd(cmd::Print, View, "&Print...\tCtrl+P", "Print the system report\nPrint").Keys("Ctrl+P"),
        Separator(),
        Cmd(cmd::CloseWindow, Application, "Close &Window\tCtrl+W", "Close the active project")
            .Keys("Ctrl+W"),
        Separator(),
        Cmd(cmd::RecentFile1, Application, "Recent File").Run(cmd::RecentFileCount),
        Separator(),
        Cmd(cmd::Exit, Application, "E&xit\tCtrl+Q",
            "Quit the application; prompts to save projects\nExit")
            .Keys("Ctrl+Q"),

        Menu("&Edit"),
        Cmd(cmd::Undo, Application, "&Undo\tCtrl+Z", "Undo the last edit\nUndo")
            .Keys("Ctrl+Z, Alt+Backspace"),
        Cmd(cmd::Redo, Application, "&Redo\tCtrl+Y", "Redo the last undone edit\nRedo")
            .Keys("Ctrl+Shift+Z, Ctrl+Y"),
        Separator(),
        Cmd(cmd::Cut, Application, "Cu&t\tCtrl+X",
            "Cut the selection and put it on the Clipboard\nCut")
            .Keys("Ctrl+X, Shift+Del"),
        Cmd(cmd::Copy, Application, "&Copy\tCtrl+C",
            "Copy the selection and put it on the Clipboard\nCopy")
            .Keys("Ctrl+C, Ctrl+Ins"),
        Cmd(cmd::Paste, Application, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste")
            .Keys("Ctrl+V, Shift+Ins"),
        Separator(),
        Cmd(cmd::EditSystem, Application, "Edit &System\tCtrl+A",
            "Open the system editor\nOpen system editor")
            .Keys("Ctrl+A")
            .Button(kEditGroup, "edit-system"),
        Separator(),
        Cmd(cmd::Preferences, Application, "Preferences",
            "Units, start-up project, plot background, printing and title block"),

        Menu("&Analysis"),
        Cmd(cmd::CalculateResponse, Document, "Calculate &Response\tCtrl+F",
            "Calculate the response of the workbench system\nCalculate Response")
            .Keys("Ctrl+F"),
        Cmd(cmd::ClearAndCalculate, Document, "Clear && &Calculate Response\tCtrl+G",
            "Clear the plot, then calculate the workbench response")
            .Keys("Ctrl+G"),
        Cmd(cmd::ShowLimits, Application, "Show &Limits\tCtrl+Shift+L",
            "Show how loud the shown systems can play and which limit binds\nShow Limits")
            .Keys("Ctrl+Shift+L")
            .Button(kResponseGroup, "limits"),
        Cmd(cmd::FitDriver, Application, "Fi&t Driver from Impedance...",
            "Fit the driver's parameters from its measured impedance"),
        Separator(),
        // The keys written beside the three model toggles are labels only: Ctrl+E and Ctrl+R
        // belong to Clear Display and Redraw, and Ctrl+T does nothing.
        Cmd(cmd::ModelEnclosure, Document, "Model &Enclosure Response\tCtrl+E",
            "Include the enclosure in the response model\nModel Enclosure Response")
            .Button(kModelGroup, "model-enclosure"),
        Cmd(cmd::ModelDiffraction, Document, "Model &Diffraction Loss\tCtrl+R",
            "Include baffle diffraction loss in the response\nModel Diffraction Loss")
            .Button(kModelGroup, "model-diffraction"),
        Cmd(cmd::ModelAutoCabin, Document, "Model &Auto Cabin Response\tCtrl+T",
            "Include automobile cabin gain in the response\nModel Auto Cabin Response")
            .Button(kModelGroup, "model-autocabin"),
        Separator(),
        Cmd(cmd::FrequencyResponse, Document, "&Frequency Response\tCtrl+H",
            "Show or hide the frequency response curves\nFrequency Response")
            .Keys("Ctrl+H")
            .Button(kResponseGroup, "response-frequency"),
        Cmd(cmd::ExcursionResponse, Document, "E&xcursion Response\tCtrl+J",
            "Show or hide the cone excursion curves\nExcursion Response")
            .Keys("Ctrl+J")
            .Button(kResponseGroup, "response-excursion"),
        Cmd(cmd::PhaseResponse, Document, "&Phase Response\tCtrl+K",
            "Show or hide the phase curves\nPhase Response")
            .Keys("Ctrl+K")
            .Button(kResponseGroup, "response-phase"),
        Cmd(cmd::GroupDelayResponse, Document, "&Group Delay Response\tCtrl+L",
            "Show or hide the group delay curves\nGroup Delay Response")
            .Keys("Ctrl+L")
            .Button(kResponseGroup, "response-delay"),
        Cmd(cmd::ImpedanceResponse, Document, "&Impedance Response\tCtrl+;",
            "Show or hide the impedance curves\nImpedance Response")
            .Keys("Ctrl+;")
            .Button(kResponseGroup, "response-impedance"),
        Separator(),
        Cmd(cmd::DbSplMode, Document, "dB &SPL Mode",
            "Plot absolute SPL instead of relative dB\ndB SPL Mode")
            .Button(kEditGroup, "spl-mode"),
        Separator(),
        Choices("dB per division =", kDbChoices),
        Choices("Excursion Range =", kExcursionChoices),
        Choices("Phase Range =", kPhaseChoices),
        Choices("Delay Range =", kDelayChoices),
        Choices("Impedance Range =", kImpedanceChoices),

        Menu("&Display"),
        Cmd(cmd::ClearDisplay, Document, "&Clear Display\tCtrl+E", "Hide every system's curves")
            .Keys("Ctrl+E"),
        Cmd(cmd::Redraw, Document, "&Redraw\tCtrl+R", "Redraw the plot").Keys("Ctrl+R"),
        Separator(),
        Popup("Store System"),
        Cmd(cmd::StoreSys1, Document, "Store workbench in Sys %1\t Alt+%2",
            "Store this speaker system and it's response curves in Memory %1")
            .Keys("Alt+%2")
            .Run(10),
        End(),
        Popup("Show/Hide Systems"),
        // Ctrl+B beside Show Workbench is a label only: the key opens the box calculators.
        Cmd(cmd::ShowWorkbench, Document, "Show Workbench\t Ctrl+B",
            "Draw the workbench system response curves\nShow or hide the workbench system "
            "responses")
            .Button(kSystemGroup, "show-workbench"),
        Cmd(cmd::ShowSys1, Document, "Show System %1\t Ctrl+%2",
            "Recall the speaker system and response curves from Memory %1\nRecall system %1 to "
            "the workbench")
            .Keys("Ctrl+%2")
            .Button(kSystemGroup, "sys%1")
            .Run(10),
        End(),
        Popup("Clear System"),
        Cmd(cmd::ClearSys1, Document, "Clear System %1\t Shift+%2",
            "Clear the contents of system %1 (reduces file size)  ")
            .Keys("Shift+%2")
            .Run(10),
        End(),
        Separator(),
        Cmd(cmd::CompareSystems, Application, "C&ompare Systems...",
            "Compare the stored designs side by side in a table\nCompare Systems")
            .Button(kSystemGroup, "compare-systems"),
        Separator(),
        Choices("High Freq Limit", kHighLimits),
        Choices("Low Freq Limit", kLowLimits),
        Separator(),
        Cmd(cmd::ViewToolbar, Frame, "&Toolbar", "Show or hide the toolbar\nToggle Toolbar"),
        Cmd(cmd::ViewStatusBar, Frame, "&Status Bar",
            "Show or hide the status bar\nToggle Status Bar"),

        Menu("&Vent"),
        Cmd(cmd::VentCalculators, Application, "&Vent Calculators...",
            "Size tube and rectangular vents\nVent Calculators")
            .Button(kCalculatorGroup, "calc-vent"),

        Menu("&Box"),
        BoxTypeCmd(BoxType::Closed2),
        BoxTypeCmd(BoxType::Closed3),
        BoxTypeCmd(BoxType::Vented4),
        BoxTypeCmd(BoxType::Bandpass4),
        BoxTypeCmd(BoxType::Bandpass5),
        BoxTypeCmd(BoxType::Bandpass6),
        BoxTypeCmd(BoxType::Radiator),
        Separator(),
        Cmd(cmd::BoxCalculators, Application, "Box Calculators...\tCtrl+B",
            "Size rectangular, trapezoidal and bandpass boxes\nBox Calculators")
            .Keys("Ctrl+B")
            .Button(kCalculatorGroup, "calc-box"),

        Menu("&Crossover"),
        Cmd(cmd::CrossoverCalculators, Application, "Crossover Calculators...",
            "Crossover and network calculators\nCrossover Calculators")
            .Button(kCalculatorGroup, "calc-crossover"),

        Menu("&Window"),
        Cmd(cmd::ArrangeIcons, Frame, "&Arrange Icons",
            "Arrange minimized windows along the bottom"),
        Separator(),
        // The open projects; the frame gives each entry its project's title.
        Cmd(cmd::ProjectList1, Frame, "&%1", "Activate this project").Run(cmd::ProjectListCount),

        Menu("&Help"),
        Cmd(cmd::HelpTopics, Application, "&Help Topics", "Open the user manual\nHelp Topics"),
        Separator(),
        Cmd(cmd::About, Application, "&About Conewright",
            "Display program information and version\nAbout"),

        NoMenu(),
        Cmd(cmd::HelpCurrentTask, Application, {}).Keys("F1"),
        Cmd(cmd::HelpClickedItem, Application, {}).Keys("Shift+F1"),
        Cmd(cmd::NextPane, Frame, {}).Keys("F6"),
        Cmd(cmd::PreviousPane, Frame, {}).Keys("Shift+F6"),
        Cmd(cmd::NextProject, Frame, {}, "Go to the next project").Keys("Ctrl+F6"),
        Cmd(cmd::PreviousProject, Frame, {}, "Go to the previous project").Keys("Ctrl+Shift+F6"),
    };
}

// The text of the n-th command of a run.
std::string Expand(std::string_view pattern, int n)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += std::to_string(pattern[i + 1] == '1' ? n : n % 10);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::vector<std::string> SplitKeys(const std::string& keys)
{
    std::vector<std::string> list;
    std::size_t start = 0;
    while (start < keys.size()) {
        const std::size_t comma = keys.find(", ", start);
        const std::size_t end = comma == std::string::npos ? keys.size() : comma;
        list.push_back(keys.substr(start, end - start));
        start = end + 2;
    }
    return list;
}

} // namespace

const CommandRegistry& CommandRegistry::Instance()
{
    static const CommandRegistry registry;
    return registry;
}

CommandRegistry::CommandRegistry()
{
    // The menu being filled, then its open popups; nothing while the rows have no menu.
    std::vector<MenuNode*> open;
    std::vector<std::pair<int, int>> buttons; // group, id
    auto addCommand = [&](Command command, int toolGroup) {
        if (!open.empty() && !command.menuText.empty())
            open.back()->entries.push_back({.kind = MenuNode::Kind::Command, .id = command.id});
        if (toolGroup != 0)
            buttons.emplace_back(toolGroup, command.id);
        commands_.push_back(std::move(command));
    };
    auto openPopup = [&](std::string_view title) {
        open.back()->entries.push_back(
            {.kind = MenuNode::Kind::Popup, .title = std::string(title)});
        open.push_back(&open.back()->entries.back());
    };

    for (const Row& row : Rows()) {
        switch (row.kind) {
        case Row::Kind::Menu:
            menuBar_.push_back({.kind = MenuNode::Kind::Popup, .title = std::string(row.text)});
            open = {&menuBar_.back()};
            break;
        case Row::Kind::Popup:
            openPopup(row.text);
            break;
        case Row::Kind::End:
            open.pop_back();
            break;
        case Row::Kind::Separator:
            open.back()->entries.push_back({.kind = MenuNode::Kind::Separator});
            break;
        case Row::Kind::NoMenu:
            open.clear();
            break;
        case Row::Kind::Choices:
            openPopup(row.text);
            for (const ScaleChoice& c : row.choices) {
                addCommand(
                    {.id = c.id, .owner = CommandOwner::Document, .menuText = std::string(c.text)},
                    0);
            }
            open.pop_back();
            break;
        case Row::Kind::Command:
            for (int n = 1; n <= row.count; ++n) {
                const std::string prompt = Expand(row.prompt, n);
                const std::size_t cut = prompt.find('\n');
                Command command{row.id + n - 1,
                                row.owner,
                                Expand(row.text, n),
                                SplitKeys(Expand(row.keys, n)),
                                Expand(row.icon, n),
                                prompt.substr(0, cut),
                                cut == std::string::npos ? std::string() : prompt.substr(cut + 1)};
                addCommand(std::move(command), row.toolGroup);
            }
            break;
        }
    }

    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0 && buttons[i].first != buttons[i - 1].first)
            toolBar_.push_back(0);
        toolBar_.push_back(buttons[i].second);
    }
}

const Command* CommandRegistry::Find(int id) const
{
    for (const Command& c : commands_) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

const Command* CommandRegistry::FindByKey(std::string_view key) const
{
    for (const Command& c : commands_) {
        if (std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end())
            return &c;
    }
    return nullptr;
}

} // namespace cw
