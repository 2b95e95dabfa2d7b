#pragma once

#include <optional>

namespace cw
{

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' lights, or nothing where the window system does not tell (no X11 display).
std::optional<LockKeyState> ReadLockKeys();

} // namespace cw
