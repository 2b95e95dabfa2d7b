#include "editors/ui/BoxPanelView.h"

#include "model/BoxTable.h"
#include "pictures/ui/BoxIcon.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace cw::ui
{

BoxPanelView::BoxPanelView(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                           QWidget* parent)
    : PanelView(doc, settings, parent), type_(type)
{
    setWindowTitle(QString::fromUtf8(BoxTypeName(type).data()));
    // The icon stands in a column of its own, so that the rows keep every line of the window.
    grid_->addWidget(new BoxIcon(type, this), 0, 0, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    firstColumn_ = 1;

    const BoxDescription* box = DescribeBox(type);
    if (box == nullptr)
        return;
    std::vector<QLineEdit*> edits;
    for (const FieldRow& r : box->panelRows) {
        rows_.push_back(AddRow(r.title, r.symbol, r.unit, r.readOnly));
        binder_->BindUnit(rows_.back().unit, r.Units());
        if (*r.title == '\0')
            PlaceUnderPicture(rows_.back());
        edits.push_back(rows_.back().edit);
    }
    SetForm(box->panelRows, std::move(edits));
    UpdateFromDocument();
}

void BoxPanelView::PlaceUnderPicture(const Row& row)
{
    --nextRow_;
    for (QWidget* w : {static_cast<QWidget*>(row.title), static_cast<QWidget*>(row.symbol),
                       static_cast<QWidget*>(row.edit), static_cast<QWidget*>(row.unit)})
        grid_->removeWidget(w);
    row.title->hide();
    row.edit->setMinimumWidth(48);
    auto* line = new QHBoxLayout;
    line->setSpacing(3);
    line->addWidget(row.symbol);
    line->addWidget(row.edit);
    line->addWidget(row.unit);
    grid_->addLayout(line, 4 + seriesComponents_++, 0);
}

const PanelView::Row* BoxPanelView::Find(const QString& symbol) const
{
    for (const Row& r : rows_) {
        if (r.symbol->text() == symbol)
            return &r;
    }
    return nullptr;
}

QLineEdit* BoxPanelView::field(const QString& symbol) const
{
    const Row* r = Find(symbol);
    return r ? r->edit : nullptr;
}

QString BoxPanelView::unitLabel(const QString& symbol) const
{
    const Row* r = Find(symbol);
    return r ? r->unit->text() : QString();
}

} // namespace cw::ui
