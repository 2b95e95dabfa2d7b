#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cw
{

// Who carries a command out: the current project document, the application object, the main
// frame, or the current project's plot view (printing, which the frame hands on).
enum class CommandOwner { Document, Application, Frame, View };

// One command of the menus, the tool bar and the accelerator table.
struct Command {
    int id;
    CommandOwner owner;
    // As the menu shows it; a key written after the tab is a label only. Empty: no menu entry.
    std::string menuText = {};
    // The accelerators that run it, in portable text ("Ctrl+Ins").
    std::vector<std::string> keys = {};
    std::string icon = {};    // the tool-bar button's image; empty: no button
    std::string status = {};  // the fly-by text in the status bar
    std::string toolTip = {}; // empty: none of its own
};

// An entry of a menu: a command, a separator line or a popup with its own entries.
struct MenuNode {
    enum class Kind { Command, Separator, Popup };
    Kind kind;
    int id = 0;                         // Command
    std::string title = {};             // Popup
    std::vector<MenuNode> entries = {}; // Popup
};

// Every command of the program, described once; the main frame builds its menus, tool bar,
// accelerators and prompts from it. Adding a command is one entry in CommandRegistry.cpp.
class CommandRegistry
{
public:
    static const CommandRegistry& Instance();

    const std::vector<Command>& commands() const { return commands_; }
    // The command of an id or of an accelerator ("Ctrl+W"), or null.
    const Command* Find(int id) const;
    const Command* FindByKey(std::string_view key) const;

    // The menu bar: one popup per menu, in order.
    const std::vector<MenuNode>& menuBar() const { return menuBar_; }
    // The tool-bar buttons in order; 0 stands for a separator.
    const std::vector<int>& toolBar() const { return toolBar_; }

private:
    CommandRegistry();

    std::vector<Command> commands_;
    std::vector<MenuNode> menuBar_;
    std::vector<int> toolBar_;
};

} // namespace cw
