#pragma once

#include "model/CSpkSysDoc.h"
#include "model/EditRules.h"
#include "model/FieldRow.h"

#include <string>
#include <vector>

// The driver panel and the workbench panels as forms of texts: how they load, store and show the
// workbench, and what typing into one of their rows sets off. The Qt panels keep the texts in
// their edit fields, the command line in strings; both run these rules, so that the same typing
// gives the same workbench.
namespace cw::edit
{

// Where a form keeps the text of each row.
class FormTexts
{
public:
    virtual ~FormTexts() = default;
    virtual std::string Text(int row) const = 0;
    // The program's own write, which is not taken as an edit.
    virtual void SetText(int row, const std::string& text) = 0;
};

// Texts kept in strings, for a form without windows.
class StringTexts : public FormTexts
{
public:
    explicit StringTexts(std::size_t rows) : texts_(rows) {}
    std::string Text(int row) const override { return texts_[static_cast<std::size_t>(row)]; }
    void SetText(int row, const std::string& text) override
    {
        texts_[static_cast<std::size_t>(row)] = text;
    }

private:
    std::vector<std::string> texts_;
};

// What an edit came to.
struct FormEdit {
    enum class Result {
        Done,     // stored, and the design steps (if any) gave a usable design
        Refused,  // a text broke its rule: `row` names it, `message` the rule; nothing changed
        Unusable, // the steps gave no usable result: `message` says why
    } result = Result::Done;
    int row = -1;
    std::string message;   // Done: a note for the status bar, or empty
    bool restored = false; // Unusable: the workbench is as it was before the edit
    bool designed = false; // Done: design steps ran
};

class PanelForm
{
public:
    PanelForm(const std::vector<FieldRow>& rows, FormTexts& texts) : rows_(rows), texts_(texts) {}

    const std::vector<FieldRow>& rows() const { return rows_; }
    bool metric() const { return metric_; }
    bool Present(int row) const { return rows_[static_cast<std::size_t>(row)].Present(metric_); }

    // Shows the workbench in every row there is with these units: up to 15 significant digits,
    // or the four-digit short form where a row asks for it with metric units.
    void Load(const CSpkSys& wb, bool metric);
    void LoadRow(int row, const CSpkSys& wb);

    // What the text the user is typing into a row comes to, by the rule every field follows.
    using Typing = edit::Typing;
    Typing WhileTyping(int row) const;
    // The rule's message when the row's text breaks it; null when the rule takes the text.
    const char* BrokenRule(int row) const;

    // The user has changed the text of `row` and the edit guard let it through. When the row's
    // rule refuses its text nothing changes. Otherwise every row is stored from its text, except
    // rows whose text breaks their rule, which keep their values (one bad field never stops the
    // edit of another halfway), and the project is marked modified; then the copy in the other
    // unit follows the edited row, the row's design steps run, the steps that follow them run
    // where they can, and the rows the edit changed show their new values at four digits.
    FormEdit Edit(CSpkSysDoc& doc, int row);
    // The user has left the row (the focus went elsewhere, or Enter). A finished number that
    // the edit guard left alone while it was typed ("0.0") is taken now; a text that breaks the
    // row's rule is refused; any other text was taken as it was typed.
    FormEdit Leave(CSpkSysDoc& doc, int row);

    // The row that shows *field with the current units; -1 when none does.
    int Find(const double* field, CSpkSys& wb) const;
    int Find(const std::int32_t* field, CSpkSys& wb) const;
    // True when *field is the copy a row does not show with the current units.
    bool IsOtherCopy(const double* field, CSpkSys& wb) const;

private:
    const FieldRow& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    void Store(CSpkSys& wb);
    void Show(int row, const CSpkSys& wb);

    const std::vector<FieldRow>& rows_;
    FormTexts& texts_;
    bool metric_ = false;
};

// The rows the driver panel edits, in this order: N, the SPL distance in metres and (with
// English units) in feet, and the input power.
const std::vector<FieldRow>& DriverPanelRows();
inline constexpr int kDriverCountRow = 0;
inline constexpr int kSplMetresRow = 1;
inline constexpr int kSplFeetRow = 2;
inline constexpr int kInputPowerRow = 3;

// Drawing the driver panel brings the feet copy of the SPL distance back to the metres at four
// digits: Round4(m x 3.2808). True when the feet copy changed.
bool FollowSplDistance(CSpkSys& wb);

} // namespace cw::edit
