#include "app/CommandPrompts.h"

#include "app/AppCommandIds.h"
#include "model/CommandIds.h"

#include <string_view>

namespace cw
{

namespace
{

struct Prompt {
    int id;
    std::string_view text; // status text, then optionally "\n" and the tool tip
};

constexpr Prompt kPrompts[] = {
    {cmd::FileNew, "Create a new speaker project\nNew Project"},
    {cmd::FileOpen, "Open an existing speaker project\nOpen Project"},
    {cmd::FileSave, "Save the active project\nSave Project"},
    {cmd::FileSaveAs, "Save the active project with a new name\nSave As"},
    {cmd::DriverDatabase, "Browse the driver database and load a driver\nDriver Database"},
    {cmd::OpenDriver, "Open an individual driver file"},
    {cmd::SaveDriver, "Save an individual driver file"},
    {cmd::PrintPreview, "Show the system report page as it will print\nPrint Preview"},
    {cmd::PrintSetup, "Change the printer and printing options"},
    {cmd::Print, "Print the system report\nPrint"},
    {cmd::CloseWindow, "Close the active project"},
    {cmd::Exit, "Quit the application; prompts to save projects\nExit"},
    {cmd::Undo, "Undo the last edit\nUndo"},
    {cmd::Cut, "Cut the selection and put it on the Clipboard\nCut"},
    {cmd::Copy, "Copy the selection and put it on the Clipboard\nCopy"},
    {cmd::Paste, "Insert Clipboard contents\nPaste"},
    {cmd::EditSystem, "Edit the driver and the system of the workbench\nEdit System"},
    {cmd::Preferences, "Units, start-up project, plot background, printing and title block"},
    {cmd::ViewToolbar, "Show or hide the toolbar\nToggle Toolbar"},
    {cmd::ViewStatusBar, "Show or hide the status bar\nToggle Status Bar"},
    {cmd::VentCalculators, "Size tube and rectangular vents\nVent Calculators"},
    {cmd::BoxCalculators, "Size rectangular, trapezoidal and bandpass boxes\nBox Calculators"},
    {cmd::CrossoverCalculators, "Crossover and network calculators\nCrossover Calculators"},
    {cmd::ArrangeIcons, "Arrange minimized windows along the bottom"},
    {cmd::HelpTopics, "Open the user manual\nHelp Topics"},
    {cmd::About, "Display program information and version\nAbout"},
    {cmd::FrequencyResponse, "Show or hide the frequency response curves\nFrequency Response"},
    {cmd::ExcursionResponse, "Show or hide the cone excursion curves\nExcursion Response"},
    {cmd::PhaseResponse, "Show or hide the phase curves\nPhase Response"},
    {cmd::GroupDelayResponse, "Show or hide the group delay curves\nGroup Delay Response"},
    {cmd::ImpedanceResponse, "Show or hide the impedance curves\nImpedance Response"},
    {cmd::DbSplMode, "Plot absolute SPL instead of relative dB\ndB SPL Mode"},
    {cmd::ModelEnclosure, "Include the enclosure in the response model\nModel Enclosure Response"},
    {cmd::ModelDiffraction, "Include baffle diffraction loss in the response\nModel Diffraction "
                            "Loss"},
    {cmd::ModelAutoCabin, "Include automobile cabin gain in the response\nModel Auto Cabin "
                          "Response"},
    {cmd::CalculateResponse, "Calculate the response of the workbench system\nCalculate Response"},
    {cmd::ClearAndCalculate, "Clear the plot, then calculate the workbench response"},
    {cmd::ClearDisplay, "Hide every system's curves"},
    {cmd::Redraw, "Redraw the plot"},
    {cmd::ShowWorkbench, "Draw the workbench system response curves\nShow or hide the workbench "
                         "system responses"},
};

std::string Digit(int n)
{
    return std::to_string(n);
}

} // namespace

CommandPrompt PromptOf(int id)
{
    std::string text;
    if (id >= cmd::StoreSys1 && id < cmd::StoreSys1 + 10) {
        text = "Store this speaker system and it's response curves in Memory " +
               Digit(id - cmd::StoreSys1 + 1);
    } else if (id >= cmd::ShowSys1 && id < cmd::ShowSys1 + 10) {
        const std::string n = Digit(id - cmd::ShowSys1 + 1);
        text = "Recall the speaker system and response curves from Memory " + n +
               "\nRecall system " + n + " to the workbench";
    } else if (id >= cmd::ClearSys1 && id < cmd::ClearSys1 + 10) {
        text = "Clear the contents of system " + Digit(id - cmd::ClearSys1 + 1) +
               " (reduces file size)  ";
    } else {
        for (const Prompt& p : kPrompts) {
            if (p.id == id) {
                text = p.text;
                break;
            }
        }
    }
    const auto cut = text.find('\n');
    if (cut == std::string::npos)
        return {text, {}};
    return {text.substr(0, cut), text.substr(cut + 1)};
}

} // namespace cw
