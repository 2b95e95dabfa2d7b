#pragma once

#include "model/DocWindows.h"

#include <string>
#include <vector>

namespace cw::cli
{

// The windows of a project without a screen: message boxes and questions are collected for the
// error output, questions are answered Cancel, and drawing requests are ignored.
class CliWindows final : public DocWindows
{
public:
    std::vector<std::string> messages;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskOkCancel(const std::string& text) override
    {
        messages.push_back(text);
        return false;
    }
    void InvalidatePlot() override {}
    void RepaintPlotNow() override {}
    void PreparePlotDrawing() override {}
    void DrawSystemNow(int) override {}
    void SetPlotTitle(const std::string&) override {}
    void RedrawDriverPanel() override {}
    void ReplaceWorkbenchPanel() override {}
    void RefreshWorkbenchPanel() override {}
    void UpdateAllViews() override {}
    void OpenDriverDatabase() override {}
};

} // namespace cw::cli
