#include "calculators/ui/CBoxPage.h"

#include "forms/FieldPolicy.h"
#include "model/CSpkSysDoc.h"
#include "model/EditRules.h"
#include "model/NumberFormat.h"
#include "pictures/BoxDrawing.h"
#include "pictures/ui/CanvasWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <optional>

namespace cw::ui
{

namespace
{

using calc::BoxField;
using calc::BoxLock;
using calc::BoxPageKind;
using calc::Chamber;
using Q = calc::BoxQuantity;

// The drawing shows at twice its pixel grid at least, so that its labels read like the page's.
constexpr double kDrawingScale = 2;

QSize DrawingSize(BoxPageKind kind)
{
    const gfx::Point size = pictures::BoxDrawingSize(kind);
    return {static_cast<int>(size.x), static_cast<int>(size.y)};
}

} // namespace

CBoxPage::CBoxPage(BoxPageKind kind, CSpkSysDoc& doc, bool metric, QWidget* parent)
    : PropertyPage(calc::BoxPageName(kind), parent), kind_(kind), doc_(doc), metric_(metric),
      calc_(kind, doc.workbench(), doc.boxLocks),
      drawing_(ui::CanvasWidget::Fitted(
          DrawingSize(kind), kDrawingScale,
          [this](gfx::Canvas& canvas) {
              const gfx::Point size = pictures::BoxDrawingSize(kind_);
              canvas.FillRect({0, 0, size.x, size.y}, gfx::kWhite);
              pictures::DrawBoxDrawing(canvas, kind_, doc_.workbench(), metric_);
          },
          this)),
      notes_(new QPlainTextEdit(this)), sentence_(new QLabel(this))
{
    auto* left = new QVBoxLayout;
    left->addWidget(drawing_);
    left->addWidget(new QLabel("Notes:", this));
    left->addWidget(notes_);
    binder()->Bind(notes_, edit::kMultiLineTextField,
                   [this]() -> std::string& { return calc_.notes(); });

    auto* right = new QVBoxLayout;
    for (const bool adjustments : {false, true}) {
        auto* group = new QGroupBox(adjustments ? "Adjustments and Net Internal Volume: "
                                                : "Box Dimensions and Gross Internal Volume: ",
                                    this);
        auto* grid = new QGridLayout(group);
        BuildRows(grid, adjustments);
        right->addWidget(group);
    }
    binder()->ShowUnits(metric_);
    sentence_->setWordWrap(true);
    sentence_->setStyleSheet("color: #a00000");
    right->addWidget(sentence_);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

void CBoxPage::BuildRows(QGridLayout* grid, bool adjustments)
{
    const bool bandpass = kind_ == BoxPageKind::Bandpass;
    const int unitColumn = bandpass ? 4 : 3;
    int row = 0;
    if (bandpass) {
        grid->addWidget(new QLabel("Rear", this), row, 2, Qt::AlignCenter);
        grid->addWidget(new QLabel("Front", this), row, 3, Qt::AlignCenter);
        ++row;
    }
    for (const calc::BoxRow& line : calc::BoxPageRows(kind_)) {
        if (line.adjustment != adjustments)
            continue;
        if (line.lock) {
            auto* box = new QCheckBox(line.pageTitle, this);
            const BoxLock lock = *line.lock;
            connect(box, &QCheckBox::clicked, this, [this, lock] { OnLockClicked(lock); });
            locks_[lock] = box;
            grid->addWidget(box, row, 0);
        } else {
            grid->addWidget(new QLabel(line.pageTitle, this), row, 0);
        }
        grid->addWidget(new QLabel(line.pageSymbol, this), row, 1, Qt::AlignRight);
        grid->addWidget(AddField(line, line.rear), row, 2);
        if (bandpass) {
            // The front chamber shares the rear's width and depth.
            if (line.front)
                grid->addWidget(AddField(line, *line.front), row, 3);
            else
                grid->addWidget(new QLabel("____", this), row, 3, Qt::AlignCenter);
        }
        auto* unit = new QLabel(this);
        binder()->BindUnit(unit, line.unit);
        grid->addWidget(unit, row, unitColumn);
        ++row;
    }
}

QLineEdit* CBoxPage::AddField(const calc::BoxRow& row, const calc::BoxCell& cell)
{
    auto* edit = new QLineEdit(this);
    edit->setFixedWidth(90);
    const BoxField field = cell.Field(metric_);
    binder()->Bind(edit, *row.policy, [this, field]() -> double& { return *calc_.Value(field); });
    fields_.push_back({edit, field});
    binder()->OnTyping(edit, [this, edit](edit::Typing typing) {
        for (const Field& f : fields_) {
            if (f.edit == edit)
                OnTyped(f, typing);
        }
    });
    return edit;
}

QLineEdit* CBoxPage::field(Q quantity, Chamber chamber) const
{
    for (const Field& f : fields_) {
        if (f.field.quantity == quantity && f.field.chamber == chamber)
            return f.edit;
    }
    return nullptr;
}

QCheckBox* CBoxPage::lockBox(BoxLock lock) const
{
    const auto it = locks_.find(lock);
    return it == locks_.end() ? nullptr : it->second;
}

QString CBoxPage::guardSentence() const
{
    return sentence_->text();
}

std::vector<double> CBoxPage::Values()
{
    std::vector<double> values;
    for (const Field& f : fields_)
        values.push_back(*calc_.Value(f.field));
    return values;
}

void CBoxPage::OnStart()
{
    const std::vector<double> before = Values();
    calc_.Start();
    if (Values() != before)
        doc_.SetModified();
    PropertyPage::OnStart();
    ShowLocks();
    ShowState();
}

void CBoxPage::OnActivate(bool first)
{
    PropertyPage::OnActivate(first);
    // The cut list page shows the box of the box page last shown.
    doc_.cutList.boxPage = static_cast<std::int32_t>(kind_);
    ShowLocks();
    ShowState();
}

bool CBoxPage::OnLeave()
{
    // A text is complete when the page is left: one the calculator refused (or one the edit
    // guard let pass unseen, such as "0.") is tried once more, and what it still refuses goes
    // back to the value the record holds, so that nothing the page refused is stored now.
    for (const Field& f : fields_) {
        const std::optional<double> typed = edit::ParseNumber(f.edit->text().toStdString());
        if (typed && *typed != *calc_.Value(f.field))
            OnEdit(f);
        if (typed && *typed != *calc_.Value(f.field))
            binder()->Load(f.edit);
    }
    const std::string notes = calc_.notes();
    const bool stored = PropertyPage::OnLeave();
    if (calc_.notes() != notes)
        doc_.SetModified();
    return stored;
}

void CBoxPage::OnTyped(const Field& typed, edit::Typing typing)
{
    // A field the locks hold takes no typing at all: the calculator says why, and the field
    // keeps showing the record's value, so no half-typed text is left to stop OK.
    if (calc_.WhyFixed(typed.field)) {
        calc_.Edit(typed.field, *calc_.Value(typed.field));
        binder()->Load(typed.edit);
        ShowState();
        return;
    }
    if (typing == edit::Typing::Take)
        OnEdit(typed);
}

// The calculators' rule for an accepted edit: every field of the page whose text its rule takes
// goes into the record, then the page solves the box from the edited value. The edited value goes
// through the calculator rather than straight into the record, so that an edit it refuses leaves
// the record as it was.
void CBoxPage::OnEdit(const Field& edited)
{
    double& value = *calc_.Value(edited.field);
    const double previous = value;
    const std::vector<double> before = Values();
    binder()->StoreTaken();
    const double typed = value;
    value = previous;
    calc_.Edit(edited.field, typed);
    doc_.SetModified();
    ShowResults(before, &edited);
    // A value the calculator refused stays as typed (the user may be on the way to a value it
    // takes) while the sentence says why; leaving the page puts the record's value back.
    ShowState();
}

void CBoxPage::ShowResults(const std::vector<double>& before, const Field* edited)
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const Field& f = fields_[i];
        const double value = *calc_.Value(f.field);
        if (&f != edited && value != before[i])
            binder()->SetText(f.edit, QString::fromStdString(FormatSixDigits(value)));
    }
}

void CBoxPage::OnLockClicked(BoxLock lock)
{
    const calc::LockClick click = calc_.ClickLock(lock);
    ShowLocks();
    if (click.accepted)
        doc_.SetModified();
    if (click.message)
        binder()->Refuse(lockBox(lock), QString::fromUtf8(click.message));
}

void CBoxPage::ShowLocks()
{
    for (const auto& [lock, box] : locks_)
        box->setChecked(calc_.IsLocked(lock));
}

void CBoxPage::ShowState()
{
    sentence_->setText(QString::fromStdString(calc_.guardMessage()));
    drawing_->update();
}

} // namespace cw::ui
