#pragma once

#include "model/DocWindows.h"

#include <string>
#include <vector>

namespace cw::cli
{

// The windows of a project without a screen: message boxes and questions are collected for the
// error output, questions are answered Cancel, and every other request is ignored.
class CliWindows final : public NoWindows
{
public:
    std::vector<std::string> messages;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskOkCancel(const std::string& text) override
    {
        messages.push_back(text);
        return false;
    }
};

} // namespace cw::cli
