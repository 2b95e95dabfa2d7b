#pragma once

#include <string>

namespace cw
{

// The fly-by text of a command in the status bar, and its tool tip (the part after a line feed
// in the prompt; empty when the command has none).
struct CommandPrompt {
    std::string status;
    std::string toolTip;
};

CommandPrompt PromptOf(int id);

} // namespace cw
