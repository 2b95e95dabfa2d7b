#include "editors/ui/CDrvrView.h"

#include "model/NumberFormat.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace cw::ui
{

CDrvrView::CDrvrView(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : PanelView(doc, settings, parent)
{
    setWindowTitle("Driver and System Parameters");
    heading_ = new QLabel(this);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    grid_->addWidget(heading_, 0, 0, 1, 8);

    // The driver's own values, shown only: three rows of two.
    shown_[0] = AddShownRow(1, 0, "f(s) =", "Hz");
    shown_[1] = AddShownRow(2, 0, "Q(ts) =", {});
    shown_[2] = AddShownRow(3, 0, "V(as) =", {});
    shown_[3] = AddShownRow(1, 4, "Diam. =", {});
    binder_->BindUnit(shown_[2].unit, UnitLabels(UnitKind::Volume));
    binder_->BindUnit(shown_[3].unit, kDiameterUnits);
    shown_[4] = AddShownRow(2, 4, "P(t) =", "W");
    shown_[5] = AddShownRow(3, 4, "1W/1m SPL =", "dB");
    grid_->setRowMinimumHeight(4, 5);

    // The system values edited here: number of drivers and input power on the left, the SPL
    // distance in metres (and feet) on the right.
    const std::vector<FieldRow>& rows = edit::DriverPanelRows();
    nextRow_ = 5;
    const FieldRow& metres = rows[edit::kSplMetresRow];
    const FieldRow& power = rows[edit::kInputPowerRow];
    drivers_ =
        AddRow(rows[edit::kDriverCountRow].title, rows[edit::kDriverCountRow].symbol, {}, false);
    inputPower_ = AddRow(power.title, power.symbol, power.unit, false);
    splDistance_ = Row{new QLabel(metres.title, this), nullptr, NewField(false),
                       new QLabel(QString::fromStdString(metres.Unit(true)), this)};
    feetOpen_ = new QLabel("(", this);
    splFeet_ = NewField(false);
    feetClose_ = new QLabel("ft)", this);
    splDistance_.title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->addWidget(splDistance_.title, 5, 4, 1, 2);
    grid_->addWidget(splDistance_.edit, 5, 6);
    grid_->addWidget(splDistance_.unit, 5, 7);
    auto* feet = new QHBoxLayout;
    feet->setSpacing(2);
    feet->addWidget(feetOpen_);
    feet->addWidget(splFeet_);
    feet->addWidget(feetClose_);
    grid_->addLayout(feet, 6, 5, 1, 3);
    grid_->setColumnMinimumWidth(3, 24);
    grid_->setRowStretch(7, 1);

    // In the order of the rows.
    SetForm(rows, {drivers_.edit, splDistance_.edit, splFeet_, inputPower_.edit});
    UpdateFromDocument();
}

PanelView::Row CDrvrView::AddShownRow(int row, int column, const QString& symbol,
                                      const QString& unit)
{
    Row r;
    r.symbol = new QLabel(symbol, this);
    r.symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    r.edit = NewField(true);
    r.edit->setFocusPolicy(Qt::NoFocus);
    r.unit = new QLabel(unit, this);
    grid_->addWidget(r.symbol, row, column + 1);
    grid_->addWidget(r.edit, row, column + 2);
    grid_->addWidget(r.unit, row, column + 3);
    return r;
}

QString CDrvrView::shownUnit(int index) const
{
    return shown_[index].unit->text();
}

void CDrvrView::SetUnits()
{
    const bool m = metric();
    // The feet copy of the SPL distance is there with the English preference only.
    feetOpen_->setText(m ? QString() : "(");
    feetClose_->setText(m ? QString() : "ft)");
    splFeet_->setVisible(!m);
}

void CDrvrView::LoadFields()
{
    const DriverParams& d = wb().driver;
    const bool m = metric();
    heading_->setText(QString::fromStdString(d.manufacturer + "  " + d.model));
    const double shown[6] = {
        d.fs, d.qts, m ? d.vasLiters : d.vasCuFt, m ? d.nominalDiameterMm : d.nominalDiameterIn,
        d.pt, d.spl};
    for (int i = 0; i < 6; ++i)
        binder_->SetText(shown_[i].edit, QString::fromStdString(FormatNumber(shown[i])));
    PanelView::LoadFields();
}

void CDrvrView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (edit::FollowSplDistance(wb())) {
        // The field follows after the paint, never from inside it, and never while the user
        // is typing in it.
        QTimer::singleShot(0, this, [this] {
            if (!splFeet_->hasFocus())
                form().LoadRow(edit::kSplFeetRow, wb());
        });
    }

    // Two separators: under the driver's values, and between the number of drivers and the
    // SPL distance.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    const QRect top = grid_->cellRect(4, 0);
    const int y = top.center().y();
    p.drawLine(0, y, width(), y);
    const int x = (grid_->cellRect(5, 3).right() + grid_->cellRect(5, 4).left()) / 2;
    p.drawLine(x, y, x, grid_->cellRect(6, 5).bottom());
}

void CDrvrView::Edited(const edit::FormEdit& edit)
{
    // The number of drivers changes the design the workbench panel shows.
    if (edit.designed)
        doc_.windows().RefreshWorkbenchPanel();
}

} // namespace cw::ui
