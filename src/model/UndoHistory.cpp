#include "model/UndoHistory.h"

namespace cw
{

namespace
{

// The sheets' page indices: taken from now on every restore, never part of a step.
void CopyPageIndices(const ProjectData& from, ProjectData& to)
{
    to.editorPage = from.editorPage;
    to.activeCrossoverPage = from.activeCrossoverPage;
    to.activeBoxPage = from.activeBoxPage;
    to.activeVentPage = from.activeVentPage;
    to.prefsPage = from.prefsPage;
}

} // namespace

UndoHistory::UndoHistory(const ProjectData& now, std::size_t limit) : limit_(limit)
{
    Reset(now);
}

void UndoHistory::Reset(const ProjectData& now)
{
    undo_.clear();
    redo_.clear();
    current_ = Snapshot{};
    current_ = Take(now);
    savedSerial_ = current_.serial;
    pendingName_.clear();
    pendingKey_.clear();
    mergeable_ = false;
    groupDepth_ = 0;
    groupName_.clear();
}

void UndoHistory::Note(const std::string& name, const std::string& mergeKey)
{
    // An unnamed change belongs to the named one of the same action, if there is one.
    if (grouping() || name.empty())
        return;
    pendingName_ = name;
    pendingKey_ = mergeKey;
}

void UndoHistory::BeginGroup(const std::string& name, const ProjectData& now)
{
    if (groupDepth_ == 0) {
        // What was under way before the sheet opened is a step of its own.
        Commit(now);
        groupName_ = name;
    }
    ++groupDepth_;
}

void UndoHistory::EndGroup(const ProjectData& now)
{
    if (groupDepth_ == 0 || --groupDepth_ > 0)
        return;
    pendingName_ = groupName_;
    pendingKey_.clear();
    Commit(now);
}

UndoHistory::Snapshot UndoHistory::Take(const ProjectData& now) const
{
    auto rest = std::make_shared<ProjectData>(now);
    rest->systems = {}; // frees the records, which the snapshot holds on their own
    static const ProjectData noPages;
    CopyPageIndices(noPages, *rest);

    Snapshot s;
    s.rest = current_.rest && *current_.rest == *rest ? current_.rest : std::move(rest);
    for (std::size_t i = 0; i < s.systems.size(); ++i) {
        const CSpkSys& system = now.systems.at(i);
        const auto& before = current_.systems[i];
        s.systems[i] = before && *before == system ? before : std::make_shared<CSpkSys>(system);
    }
    return s;
}

bool UndoHistory::SameAsCurrent(const Snapshot& s) const
{
    return s.rest == current_.rest && s.systems == current_.systems;
}

ProjectData UndoHistory::Materialise(const Snapshot& s, const ProjectData& now)
{
    ProjectData p = *s.rest;
    p.systems.clear();
    for (const auto& system : s.systems)
        p.systems.push_back(*system);
    CopyPageIndices(now, p);
    return p;
}

void UndoHistory::Commit(const ProjectData& now)
{
    if (grouping())
        return;
    Snapshot after = Take(now);
    const std::string name = pendingName_.empty() ? "Edit" : pendingName_;
    const std::string key = pendingKey_;
    pendingName_.clear();
    pendingKey_.clear();
    if (SameAsCurrent(after))
        return;

    after.serial = nextSerial_++;
    redo_.clear();
    const bool merge = mergeable_ && !key.empty() && !undo_.empty() && undo_.back().mergeKey == key;
    if (!merge) {
        undo_.push_back(Step{name, key, current_});
        if (undo_.size() > limit_)
            undo_.erase(undo_.begin());
    }
    current_ = std::move(after);
    mergeable_ = !key.empty();
}

std::string UndoHistory::UndoName() const
{
    return CanUndo() ? undo_.back().name : std::string();
}

std::string UndoHistory::RedoName() const
{
    return CanRedo() ? redo_.back().name : std::string();
}

std::optional<ProjectData> UndoHistory::Undo(const ProjectData& now)
{
    Commit(now);
    if (!CanUndo())
        return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(Step{step.name, step.mergeKey, current_});
    current_ = std::move(step.state);
    mergeable_ = false;
    return Materialise(current_, now);
}

std::optional<ProjectData> UndoHistory::Redo(const ProjectData& now)
{
    Commit(now);
    if (!CanRedo())
        return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(Step{step.name, step.mergeKey, current_});
    current_ = std::move(step.state);
    mergeable_ = false;
    return Materialise(current_, now);
}

void UndoHistory::MarkSaved(const ProjectData& now)
{
    Commit(now);
    savedSerial_ = current_.serial;
    mergeable_ = false;
}

} // namespace cw
