#pragma once

#include "calculators/BoxLockRules.h"
#include "model/CSpkSys.h"
#include "model/PlotSettings.h"

#include <optional>
#include <string>
#include <vector>

// What a page of the box calculators does with the workbench record and the document's locks,
// apart from showing it: the page start, the calculations each field edit runs, the lock clicks
// and the sentence the page shows when the values allow no box.
namespace cw::calc
{

// The pages by their tab index (also activeBoxPage).
enum class BoxPageKind { Rectangular = 0, Trapezoidal = 1, Bandpass = 2 };

// "Rectangular Box", "Trapezoidal Box" or "Bandpass Box": the page's caption.
const char* BoxPageName(BoxPageKind kind);

enum class BoxQuantity {
    Height, // the rear chamber's on the bandpass page
    FrontHeight,
    Width,
    Width1,
    Width2,
    Depth,
    Angle,
    GrossVolume,
    DriverDisplacement,
    BracingDisplacement,
    OtherDisplacement,
    Filling,
    NetVolume,
};

enum class Chamber { Rear, Front };

// One edit field of a page.
struct BoxField {
    BoxQuantity quantity = BoxQuantity::Height;
    bool metric = true;              // the copy; the angle and the fillings exist once
    Chamber chamber = Chamber::Rear; // the bandpass page's volume rows; Rear elsewhere
    bool operator==(const BoxField&) const = default;
};

class BoxCalculatorPage
{
public:
    BoxCalculatorPage(BoxPageKind kind, CSpkSys& record, BoxLocks& locks);

    BoxPageKind kind() const { return kind_; }

    // The page start: clears the refusal count and the sentence; then, when the page's metric
    // net volume (bandpass: the rear chamber's) is 0, takes the net volumes from the workbench
    // design of its box type, both copies, and solves V(G) and the dimensions from them.
    // Values already stored are left as they are. False when the values allow no box.
    bool Start();

    // The user typed value into field: it is stored, the other unit's copy follows by
    // conversion, and both copies are solved again: a dimension gives V(G) and V(B) from the
    // dimensions or, with V(B) locked, the other dimensions with this one kept; V(B) or an
    // adjustment gives V(G) and the dimensions; V(G) gives V(B) and the dimensions. Locked
    // quantities keep their values. False when nothing was solved (guardMessage says why) or
    // the field is not on this page; the solved values then stay as they were.
    bool Edit(BoxField field, double value);
    // Why the page's locks let the field take no value at all (V(G), and the front height, while
    // V(B) is locked); null when it takes values.
    const char* WhyFixed(BoxField field) const;

    // A click on a lock check box (the page then shows the lock's state and the message, if any).
    LockClick ClickLock(BoxLock lock);
    bool IsLocked(BoxLock lock) const;
    // The locks of the page, in the order of its check boxes.
    std::vector<BoxLock> Locks() const;
    // The page's lock kept in a flag of BoxLocks, or nothing.
    std::optional<BoxLock> LockAt(const std::int32_t* flag) const;

    // Why the last start or edit solved nothing, in one sentence; empty when it solved.
    const std::string& guardMessage() const { return message_; }

    // The page's notes text in the record.
    std::string& notes();

    // The record field behind a page field, or null when the page has no such field.
    double* Value(BoxField field);
    // The page field (either copy) bound to a record field, or nothing.
    std::optional<BoxField> FieldAt(const double* value);

private:
    // Solves both copies after an edit of the field, or for the page start.
    bool Run(std::optional<BoxField> edited);
    std::int32_t* LockFlag(BoxLock lock) const;
    LockSet LockState() const;
    bool Finish(const std::string& message);

    BoxPageKind kind_;
    CSpkSys& record_;
    BoxLocks& locks_;
    int refusals_ = 0; // consecutive refused lock clicks
    std::string message_;
};

} // namespace cw::calc
