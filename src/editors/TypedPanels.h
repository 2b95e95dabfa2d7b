#pragma once

#include "editors/PanelForm.h"

#include <string_view>

namespace cw::edit
{

// The driver panel and the workbench panel of a document without their windows, for typing
// into them from the command line. The texts are kept as the panels would show them, so that a
// series of edits gives the workbench that the same typing on the panels gives.
class TypedPanels
{
public:
    // Loads both panels as their windows show them when they open, and draws the driver panel.
    TypedPanels(CSpkSysDoc& doc, bool metric);
    TypedPanels(const TypedPanels&) = delete;
    TypedPanels& operator=(const TypedPanels&) = delete;

    bool metric() const { return driver_.metric(); }

    struct Place {
        PanelForm* form = nullptr; // null when no row shows the field
        int row = -1;
    };
    // The row that shows the field with these units.
    Place Find(const double* field);
    Place Find(const std::int32_t* field);
    // True when the field is the copy a row does not show with these units.
    bool IsOtherCopy(const double* field);

    // Types text into the row and leaves it, as the user would with the panel's window showing:
    // a text the edit guard leaves alone while the user is still typing is taken when it is a
    // finished number ("0.0"), and a text that breaks the row's rule is refused.
    FormEdit Type(Place place, std::string_view text);

private:
    FormTexts& TextsOf(const PanelForm& form);

    CSpkSysDoc& doc_;
    StringTexts driverTexts_;
    StringTexts boxTexts_;
    PanelForm driver_;
    PanelForm box_;
};

} // namespace cw::edit
