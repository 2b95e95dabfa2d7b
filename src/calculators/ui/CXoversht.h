#pragma once

#include "calculators/NetworkResponse.h"
#include "forms/ui/PropertyPage.h"
#include "forms/ui/PropertySheet.h"
#include "reports/ui/ReportPrinter.h"

#include <QLineEdit>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace cw
{

class CSpkSysDoc;

namespace ui
{
class CanvasWidget;
}

// One page of the crossover and network calculator: the network's schematic with the response of
// the designed network under it, the inputs and the read-only results. Every field is bound to
// the workbench's value group; each accepted edit stores the page, marks the document modified
// and calculates.
class CXoverPage : public ui::PropertyPage
{
    Q_OBJECT
public:
    // page is the page's number in the sheet (0 … 8).
    CXoverPage(CSpkSysDoc& doc, int page, QWidget* parent = nullptr);

    int crossoverPage() const { return page_; }
    const std::vector<QLineEdit*>& inputs() const { return inputs_; }
    const std::vector<QLineEdit*>& results() const { return results_; }
    // The response the graph shows; nothing when the network cannot be solved.
    const std::optional<calc::NetworkResponse>& response() const { return response_; }
    // The sentence shown under the results while the inputs describe no network ("" for none).
    QString refusal() const;

    // The page's calculation on the record. When it stores results the page shows them and the
    // graph draws their network; when an input it divides by is 0 both stay as they were; when
    // the record's inputs describe no network the results are blank and the graph says why.
    void Calculate();

protected:
    void OnStart() override;
    void OnActivate(bool first) override;
    bool OnLeave() override;
    // Before the first calculation, after the fields have been loaded: a page may fill in a value
    // it starts from. True when it changed the record, so the fields are loaded again.
    virtual bool PrepareStart() { return false; }

    CSpkSysDoc& doc_;

private:
    // An accepted edit of input: calculates, or, when the texts describe no network, puts the
    // record back as it was accepted last and shows why.
    void Accept(QLineEdit* input);
    void ShowRefusal(const std::optional<std::string>& why);
    // Blanks the results and shows why when the record's inputs describe no network; redraws
    // the graph.
    void ShowRecordRefusal();

    int page_;
    std::vector<QLineEdit*> inputs_;
    std::vector<QLineEdit*> results_;
    std::optional<calc::NetworkResponse> response_;
    ui::CanvasWidget* graph_;
    QLabel* refusal_;
    // The values as the page last accepted them, and the input typed into last.
    std::vector<double> accepted_;
    QLineEdit* lastEdited_ = nullptr;
};

// The pages by their place in the sheet: pg1 to pg4 the 1st, 2nd and 3rd Order Butterworth and
// the 1st Order Series, pg8 and pg9 the 2nd and 4th Order Linkwitz, pg5 the Resonance
// Compensator, pg6 the Inductance Compensator, pg7 the Tweeter Attenuator.
class CXoverpg1 final : public CXoverPage
{
public:
    explicit CXoverpg1(CSpkSysDoc& doc) : CXoverPage(doc, 0) {}
};
class CXoverpg2 final : public CXoverPage
{
public:
    explicit CXoverpg2(CSpkSysDoc& doc) : CXoverPage(doc, 1) {}
};
class CXoverpg3 final : public CXoverPage
{
public:
    explicit CXoverpg3(CSpkSysDoc& doc) : CXoverPage(doc, 2) {}
};
class CXoverpg4 final : public CXoverPage
{
public:
    explicit CXoverpg4(CSpkSysDoc& doc) : CXoverPage(doc, 3) {}
};
class CXoverpg8 final : public CXoverPage
{
public:
    explicit CXoverpg8(CSpkSysDoc& doc) : CXoverPage(doc, 4) {}
};
class CXoverpg9 final : public CXoverPage
{
public:
    explicit CXoverpg9(CSpkSysDoc& doc) : CXoverPage(doc, 5) {}
};
class CXoverpg5 final : public CXoverPage
{
public:
    explicit CXoverpg5(CSpkSysDoc& doc) : CXoverPage(doc, 6) {}
};
// Starts from the workbench driver's L(e) while its own L(e) is 0.
class CXoverpg6 final : public CXoverPage
{
public:
    explicit CXoverpg6(CSpkSysDoc& doc) : CXoverPage(doc, 7) {}

protected:
    bool PrepareStart() override;
};
class CXoverpg7 final : public CXoverPage
{
public:
    explicit CXoverpg7(CSpkSysDoc& doc) : CXoverPage(doc, 8) {}
};

// "Crossover and Network Calculators": the nine pages, opening on the page last shown, with OK,
// Cancel and a Print button that prints the report of the page showing.
class CXoversht : public ui::PropertySheet
{
    Q_OBJECT
public:
    CXoversht(CSpkSysDoc& doc, ui::ReportPrinter& printer, QWidget* parent);

    CXoverPage* crossoverPage(int page) const;
    QPushButton* printButton() const { return print_; }
    // The report of the page showing, as Print sends it to the printer.
    ui::ReportJob ActiveReport() const;

private:
    CSpkSysDoc& doc_;
    ui::ReportPrinter& printer_;
    QPushButton* print_;
};

} // namespace cw
