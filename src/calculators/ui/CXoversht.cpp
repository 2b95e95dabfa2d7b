#include "calculators/ui/CXoversht.h"

#include "calculators/CrossoverPages.h"
#include "forms/FieldPolicy.h"
#include "model/CSpkSysDoc.h"
#include "pictures/NetworkGraph.h"
#include "pictures/NetworkSchematics.h"
#include "pictures/ui/CanvasWidget.h"
#include "reports/CrossoverReport.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cw
{

namespace
{

constexpr QSize kGraphSize{290, 150};

// A size in dialog units of the widget's font: a quarter of the average character width
// across, an eighth of the character height down.
QSize DialogUnits(const QWidget& widget, int x, int y)
{
    const QFontMetrics fm(widget.font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double average = fm.horizontalAdvance(alphabet) / 52.0;
    return {static_cast<int>(x * average / 4), y * fm.height() / 8};
}

// A group box of rows: label on the left, the field, the unit text on the right.
QGroupBox* FieldGroup(QWidget* parent, const QString& title,
                      const std::vector<calc::CrossoverField>& fields,
                      std::vector<QLineEdit*>& edits)
{
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const calc::CrossoverField& f : fields) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QString::fromUtf8(f.pageLabel));
        edit->setMaximumWidth(100);
        auto* label = new QLabel(QString::fromUtf8(f.pageLabel), box);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(f.unit), box), row, 2);
        edits.push_back(edit);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    return box;
}

} // namespace

CXoverPage::CXoverPage(CSpkSysDoc& doc, int page, QWidget* parent)
    : ui::PropertyPage(QString::fromUtf8(calc::CrossoverPageCaption(page)), parent), doc_(doc),
      page_(page)
{
    const calc::CrossoverFields& fields = calc::CrossoverPageFields(page);
    auto* schematic = new ui::CanvasWidget(
        QSize(static_cast<int>(pictures::kSchematicWidth),
              static_cast<int>(pictures::kSchematicHeight)),
        [page](gfx::Canvas& canvas) {
            canvas.FillRect({0, 0, pictures::kSchematicWidth, pictures::kSchematicHeight},
                            gfx::kWhite);
            pictures::DrawCrossoverSchematic(canvas, page);
        },
        this);
    graph_ = new ui::CanvasWidget(
        kGraphSize,
        [this](gfx::Canvas& canvas) {
            const auto why = calc::CrossoverPageRefusal(doc_.workbench(), page_);
            pictures::DrawNetworkGraph(canvas, {0, 0, 290, 150}, response_, why ? *why : "");
        },
        this);
    graph_->setToolTip(page < 6 ? "The designed network into the entered impedances"
                                : "The designed network's effect");

    auto* inputs = FieldGroup(this, "Enter the Following: ", fields.inputs, inputs_);
    auto* results = FieldGroup(this, "The Component Values are: ", fields.results, results_);

    // Every field reads and writes the workbench as it is at that moment.
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        const calc::CrossoverField f = fields.inputs[i];
        binder()->Bind(inputs_[i], edit::kRealField,
                       [this, f]() -> double& { return f.value(doc_.workbench()); });
        QLineEdit* input = inputs_[i];
        binder()->OnAcceptedEdit(input, [this, input] { Accept(input); });
    }
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const calc::CrossoverField f = fields.results[i];
        binder()->Bind(results_[i], edit::ReadOnly(edit::kComponentField),
                       [this, f]() -> double& { return f.value(doc_.workbench()); });
        results_[i]->setFocusPolicy(Qt::ClickFocus);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(schematic);
    left->addWidget(graph_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(inputs);
    right->addWidget(results);
    if (calc::CrossoverTweeterReversed(page)) {
        auto* note = new QLabel("Note the reverse polarity connection of the tweeter.", this);
        note->setWordWrap(true);
        right->addWidget(note);
    }
    refusal_ = new QLabel(this);
    refusal_->setObjectName("refusal");
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet("color: #b00000");
    refusal_->hide();
    right->addWidget(refusal_);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    setMinimumSize(DialogUnits(*this, 410, 228));
}

void CXoverPage::OnStart()
{
    binder()->Load();
    if (PrepareStart())
        binder()->Load();
    Calculate();
    accepted_ = calc::CrossoverPageValues(doc_.workbench(), page_);
}

