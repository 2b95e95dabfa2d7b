#pragma once

#include "model/DocWindows.h"

#include <string>
#include <vector>

namespace cw::test
{

// Windows that remember what the document asked of them; questions get the answer set here.
class RecordingWindows final : public DocWindows
{
public:
    bool answerOk = false;
    std::vector<std::string> messages; // message boxes and questions, in order
    std::vector<int> drawnSystems;     // DrawSystemNow calls
    std::string plotTitle;
    int databaseOpened = 0;
    int driverPanelRedraws = 0;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskOkCancel(const std::string& text) override
    {
        messages.push_back(text);
        return answerOk;
    }
    void InvalidatePlot() override {}
    void RepaintPlotNow() override {}
    void PreparePlotDrawing() override {}
    void DrawSystemNow(int systemIndex) override { drawnSystems.push_back(systemIndex); }
    void SetPlotTitle(const std::string& title) override { plotTitle = title; }
    void RedrawDriverPanel() override { ++driverPanelRedraws; }
    void ReplaceWorkbenchPanel() override {}
    void RefreshWorkbenchPanel() override {}
    void UpdateAllViews() override {}
    void OpenDriverDatabase() override { ++databaseOpened; }
};

} // namespace cw::test
