#pragma once

// Command ids of the application, the main frame and the plot view (the document's own are in
// model/CommandIds.h). The numbers are the classic framework ids, kept so that the menu
// resources of earlier versions still match.
namespace cw::cmd
{

// File
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int DriverDatabase = 32774;
inline constexpr int PrintPreview = 57609;
inline constexpr int PrintSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int CloseWindow = 32778;
inline constexpr int RecentFile1 = 57616; // the recent files count up from here
inline constexpr int RecentFileCount = 4;
inline constexpr int Exit = 57665;
inline constexpr int ImportMeasuredCurve = 33100;
inline constexpr int MeasuredCurves = 33101;

// Edit
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int EditSystem = 32780;
inline constexpr int Preferences = 32772;

// Analysis
inline constexpr int FitDriver = 33102;

// Display
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int CompareSystems = 32990;

// Analysis: the Limits window of the current project.
inline constexpr int ShowLimits = 33103;

// Calculators
inline constexpr int VentCalculators = 32834;
inline constexpr int BoxCalculators = 32964;
inline constexpr int CrossoverCalculators = 32963;

// Window and help
inline constexpr int ArrangeIcons = 57649;
inline constexpr int HelpTopics = 57667;
inline constexpr int About = 57664;
inline constexpr int HelpCurrentTask = 57670;
inline constexpr int HelpClickedItem = 57669;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
// The open projects: the next and the previous one in turn (Ctrl+F6, Ctrl+Shift+F6), and the
// entries of the Window menu that list them.
inline constexpr int NextProject = 61504;
inline constexpr int PreviousProject = 61520;
inline constexpr int ProjectList1 = 65280; // the listed projects count up from here
inline constexpr int ProjectListCount = 9;

} // namespace cw::cmd
