#include "editors/ui/PanelView.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>
#include <memory>
#include <vector>

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

namespace
{

// Calls fn(now, reference) for every real of the design block of the record's box type.
template <class Fn> void ForEachBlockReal(CSpkSys& now, const CSpkSys& reference, Fn fn)
{
    auto pairUp = [&](auto& nowBlock, const auto& referenceBlock) {
        std::vector<double*> nowFields;
        std::vector<const double*> referenceFields;
        using Block = std::decay_t<decltype(nowBlock)>;
        Block::Fields(nowBlock, [&](const char*, double& v) { nowFields.push_back(&v); });
        Block::Fields(referenceBlock,
                      [&](const char*, const double& v) { referenceFields.push_back(&v); });
        for (std::size_t i = 0; i < nowFields.size(); ++i)
            fn(*nowFields[i], *referenceFields[i]);
    };
    switch (now.boxType()) {
    case BoxType::Closed2:
        return pairUp(now.closed2, reference.closed2);
    case BoxType::Closed3:
        return pairUp(now.closed3, reference.closed3);
    case BoxType::Vented4:
        return pairUp(now.vented4, reference.vented4);
    case BoxType::Bandpass4:
        return pairUp(now.bandpass4, reference.bandpass4);
    case BoxType::Bandpass5:
        return pairUp(now.bandpass5, reference.bandpass5);
    case BoxType::Bandpass6:
        return pairUp(now.bandpass6, reference.bandpass6);
    case BoxType::None:
        return;
    }
}

bool Usable(double v)
{
    return std::isfinite(v) && v >= 0;
}

} // namespace

bool PanelView::StepsSucceed(std::initializer_list<bool (CSpkSysDoc::*)()> steps)
{
    const CSpkSys start = wb();
    bool ok = true;
    for (auto step : steps)
        ok = (doc_.*step)() && ok;
    // A step may also give a number no box can have: negative or not finite.
    ForEachBlockReal(wb(), start, [&](double now, double was) {
        if (now != was && !Usable(now))
            ok = false;
    });
    return ok;
}

bool PanelView::RunSteps(const CSpkSys& before, std::initializer_list<bool (CSpkSysDoc::*)()> steps,
                         const QString& explanation)
{
    const CSpkSys edited = wb();
    if (StepsSucceed(steps))
        return true;
    emit statusMessage(explanation);

    // If the design worked before the edit, the edit broke it: keep the previous values.
    CSpkSys after = wb();
    wb() = before;
    if (StepsSucceed(steps)) {
        wb() = before;
        return false;
    }
    // Otherwise the box was not designed far enough yet: keep what was typed, and no result
    // that cannot be used.
    ForEachBlockReal(after, edited, [](double& now, double was) {
        if (!Usable(now))
            now = was;
    });
    wb() = std::move(after);
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
