#include "forms/ui/FieldBinder.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace cw::ui
{

namespace
{

// Sets the re-entry flag for as long as it lives.
class Updating
{
public:
    explicit Updating(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~Updating() { flag_ = previous_; }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

private:
    bool& flag_;
    bool previous_;
};

void WarningBox(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QStringLiteral("Conewright"), message);
}

FieldBinder::RefusalSink& Sink()
{
    static FieldBinder::RefusalSink sink = WarningBox;
    return sink;
}

} // namespace

FieldBinder::FieldBinder(QWidget* owner) : QObject(owner), owner_(owner) {}

FieldBinder::RefusalSink FieldBinder::SetRefusalSink(RefusalSink sink)
{
    RefusalSink previous = std::move(Sink());
    Sink() = sink ? std::move(sink) : RefusalSink(WarningBox);
    return previous;
}

void FieldBinder::Add(FieldAdapter field, edit::BoundField value)
{
    if (value.readOnly())
        field.setReadOnly(true);
    QWidget* widget = field.widget();
    field.onChanged(this, [this, widget] {
        if (!updating_)
            emit edited(widget);
    });
    bindings_.push_back({field, std::move(value)});
}

FieldBinder::Binding* FieldBinder::Find(QWidget* widget)
{
    for (auto& b : bindings_) {
        if (b.field.widget() == widget)
            return &b;
    }
    return nullptr;
}

void FieldBinder::Load()
{
    for (auto& b : bindings_) {
        if (b.value.bound())
            SetText(b.field, QString::fromStdString(b.value.Text()));
    }
}

void FieldBinder::Load(FieldAdapter field)
{
    if (Binding* b = Find(field.widget()); b && b->value.bound())
        SetText(b->field, QString::fromStdString(b->value.Text()));
}

bool FieldBinder::Store()
{
    for (auto& b : bindings_) {
        if (!b.value.bound() || b.value.readOnly())
            continue;
        if (!b.value.Take(b.field.text().toStdString())) {
            Refuse(b.field.widget(), QString::fromUtf8(b.value.refusal()));
            return false;
        }
    }
    return true;
}

void FieldBinder::StoreTaken()
{
    for (auto& b : bindings_) {
        if (b.value.bound() && !b.value.readOnly())
            b.value.Take(b.field.text().toStdString());
    }
}

void FieldBinder::Refuse(QWidget* field, const QString& message)
{
    // Focus leaving a field while the message is up judges nothing: the message is said once.
    const bool wasRefusing = refusing_;
    refusing_ = true;
    Sink()(owner_, message);
    refusing_ = wasRefusing;
    field->setFocus();
}

void FieldBinder::SetText(FieldAdapter field, const QString& text)
{
    Updating guard(updating_);
    field.setText(text);
}

void FieldBinder::OnTyping(QLineEdit* edit, std::function<void(edit::Typing)> handler)
{
    inputs_.push_back({edit, std::move(handler)});
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { Typed(edit); });
}

void FieldBinder::OnAcceptedEdit(QLineEdit* edit, std::function<void()> handler)
{
    OnTyping(edit, [this, handler = std::move(handler)](edit::Typing typing) {
        if (typing != edit::Typing::Take)
            return;
        StoreTaken();
        handler();
    });
}

const FieldBinder::Input* FieldBinder::FindInput(const QLineEdit* edit) const
{
    for (const Input& input : inputs_) {
        if (input.edit == edit)
            return &input;
    }
    return nullptr;
}

void FieldBinder::Typed(QLineEdit* edit)
{
    const Binding* b = Find(edit);
    const Input* input = FindInput(edit);
    if (!b || !b->value.bound() || !input)
        return;
    const edit::Typing typing = b->value.WhileTyping(edit->text().toStdString());
    // The program's own writes only take a mark away with the text that earned it.
    if (typing != edit::Typing::Broken)
        Mark(edit, nullptr);
    if (updating_)
        return;
    if (typing == edit::Typing::Broken)
        Mark(edit, b->value.refusal());
    const auto handler = input->typed; // the handler may add inputs
    handler(typing);
}

bool FieldBinder::Finish(QLineEdit* edit)
{
    const Binding* b = Find(edit);
    const Input* input = FindInput(edit);
    if (!b || !b->value.bound() || !input)
        return true;
    const std::string text = edit->text().toStdString();
    if (!b->value.Takes(text)) {
        Refuse(edit, QString::fromUtf8(b->value.refusal()));
        edit->selectAll();
        return false;
    }
    if (edit->isModified() && !edit::PassesEditGuard(text)) {
        const auto handler = input->typed;
        handler(edit::Typing::Take);
    }
    return true;
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || refusing_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // A refused text keeps Enter from reaching the sheet's default button.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Finish(edit))
            return true;
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            // Judged once the focus has moved, and only when it moved on to another field of the
            // owner: a sheet's OK, Print and tab change judge the page themselves, and Cancel
            // judges nothing.
            QPointer<QLineEdit> field = edit;
            QTimer::singleShot(0, this, [this, field] {
                QWidget* focus = QApplication::focusWidget();
                if (field && field->isVisible() && !refusing_ && focus != field &&
                    owner_->isAncestorOf(focus))
                    Finish(field);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void FieldBinder::Mark(QLineEdit* edit, const char* refusal)
{
    const bool refused = refusal != nullptr;
    if (edit->property("refused").toBool() == refused)
        return;
    edit->setProperty("refused", refused);
    edit->setProperty("refusal", refused ? QString::fromUtf8(refusal) : QString());
    Paint(edit);
}

void FieldBinder::Note(QLineEdit* edit, const QString& note)
{
    if (edit->property("note").toString() == note)
        return;
    edit->setProperty("note", note);
    Paint(edit);
}

void FieldBinder::Paint(QLineEdit* edit)
{
    const QString refusal = edit->property("refusal").toString();
    const QString note = edit->property("note").toString();
    // Unmarked, the field is as its page draws fields (a page on the button face has its own).
    const QWidget* page = edit->parentWidget();
    QColor base = (page ? page->palette() : QApplication::palette(edit)).color(QPalette::Base);
    if (!refusal.isEmpty())
        base = QColor(0xff, 0xe4, 0xe4);
    else if (!note.isEmpty())
        base = QColor(0xff, 0xf0, 0xc0);
    edit->setToolTip(refusal.isEmpty() ? note : refusal);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, base);
    edit->setPalette(palette);
}

void FieldBinder::BindUnit(QLabel* label, UnitTexts unit)
{
    units_.emplace_back(label, unit);
    label->setText(QString::fromUtf8(unit.metric));
}

void FieldBinder::ShowUnits(bool metric)
{
    for (const auto& [label, unit] : units_)
        label->setText(QString::fromUtf8(unit.Pick(metric)));
}

} // namespace cw::ui
