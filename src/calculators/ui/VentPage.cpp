#include "calculators/ui/VentPage.h"

#include "forms/FieldPolicy.h"
#include "pictures/ui/CanvasWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cw::ui
{

namespace
{

constexpr QSize kPictureSize{96, 64};

constexpr int kFieldWidth = 110; // pixels

QLineEdit* NewField(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(kFieldWidth);
    return edit;
}

QLabel* WrappedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

VentPage::VentPage(calc::VentPageKind kind, PictureFunction picture, CSpkSysDoc& doc, bool metric,
                   QWidget* parent)
    : PropertyPage(calc::VentPageTable(kind).caption, parent), doc_(doc), metric_(metric),
      model_(kind), inputGrid_(new QGridLayout), area_(NewField(this)), length_(NewField(this)),
      problem_(WrappedLabel(this)), resonance_(NewField(this)),
      resonanceWarning_(WrappedLabel(this)), minimumArea_(WrappedLabel(this))
{
    const calc::VentPageFields& table = model_.fields();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new ui::CanvasWidget(
        kPictureSize,
        [picture](gfx::Canvas& canvas) {
            picture(canvas, {0, 0, double(kPictureSize.width()), double(kPictureSize.height())});
        },
        this));

    auto* enter = new QGroupBox("Enter the Following", this);
    enter->setLayout(inputGrid_);
    layout->addWidget(enter);
    for (const calc::VentField& f : table.dimensions) {
        QLineEdit* field = AddInput(f.label, f.unit);
        binder()->Bind(field, f.Policy(metric_),
                       [this, &f]() -> double& { return f.Value(model_, metric_); });
    }
    binder()->Bind(AddInput(table.countLabel, {}), edit::kCountField,
                   [this]() -> std::uint32_t& { return model_.count(); });

    auto* results = new QGroupBox(table.resultsTitle, this);
    auto* resultGrid = new QGridLayout(results);
    for (const calc::VentField* f : {&table.area, &table.length}) {
        QLineEdit* field = f == &table.area ? area_ : length_;
        AddRow(resultGrid, f->label, field, f->unit);
        binder()->Bind(field, edit::ReadOnly(f->Policy(metric_)),
                       [this, f]() -> double& { return f->Value(model_, metric_); });
    }
    // The sentence keeps its room whether it is shown or not, so nothing below it moves.
    problem_->setMinimumHeight(2 * problem_->fontMetrics().height());
    problem_->setStyleSheet("color: #a00000");
    resultGrid->addWidget(problem_, 2, 0, 1, 3);
    layout->addWidget(results);

    auto* checks = new QGroupBox("Checks on the Vent", this);
    auto* checkGrid = new QGridLayout(checks);
    AddRow(checkGrid, table.resonanceLabel, resonance_, table.resonanceUnit);
    binder()->ShowUnits(metric_);
    binder()->Bind(resonance_, edit::ReadOnly(edit::kComponentField),
                   [this]() -> double& { return resonanceHz_; });
    // Room for the longest sentences, so that a sheet sized for its tallest page never clips them.
    resonanceWarning_->setMinimumHeight(2 * resonanceWarning_->fontMetrics().height());
    minimumArea_->setMinimumHeight(3 * minimumArea_->fontMetrics().height());
    checkGrid->addWidget(resonanceWarning_, 1, 0, 1, 3);
    checkGrid->addWidget(minimumArea_, 2, 0, 1, 3);
    layout->addWidget(checks);
    layout->addStretch();
}

QLineEdit* VentPage::AddInput(const QString& label, UnitTexts unit)
{
    QLineEdit* field = NewField(this);
    AddRow(inputGrid_, label, field, unit);
    inputs_.push_back(field);
    binder()->OnAcceptedEdit(field, [this] {
        doc_.SetModified();
        model_.Recalculate(metric_);
        ShowResults();
    });
    return field;
}

void VentPage::AddRow(QGridLayout* grid, const QString& label, QLineEdit* field, UnitTexts unit)
{
    const int row = grid->count() / 3; // label, field and unit a row
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(field, row, 1);
    auto* unitText = new QLabel(this);
    binder()->BindUnit(unitText, unit);
    grid->addWidget(unitText, row, 2);
    grid->setColumnStretch(2, 1);
    units_.insert(field, unitText);
}

QString VentPage::unitLabel(const QLineEdit* field) const
{
    const QLabel* label = units_.value(field);
    return label ? label->text() : QString();
}

void VentPage::OnStart()
{
    // A box type without a vented chamber leaves the design values at zero: the page then says
    // that the design gives it nothing to work with.
    model_.Start(doc_.workbench(), metric_);
    doc_.SetModified();
    binder()->Load();
    ShowResults();
}

void VentPage::OnActivate(bool first)
{
    PropertyPage::OnActivate(first);
    ShowResults();
}

bool VentPage::OnLeave()
{
    if (!PropertyPage::OnLeave())
        return false;
    // A text the guard let pass unseen ("0.") is stored now: what OK writes must be the vent the
    // fields show.
    model_.Recalculate(metric_);
    ShowResults();
    return true;
}

void VentPage::OnOK()
{
    model_.WriteBack(doc_.workbench());
}

void VentPage::ShowResults()
{
    const calc::VentResult& r = model_.result();
    binder()->Load(area_);
    if (r.Usable())
        binder()->Load(length_);
    else
        binder()->SetText(length_, QString());
    problem_->setText(QString::fromUtf8(calc::VentProblemText(r.problem)));

    resonanceHz_ = model_.PipeResonanceHz();
    if (resonanceHz_ > 0)
        binder()->Load(resonance_);
    else
        binder()->SetText(resonance_, QString());
    resonanceWarning_->setText(QString::fromStdString(model_.ResonanceWarning()));
    minimumArea_->setText(QString::fromStdString(model_.MinimumAreaSentence(metric_)));
}

} // namespace cw::ui
