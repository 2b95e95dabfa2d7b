#include "cli/BoxCalcEdit.h"

#include "cli/FieldPath.h"
#include "model/EditRules.h"

#include <array>
#include <string>

namespace cw::cli
{

namespace
{

using calc::BoxPageKind;

struct PageName {
    std::string_view group; // the record's value group
    std::string_view start; // the name of the page start for --run
    BoxPageKind kind;
};

constexpr std::array<PageName, 3> kPages = {{
    {"rectBox", "RectBoxStart", BoxPageKind::Rectangular},
    {"trapBox", "TrapBoxStart", BoxPageKind::Trapezoidal},
    {"bandpassBox", "BandpassBoxStart", BoxPageKind::Bandpass},
}};

const PageName* PageOfPath(std::string_view path)
{
    for (const PageName& page : kPages) {
        if (path.size() > page.group.size() && path.starts_with(page.group) &&
            path[page.group.size()] == '.')
            return &page;
    }
    return nullptr;
}

} // namespace

bool IsBoxCalculatorPath(std::string_view path)
{
    return PageOfPath(path) != nullptr;
}

EditOutcome EditBoxCalculatorField(CSpkSysDoc& doc, std::string_view path, std::string_view text)
{
    CSpkSys& wb = doc.workbench();
    const std::string name(path);
    const PageName* page = PageOfPath(path);
    const std::optional<FieldRef> ref = FindField(wb, path);
    if (page == nullptr || !ref)
        return {EditOutcome::Kind::NotAField, "\"" + name + "\" is not a field of the system."};
    // The notes run nothing.
    if (std::holds_alternative<std::string*>(*ref)) {
        AssignText(*ref, text);
        doc.SetModified();
        return {};
    }
    calc::BoxCalculatorPage calculator(page->kind, wb, doc.boxLocks);
    const std::optional<calc::BoxField> field = calculator.FieldAt(std::get<double*>(*ref));
    if (!field)
        return {EditOutcome::Kind::NotAField,
                "\"" + name + "\" is not a field of the box calculators."};
    const std::optional<double> value = edit::ParseNumber(text);
    if (!value)
        return {EditOutcome::Kind::Refused, edit::kEnterNumber};
    if (!calculator.Edit(*field, *value))
        return {EditOutcome::Kind::Refused, calculator.guardMessage()};
    doc.SetModified();
    return {};
}

EditOutcome SetBoxLock(CSpkSysDoc& doc, std::string_view path, std::string_view text)
{
    std::int32_t* flag = nullptr;
    BoxLocks::Fields(doc.boxLocks, [&](const char* name, std::int32_t& f) {
        if (path == "boxLocks." + std::string(name))
            flag = &f;
    });
    if (flag == nullptr)
        return {EditOutcome::Kind::NotAField,
                "\"" + std::string(path) + "\" is not a lock of the box calculators."};
    const std::optional<std::int32_t> on = edit::ParseInteger(text);
    if (!on || (*on != 0 && *on != 1))
        return {EditOutcome::Kind::NotAField,
                "A lock is 0 (off) or 1 (on), not \"" + std::string(text) + "\"."};
    for (const PageName& page : kPages) {
        calc::BoxCalculatorPage calculator(page.kind, doc.workbench(), doc.boxLocks);
        const std::optional<calc::BoxLock> lock = calculator.LockAt(flag);
        if (!lock || calculator.IsLocked(*lock) == (*on == 1))
            continue;
        if (!calculator.ClickLock(*lock).accepted)
            return {EditOutcome::Kind::Refused, page.kind == BoxPageKind::Trapezoidal
                                                    ? calc::kLocksNotAllowed
                                                    : calc::kTwoMustStayUnlocked};
    }
    *flag = *on;
    doc.SetModified();
    return {};
}

std::optional<calc::BoxPageKind> BoxPageStartFromName(std::string_view name)
{
    for (const PageName& page : kPages) {
        if (name == page.start)
            return page.kind;
    }
    return std::nullopt;
}

} // namespace cw::cli
