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

VentPage::VentPage(const QString& caption, PictureFunction picture, const QString& resultsTitle,
                   const QString& lengthLabel, CSpkSysDoc& doc, bool metric, QWidget* parent)
    : PropertyPage(caption, parent), doc_(doc), metric_(metric), inputs_(new QGridLayout),
      area_(NewField(this)), length_(NewField(this)), problem_(WrappedLabel(this)),
      resonance_(NewField(this)), resonanceWarning_(WrappedLabel(this)),
      minimumArea_(WrappedLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new ui::CanvasWidget(
        kPictureSize,
        [picture](gfx::Canvas& canvas) {
            picture(canvas, {0, 0, double(kPictureSize.width()), double(kPictureSize.height())});
        },
        this));

    auto* enter = new QGroupBox("Enter the Following", this);
    enter->setLayout(inputs_);
    layout->addWidget(enter);

    auto* results = new QGroupBox(resultsTitle, this);
    auto* resultGrid = new QGridLayout(results);
    AddRow(resultGrid, "Vent Surface Area =", area_, AreaUnit());
    AddRow(resultGrid, lengthLabel, length_, LengthUnit());
    // The sentence keeps its room whether it is shown or not, so nothing below it moves.
    problem_->setMinimumHeight(2 * problem_->fontMetrics().height());
    problem_->setStyleSheet("color: #a00000");
    resultGrid->addWidget(problem_, 2, 0, 1, 3);
    layout->addWidget(results);
    binder()->Bind(area_, edit::ReadOnly(metric_ ? edit::kFixed5Field : edit::kFixed3Field),
                   [this]() -> double& { return metric_ ? result().areaSqM : result().areaSqIn; });
    binder()->Bind(length_, edit::ReadOnly(edit::kFixed3Field),
                   [this]() -> double& { return metric_ ? result().lengthM : result().lengthIn; });

    auto* checks = new QGroupBox("Checks on the Vent", this);
    auto* checkGrid = new QGridLayout(checks);
    AddRow(checkGrid, "First Pipe Resonance =", resonance_, "Hz");
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

QLineEdit* VentPage::AddInput(const QString& label, const QString& unit)
{
    QLineEdit* field = NewField(this);
    AddRow(inputs_, label, field, unit);
    binder()->OnAcceptedEdit(field, [this] {
        doc_.SetModified();
        Recalculate();
        ShowResults();
    });
    return field;
}

void VentPage::AddRow(QGridLayout* grid, const QString& label, QLineEdit* field,
                      const QString& unit)
{
    const int row = grid->count() / 3; // label, field and unit a row
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(field, row, 1);
    auto* unitText = new QLabel(unit, this);
    grid->addWidget(unitText, row, 2);
    grid->setColumnStretch(2, 1);
    units_.insert(field, unitText);
}

QString VentPage::unitLabel(const QLineEdit* field) const
{
    const QLabel* label = units_.value(field);
    return label ? label->text() : QString();
}

QString VentPage::AreaUnit() const
{
    return metric_ ? "Sq m" : "Sq In";
}

QString VentPage::LengthUnit() const
{
    return metric_ ? "m" : "In";
}

void VentPage::OnStart()
{
    // A box type without a vented chamber leaves the design values at zero: the page then says
    // that the design gives it nothing to work with.
    design_ = calc::DesignValuesForVent(doc_.workbench()).value_or(calc::VentDesignValues{});
    Propose();
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
    Recalculate();
    ShowResults();
    return true;
}

void VentPage::OnOK()
{
    calc::WriteVentBack(doc_.workbench(), result());
}

void VentPage::ShowResults()
{
    const calc::VentResult& r = result();
    binder()->Load(area_);
    if (r.Usable())
        binder()->Load(length_);
    else
        binder()->SetText(length_, QString());
    problem_->setText(QString::fromUtf8(calc::VentProblemText(r.problem)));

    resonanceHz_ = calc::PipeResonanceHz(r, count());
    if (resonanceHz_ > 0)
        binder()->Load(resonance_);
    else
        binder()->SetText(resonance_, QString());
    resonanceWarning_->setText(
        resonanceHz_ > 0 && resonanceHz_ < calc::kPipeResonanceWarningHz
            ? "Warning: the vent's pipe resonance is below 500 Hz and may be heard through the "
              "vent."
            : QString());

    const double minimum = metric_ ? design_.svMinSqM : design_.svMinSqIn;
    const QString shown =
        QString::fromStdString((metric_ ? edit::kFixed5Field : edit::kFixed3Field).format(minimum));
    if (!(design_.svMinSqIn > 0))
        minimumArea_->setText("The design gives no minimum recommended vent area.");
    else if (calc::ReachesMinimumArea(r, design_))
        minimumArea_->setText(
            QString("The vent area reaches the design's minimum recommended vent area of %1 %2.")
                .arg(shown.trimmed(), AreaUnit()));
    else
        minimumArea_->setText(QString("The vent area is below the design's minimum recommended "
                                      "vent area of %1 %2: the vent may be noisy at high levels.")
                                  .arg(shown.trimmed(), AreaUnit()));
}

} // namespace cw::ui
