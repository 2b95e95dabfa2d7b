#include "calculators/BoxLockRules.h"

#include <array>
#include <bit>

namespace cw::calc
{

namespace
{

using enum BoxLock;

constexpr std::array<LockSet, 10> kForbidden = {
    Bit(Angle) | Bit(W1),       Bit(Angle) | Bit(W2),       Bit(H) | Bit(D) | Bit(Vb),
    Bit(H) | Bit(D) | Bit(W1),  Bit(H) | Bit(D) | Bit(W2),  Bit(D) | Bit(Vb) | Bit(W1),
    Bit(D) | Bit(Vb) | Bit(W2), Bit(D) | Bit(W1) | Bit(W2), Bit(H) | Bit(Vb) | Bit(W1),
    Bit(H) | Bit(Vb) | Bit(W2)};

LockClick Refuse(std::int32_t& clicked, int& refusals, const char* message)
{
    clicked = 0;
    if (++refusals < 3)
        return {};
    refusals = 0;
    return {false, message};
}

LockClick Accept(int& refusals)
{
    refusals = 0;
    return {true, nullptr};
}

} // namespace

bool TrapLocksAllowed(LockSet set)
{
    for (LockSet forbidden : kForbidden) {
        if ((set & forbidden) == forbidden)
            return false;
    }
    return true;
}

LockClick ClickRectLock(std::int32_t& clicked, LockSet others, int& refusals)
{
    if (std::popcount(others) >= 2)
        return Refuse(clicked, refusals, kTwoMustStayUnlocked);
    clicked = clicked == 0 ? 1 : 0;
    return Accept(refusals);
}

LockClick ClickTrapLock(std::int32_t& clicked, BoxLock lock, LockSet others, int& refusals)
{
    clicked = clicked == 0 ? 1 : 0;
    if (!TrapLocksAllowed(clicked != 0 ? others | Bit(lock) : others))
        return Refuse(clicked, refusals, kLocksNotAllowed);
    return Accept(refusals);
}

} // namespace cw::calc
