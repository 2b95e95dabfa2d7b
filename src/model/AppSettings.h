#pragma once

#include "model/PlotSettings.h"
#include "model/TitleBlock.h"

#include <cstdint>
#include <optional>

namespace cw
{

// m/s: 5 % of the speed of sound, where a vent starts to be heard.
inline constexpr double kDefaultVentVelocityLimit = 17;
// m/s: the limits a velocity limit may take, from a whisper to the speed of sound.
inline constexpr double kMinVentVelocityLimit = 0.1;
inline constexpr double kMaxVentVelocityLimit = 344.8;

enum class UnitsPreference { English, Metric };
enum class OpenWith { NewUntitledProject, LastProjectSaved, None };

// What a closing document hands to the application.
struct ClosedDocumentSettings {
    PlotSettings plot;
    DisplaySwitches display;
    std::int32_t modelEnclosure = 1;
    std::int32_t modelDiffraction = 0;
    std::int32_t modelAutoCabin = 0;
    std::int32_t editorPage = 0;
    bool operator==(const ClosedDocumentSettings&) const = default;
};

// The user's settings held by the application.
struct AppSettings {
    UnitsPreference units = UnitsPreference::English;
    OpenWith openWith = OpenWith::NewUntitledProject;
    int plotBackground = 0; // 0 Billiard Green, 1 Black Velvet, 2 Dark Gray, 3 White, 4 Light Gray
    bool printIcons = false;
    bool printInColor = false;
    // Each system's curves in a colour of its own, the response kinds told apart by line style.
    bool colourEachSystem = false;
    // A key on the plot naming the shown systems and the response kinds.
    bool showLegend = false;
    double ventVelocityLimit = kDefaultVentVelocityLimit; // m/s, peak air velocity in a vent
    TitleBlock titleBlock = SampleTitleBlock();
    struct Rect {
        int left = 0, top = 0, width = 0, height = 0;
        bool operator==(const Rect&) const = default;
    } mainWindow; // screen pixels; empty until the main window has been placed
    std::optional<ClosedDocumentSettings> lastClosedDocument;

    bool metric() const { return units == UnitsPreference::Metric; }
};

} // namespace cw