void CXoverPage::OnActivate(bool first)
{
    ui::PropertyPage::OnActivate(first);
    if (!first)
        ShowRecordRefusal();
}

bool CXoverPage::OnLeave()
{
    // A text the edit rule let pass unstored ("0.", "-") is stored now: the document then has
    // changed as much as after an accepted edit. Texts that describe no network keep the user
    // on the page, with the record as it was accepted last.
    const bool edited = isModified();
    if (!ui::PropertyPage::OnLeave())
        return false;
    if (!edited)
        return true;
    if (const auto why = calc::CrossoverPageRefusal(doc_.workbench(), page_)) {
        calc::SetCrossoverPageValues(doc_.workbench(), page_, accepted_);
        ShowRefusal(why);
        binder()->Refuse(lastEdited_ ? lastEdited_ : inputs_.front(), QString::fromStdString(*why));
        return false;
    }
    doc_.SetModified();
    return true;
}

void CXoverPage::Accept(QLineEdit* input)
{
    lastEdited_ = input;
    if (const auto why = calc::CrossoverPageRefusal(doc_.workbench(), page_)) {
        // Judged while typing, so no message box: "1" on the way to "12" is refused quietly.
        calc::SetCrossoverPageValues(doc_.workbench(), page_, accepted_);
        ShowRefusal(why);
        return;
    }
    doc_.SetModified();
    Calculate();
    accepted_ = calc::CrossoverPageValues(doc_.workbench(), page_);
}

void CXoverPage::Calculate()
{
    CSpkSys& s = doc_.workbench();
    if (calc::CrossoverPageRefusal(s, page_)) {
        response_.reset();
    } else if (calc::CalculateCrossoverPage(s, page_) || !response_) {
        for (QLineEdit* result : results_)
            binder()->Load(result);
        response_ = calc::CrossoverPageResponse(s, page_, pictures::NetworkGraphFrequencies());
    }
    ShowRecordRefusal();
}

void CXoverPage::ShowRecordRefusal()
{
    const auto why = calc::CrossoverPageRefusal(doc_.workbench(), page_);
    if (why) {
        for (QLineEdit* result : results_)
            binder()->SetText(result, {});
    }
    ShowRefusal(why);
    graph_->update();
}

QString CXoverPage::refusal() const
{
    return refusal_->isHidden() ? QString() : refusal_->text();
}

void CXoverPage::ShowRefusal(const std::optional<std::string>& why)
{
    refusal_->setText(why ? QString::fromStdString(*why) : QString());
    refusal_->setHidden(!why);
}

bool CXoverpg6::PrepareStart()
{
    CSpkSys& s = doc_.workbench();
    if (s.inductanceComp.driverLe != 0)
        return false;
    s.inductanceComp.driverLe = s.driver.le;
    return true;
}

CXoversht::CXoversht(CSpkSysDoc& doc, ui::ReportPrinter& printer, QWidget* parent)
    : ui::PropertySheet("Crossover and Network Calculators", parent), doc_(doc), printer_(printer)
{
    // In the order of the pages' numbers, which the reports and the document use.
    AddPage(new CXoverpg1(doc));
    AddPage(new CXoverpg2(doc));
    AddPage(new CXoverpg3(doc));
    AddPage(new CXoverpg4(doc));
    AddPage(new CXoverpg8(doc));
    AddPage(new CXoverpg9(doc));
    AddPage(new CXoverpg5(doc));
    AddPage(new CXoverpg6(doc));
    AddPage(new CXoverpg7(doc));
    RecordPageIndex(&doc.activeCrossoverPage);

    print_ = AddButton("Print");
    print_->setFixedSize(69, 25);
    connect(print_, &QPushButton::clicked, this, [this] { printer_.Print(this, ActiveReport()); });
}

CXoverPage* CXoversht::crossoverPage(int page) const
{
    return static_cast<CXoverPage*>(this->page(page));
}

ui::ReportJob CXoversht::ActiveReport() const
{
    const int page = tabs()->currentIndex();
    const QString title = QString::fromUtf8(reports::CrossoverReportTitle(page));
    const CSpkSysDoc* doc = &doc_;
    return {title, title, [doc, page](gfx::Canvas& canvas) {
                reports::DrawCrossoverReportPage(canvas, *doc, page);
            }};
}

} // namespace cw
