#pragma once

#include "model/DocWindows.h"

#include <string>
#include <vector>

namespace cw::test
{

// Records what the document asks of its windows, and answers the OK/Cancel question as a test
// says.
class RecordingWindows : public DocWindows
{
public:
    bool answerOk = true;
    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::vector<int> drawnSystems;
    std::vector<std::string> statuses;

    void ShowMessage(const std::string& text) override
    {
        messages.push_back(text);
        calls.push_back("message");
    }
    bool AskOkCancel(const std::string& text) override
    {
        messages.push_back(text);
        calls.push_back("ask");
        return answerOk;
    }
    void InvalidatePlot() override { calls.push_back("invalidate"); }
    void RepaintPlotNow() override { calls.push_back("repaint"); }
    void PreparePlotDrawing() override { calls.push_back("prepare"); }
    void DrawSystemNow(int systemIndex) override
    {
        drawnSystems.push_back(systemIndex);
        calls.push_back("draw " + std::to_string(systemIndex));
    }
    void SetPlotTitle(const std::string& title) override { calls.push_back("title " + title); }
    void RedrawDriverPanel() override { calls.push_back("driver panel"); }
    void ReplaceWorkbenchPanel() override { calls.push_back("replace panel"); }
    void RefreshWorkbenchPanel() override { calls.push_back("refresh panel"); }
    void UpdateAllViews() override { calls.push_back("update views"); }
    void OpenDriverDatabase() override { calls.push_back("driver database"); }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const auto& c : calls)
            n += c == call;
        return n;
    }
};

} // namespace cw::test
