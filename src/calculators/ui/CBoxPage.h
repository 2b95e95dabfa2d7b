#pragma once

#include "calculators/BoxPageFields.h"
#include "forms/ui/PropertyPage.h"

#include <map>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace cw
{
class CSpkSysDoc;
}

namespace cw::ui
{

class CanvasWidget;

// A page of the box calculators: the box's dimensioned drawing and its notes on the left, the
// dimensions, volumes and adjustments with their lock check boxes on the right, and under them
// the sentence that says why the values typed allow no box. The fields show the copy of the
// units chosen when the sheet opened; every accepted edit solves both copies.
class CBoxPage : public PropertyPage
{
    Q_OBJECT
public:
    CBoxPage(calc::BoxPageKind kind, CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr);

    calc::BoxPageKind kind() const { return kind_; }
    bool metric() const { return metric_; }

    // The edit field of a value of the page (the copy shown), or null.
    QLineEdit* field(calc::BoxQuantity quantity, calc::Chamber chamber = calc::Chamber::Rear) const;
    QCheckBox* lockBox(calc::BoxLock lock) const;
    QPlainTextEdit* notes() const { return notes_; }
    // The sentence shown when the last start or edit solved nothing; empty otherwise.
    QString guardSentence() const;

    // Stores what the page shows as leaving it does (a refused value goes back to the record's),
    // for a report printed from the page; false when a field's text is not a number.
    bool StoreShown() { return OnLeave(); }

protected:
    void OnStart() override;
    void OnActivate(bool first) override;
    bool OnLeave() override;

private:
    struct Field {
        QLineEdit* edit;
        calc::BoxField field;
    };
    void BuildRows(QGridLayout* grid, bool adjustments);
    // The field of a value of a row, in the copy the page shows.
    QLineEdit* AddField(const calc::BoxRow& row, const calc::BoxCell& cell);
    void OnTyped(const Field& typed, edit::Typing typing);
    void OnEdit(const Field& edited);
    void OnLockClicked(calc::BoxLock lock);
    // Writes the values the last calculation changed (those not in before) into their fields.
    void ShowResults(const std::vector<double>& before, const Field* edited);
    std::vector<double> Values();
    void ShowLocks();
    void ShowState();

    calc::BoxPageKind kind_;
    CSpkSysDoc& doc_;
    bool metric_;
    calc::BoxCalculatorPage calc_;
    std::vector<Field> fields_;
    std::map<calc::BoxLock, QCheckBox*> locks_;
    ui::CanvasWidget* drawing_;
    QPlainTextEdit* notes_;
    QLabel* sentence_;
};

// The three pages, each under its own class name.
class CBoxPg1 : public CBoxPage
{
public:
    CBoxPg1(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr)
        : CBoxPage(calc::BoxPageKind::Rectangular, doc, metric, parent)
    {
    }
};
class CBoxPg2 : public CBoxPage
{
public:
    CBoxPg2(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr)
        : CBoxPage(calc::BoxPageKind::Trapezoidal, doc, metric, parent)
    {
    }
};
class CBoxPg3 : public CBoxPage
{
public:
    CBoxPg3(CSpkSysDoc& doc, bool metric, QWidget* parent = nullptr)
        : CBoxPage(calc::BoxPageKind::Bandpass, doc, metric, parent)
    {
    }
};

} // namespace cw::ui
