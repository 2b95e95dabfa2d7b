#pragma once

#include "model/CSpkSysDoc.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cw
{

// The steps a project can be taken back through and made again. Each step keeps the whole
// project as it was before the step, curves included, so an undo restores it exactly. The
// records of the systems a step did not touch are shared with the step before, which keeps a
// hundred steps of the workbench at about one record each.
//
// A change is noted while it happens and becomes a step when it is closed (Commit): one user
// action may note several changes (a recall that hides and shows again), and all of them are one
// step. The sheets' page indices are where the user was, not what the project holds: they are
// neither compared nor restored.
class UndoHistory
{
public:
    static constexpr std::size_t kDefaultLimit = 100;

    // Starts with no steps; the given project is the saved state.
    explicit UndoHistory(const ProjectData& now, std::size_t limit = kDefaultLimit);

    // Forgets every step (a project was opened); the given project is the saved state.
    void Reset(const ProjectData& now);

    // A change is under way. The last named change of a step names it ("Edit V(B)"), "Edit"
    // when none is named; steps with the same non-empty merge key that follow one another make
    // one step, as the keystrokes of one field do.
    void Note(const std::string& name, const std::string& mergeKey = {});

    // Everything between Begin and End is one step of that name (a modal sheet's edits); a
    // step still open at Begin is closed first. Groups nest; the outermost names the step.
    void BeginGroup(const std::string& name, const ProjectData& now);
    void EndGroup(const ProjectData& now);
    bool grouping() const { return groupDepth_ > 0; }

    // Closes the open step: when the project differs from the state after the last step, the
    // state before becomes a step. Does nothing inside a group.
    void Commit(const ProjectData& now);

    bool CanUndo() const { return !grouping() && !undo_.empty(); }
    bool CanRedo() const { return !grouping() && !redo_.empty(); }
    // The name of the step an undo or a redo would take; empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    std::size_t undoCount() const { return undo_.size(); }

    // Closes the open step, then gives the project as it was before the last step (as it was
    // after the step undone last, for Redo), keeping the page indices of now. Nothing when there
    // is no such step or a group is open.
    std::optional<ProjectData> Undo(const ProjectData& now);
    std::optional<ProjectData> Redo(const ProjectData& now);

    // The project was saved as it is now.
    void MarkSaved(const ProjectData& now);
    // True when the current state is the one saved last (or opened, for a new history).
    bool AtSavedState() const { return current_.serial == savedSerial_; }

private:
    struct Snapshot {
        std::shared_ptr<const ProjectData> rest; // without the systems and page indices
        std::array<std::shared_ptr<const CSpkSys>, kSystemCount> systems;
        std::uint64_t serial = 0;
    };
    struct Step {
        std::string name;
        std::string mergeKey;
        Snapshot state; // before the step on the undo list, after it on the redo list
    };

    // The project as a snapshot, sharing every part that equals the current state's.
    Snapshot Take(const ProjectData& now) const;
    bool SameAsCurrent(const Snapshot& s) const;
    static ProjectData Materialise(const Snapshot& s, const ProjectData& now);

    std::size_t limit_;
    std::vector<Step> undo_; // oldest first
    std::vector<Step> redo_; // the step undone last at the back
    Snapshot current_;       // the state after the last step
    std::uint64_t nextSerial_ = 1;
    std::uint64_t savedSerial_ = 0;
    std::string pendingName_;
    std::string pendingKey_;
    bool mergeable_ = false; // the last step may take in a change of the same key
    int groupDepth_ = 0;
    std::string groupName_;
};

} // namespace cw
