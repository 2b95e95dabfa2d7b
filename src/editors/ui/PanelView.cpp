#include "editors/ui/PanelView.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <memory>

namespace cw::ui
{

PanelView::PanelView(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), binder_(new FieldBinder(this)),
      grid_(new QGridLayout(this))
{
    // The panels are drawn in the system's window colour.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // The panel windows are about seven text lines high: rows are one line each, with compact
    // fields and a slightly smaller font, as in a dialog.
    QFont compact = font();
    compact.setPointSizeF(compact.pointSizeF() * 0.9);
    setFont(compact);
    setStyleSheet("QLineEdit { border: 1px solid palette(mid); padding: 0px 2px; }"
                  "QLineEdit:read-only { background: palette(window); }");
    grid_->setContentsMargins(6, 2, 6, 2);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(1);
}

QLineEdit* PanelView::NewField(bool readOnly)
{
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(readOnly);
    edit->setMinimumWidth(60);
    edit->setFixedHeight(fontMetrics().height() + 2);
    edit->installEventFilter(this);
    return edit;
}

void PanelView::UpdateFromDocument()
{
    SetUnits();
    LoadFields();
}

void PanelView::LoadFields()
{
    binder_->Load();
}

PanelView::Row PanelView::AddRow(const QString& title, const QString& symbol, const QString& unit,
                                 bool readOnly)
{
    Row row;
    row.title = new QLabel(title, this);
    row.symbol = new QLabel(symbol, this);
    row.symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.edit = NewField(readOnly);
    row.unit = new QLabel(unit, this);
    row.unit->setMinimumWidth(36);
    grid_->addWidget(row.title, nextRow_, firstColumn_);
    grid_->addWidget(row.symbol, nextRow_, firstColumn_ + 1);
    grid_->addWidget(row.edit, nextRow_, firstColumn_ + 2);
    grid_->addWidget(row.unit, nextRow_, firstColumn_ + 3);
    ++nextRow_;
    return row;
}

bool PanelView::StorePanel()
{
    if (!binder_->Store())
        return false;
    doc_.SetModified();
    return true;
}

bool PanelView::RunSteps(const CSpkSys& before, const std::vector<edit::DesignStep>& steps,
                         const QString& explanation)
{
    const edit::StepsOutcome outcome = edit::RunDesignSteps(doc_, before, steps);
    if (outcome.ok)
        return true;
    emit statusMessage(outcome.reason.empty() ? explanation
                                              : QString::fromStdString(outcome.reason));
    return false;
}

bool PanelView::eventFilter(QObject* watched, QEvent* event)
{
    // Focus into a field or a key press in the panel brings its window to the top.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)
        ActivateWindow();
    return QWidget::eventFilter(watched, event);
}

void PanelView::ActivateWindow()
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea(); area && area->activeSubWindow() != sub)
                area->setActiveSubWindow(sub);
            return;
        }
    }
}

} // namespace cw::ui
