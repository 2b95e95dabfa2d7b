#include "forms/ui/FieldBinder.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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

void FieldBinder::Refuse(QWidget* field, const QString& message)
{
    Sink()(owner_, message);
    field->setFocus();
}

void FieldBinder::SetText(FieldAdapter field, const QString& text)
{
    Updating guard(updating_);
    field.setText(text);
}

void FieldBinder::OnGuardedEdit(QLineEdit* edit, std::function<void()> handler)
{
    connect(edit, &QLineEdit::textChanged, this,
            [this, handler = std::move(handler)](const QString& text) {
                if (updating_ || !edit::PassesEditGuard(text.toStdString()))
                    return;
                handler();
            });
}

void FieldBinder::OnAcceptedEdit(QLineEdit* edit, std::function<void()> handler)
{
    OnGuardedEdit(edit, [this, handler = std::move(handler)] {
        Store();
        handler();
    });
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
