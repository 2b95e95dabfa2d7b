#include "editors/ui/PanelView.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QTimer>

namespace cw::ui
{

namespace
{

// A form's texts are those of the panel's edit fields; the panel's own writes go through the
// binder, so that they are not taken as edits.
class EditTexts : public edit::FormTexts
{
public:
    EditTexts(FieldBinder& binder, const std::vector<QLineEdit*>& edits)
        : binder_(binder), edits_(edits)
    {
    }
    std::string Text(int row) const override { return Edit(row)->text().toStdString(); }
    void SetText(int row, const std::string& text) override
    {
        binder_.SetText(Edit(row), QString::fromStdString(text));
    }

private:
    QLineEdit* Edit(int row) const { return edits_[static_cast<std::size_t>(row)]; }

    FieldBinder& binder_;
    const std::vector<QLineEdit*>& edits_;
};

} // namespace

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
                  "QLineEdit:read-only { background: palette(window); }"
                  "QLineEdit[refused=\"true\"] { border-color: #c00000; background: #ffe4e4; }");
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
    binder_->ShowUnits(metric());
    SetUnits();
    LoadFields();
}

void PanelView::LoadFields()
{
    if (form_)
        form_->Load(wb(), metric());
}

void PanelView::SetForm(const std::vector<FieldRow>& rows, std::vector<QLineEdit*> edits)
{
    formEdits_ = std::move(edits);
    texts_ = std::make_unique<EditTexts>(*binder_, formEdits_);
    form_ = std::make_unique<edit::PanelForm>(rows, *texts_);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].readOnly) {
            connect(formEdits_[i], &QLineEdit::textChanged, this,
                    [this, i] { Typed(static_cast<int>(i)); });
        }
    }
}

int PanelView::RowOf(const QObject* field) const
{
    for (std::size_t i = 0; i < formEdits_.size(); ++i) {
        if (formEdits_[i] == field && !form_->rows()[i].readOnly)
            return static_cast<int>(i);
    }
    return -1;
}

void PanelView::Typed(int row)
{
    const edit::PanelForm::Typing typing = form_->WhileTyping(row);
    // The program's own writes only take a mark away with the text that earned it.
    if (binder_->updating()) {
        if (typing != edit::PanelForm::Typing::Broken)
            Mark(row, {});
        return;
    }
    switch (typing) {
    case edit::PanelForm::Typing::Take:
        Mark(row, {});
        Handle(form_->Edit(doc_, row));
        break;
    case edit::PanelForm::Typing::Wait:
        Mark(row, {});
        break;
    case edit::PanelForm::Typing::Broken:
        // Marked, not a message box: the rest of the typing still reaches the field.
        Mark(row, Named(row, form_->BrokenRule(row)));
        break;
    }
}

void PanelView::Left(int row)
{
    const edit::FormEdit result = form_->Leave(doc_, row);
    if (result.result != edit::FormEdit::Result::Refused) {
        Handle(result);
        return;
    }
    // The number rule's message names the field, and the focus goes back to it.
    QLineEdit* field = formEdits_[static_cast<std::size_t>(row)];
    const QString message = Named(row, result.message);
    Mark(row, message);
    refusing_ = true;
    binder_->Refuse(field, message);
    refusing_ = false;
    field->activateWindow();
    field->setFocus();
    field->selectAll();
}

void PanelView::Handle(const edit::FormEdit& edit)
{
    switch (edit.result) {
    case edit::FormEdit::Result::Refused:
        Mark(edit.row, Named(edit.row, edit.message));
        return;
    case edit::FormEdit::Result::Unusable:
        emit statusMessage(QString::fromStdString(edit.message));
        return;
    case edit::FormEdit::Result::Done:
        break;
    }
    if (!edit.message.empty())
        emit statusMessage(QString::fromStdString(edit.message));
    else if (edit.designed)
        emit statusMessage({});
    Edited(edit);
}

QString PanelView::Named(int row, const std::string& message) const
{
    return QString::fromStdString(form_->rows()[static_cast<std::size_t>(row)].Name(metric()) +
                                  ": " + message);
}

void PanelView::Mark(int row, const QString& refusal)
{
    QLineEdit* field = formEdits_[static_cast<std::size_t>(row)];
    const bool refused = !refusal.isEmpty();
    if (field->property("refused").toBool() == refused)
        return;
    field->setProperty("refused", refused);
    field->setToolTip(refusal);
    // The style sheet reads the property only when the field is polished again.
    field->style()->unpolish(field);
    field->style()->polish(field);
    emit statusMessage(refusal);
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

bool PanelView::eventFilter(QObject* watched, QEvent* event)
{
    // Focus into a field or a key press in the panel brings its window to the top.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)
        ActivateWindow();

    // Leaving a field (Enter, or the focus going to another field or window) finishes its
    // typing. A message box of the program, a menu or another application taking the focus
    // does not; a closing panel neither.
    const int row = RowOf(watched);
    if (row >= 0 && !refusing_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                Left(row);
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason) {
                // After the focus has moved, never from inside the focus change.
                QPointer<QLineEdit> field = formEdits_[static_cast<std::size_t>(row)];
                QTimer::singleShot(0, field, [this, field, row] {
                    if (field && field->isVisible() && !refusing_)
                        Left(row);
                });
            }
        }
    }
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
