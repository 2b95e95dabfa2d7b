#include "editors/ui/SystemDetailsPage.h"

#include "editors/DesignEdit.h"
#include "model/BoxTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace cw::ui
{

SystemDetailsPage::SystemDetailsPage(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                                     QWidget* parent)
    : SystemPage("System:  Details", doc, settings, SystemSidePanel::BoxTypeText::Fixed, parent),
      type_(type)
{
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    const int width = fontMetrics().horizontalAdvance("0.000000000000000");
    static const std::vector<FieldRow> kNoRows;
    const BoxDescription* box = DescribeBox(type);
    for (const FieldRow& r : box ? box->editorRows : kNoRows) {
        const int line = static_cast<int>(rows_.size());
        auto* edit = new QLineEdit(this);
        edit->setFixedWidth(width);
        auto* unit = new QLabel(this);
        grid->addWidget(new QLabel(r.title, this), line, 0);
        grid->addWidget(new QLabel(r.symbol, this), line, 1, Qt::AlignRight);
        grid->addWidget(edit, line, 2);
        grid->addWidget(unit, line, 3);
        binder()->BindUnit(unit, r.Units());
        const FieldRow* row = &r; // the table lives as long as the program
        if (r.integer) {
            binder()->Bind(edit, edit::kIntegerField, [this, row]() -> std::int32_t& {
                return row->integer(doc_.workbench());
            });
        } else {
            // The accessor picks the copy of the units preference each time it is reached.
            binder()->Bind(edit, r.readOnly ? edit::ReadOnly(edit::kRealField) : edit::kRealField,
                           [this, row]() -> double& {
                               return *row->Shown(doc_.workbench(), settings_.metric());
                           });
        }
        rows_.push_back({row, edit, unit});
    }
    connect(binder(), &FieldBinder::edited, this, [this](QWidget* field) {
        for (const Row& r : rows_) {
            if (r.edit == field && r.row->english != nullptr && !r.row->readOnly &&
                std::find(twinsToFollow_.begin(), twinsToFollow_.end(), r.row) ==
                    twinsToFollow_.end())
                twinsToFollow_.push_back(r.row);
        }
    });
    grid->setColumnStretch(4, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addStretch();
    SetLeftHalf(left);
}

const SystemDetailsPage::Row* SystemDetailsPage::Find(const QString& symbol) const
{
    for (const Row& r : rows_) {
        if (symbol == r.row->symbol)
            return &r;
    }
    return nullptr;
}

QLineEdit* SystemDetailsPage::field(const QString& symbol) const
{
    const Row* r = Find(symbol);
    return r ? r->edit : nullptr;
}

QLabel* SystemDetailsPage::unitLabel(const QString& symbol) const
{
    const Row* r = Find(symbol);
    return r ? r->unit : nullptr;
}

void SystemDetailsPage::SetUnits()
{
    binder()->ShowUnits(settings_.metric());
}

void SystemDetailsPage::OnStart()
{
    SetUnits();
    SystemPage::OnStart();
}

void SystemDetailsPage::OnActivate(bool first)
{
    SetUnits();
    SystemPage::OnActivate(first);
}

bool SystemDetailsPage::OnLeave()
{
    SetUnits();
    if (!SystemPage::OnLeave())
        return false;
    // The copy in the other unit follows the typed one, so that the two never disagree.
    for (const FieldRow* row : twinsToFollow_) {
        if (!edit::FollowTwin(*row, doc_.workbench(), settings_.metric())) {
            binder()->Refuse(Find(row->symbol)->edit, edit::kEnterNumber);
            return false;
        }
    }
    twinsToFollow_.clear();
    return true;
}

} // namespace cw::ui
