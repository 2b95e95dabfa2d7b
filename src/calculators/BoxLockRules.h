#pragma once

#include <cstdint>

// The lock check boxes of the box calculator pages and the rules a click on one follows.
namespace cw::calc
{

// The locks of all three pages: the rectangular and bandpass pages have H, W, D and V(B), the
// trapezoidal page H, W1, W2, D, Angle and V(B). On the bandpass page H locks the rear chamber's
// height (the front chamber's follows its volume over the shared width and depth) and V(B) both
// net volumes.
enum class BoxLock { H, W, W1, W2, D, Angle, Vb };

// A set of locks (or of dimensions a solver is given), one bit per BoxLock.
using LockSet = unsigned;
constexpr LockSet Bit(BoxLock lock)
{
    return 1u << static_cast<unsigned>(lock);
}
constexpr bool Has(LockSet set, BoxLock lock)
{
    return (set & Bit(lock)) != 0;
}

inline constexpr const char* kTwoMustStayUnlocked = "At least two fields must remain unlocked.";
inline constexpr const char* kLocksNotAllowed = "That combination of locks is not allowed.";

// False for a trapezoidal lock set that fixes more than the box's two relations leave free (an
// angle with a width, or three quantities that already determine the fourth); 25 sets remain.
bool TrapLocksAllowed(LockSet set);

struct LockClick {
    bool accepted = false;
    const char* message = nullptr; // shown by the page when not null (every third refusal)
};

// A click on the lock `clicked` (0 or 1, the state before the click) of a page whose other locks
// are `others`. The rectangular and bandpass pages refuse it when two of the other three locks
// are on (so at most two of the four are on); the trapezoidal page flips the lock and refuses
// the sets TrapLocksAllowed refuses. A refused lock ends up off; refusals counts consecutive
// refusals, and the third one brings the message and starts the count again.
LockClick ClickRectLock(std::int32_t& clicked, LockSet others, int& refusals);
LockClick ClickTrapLock(std::int32_t& clicked, BoxLock lock, LockSet others, int& refusals);

} // namespace cw::calc
