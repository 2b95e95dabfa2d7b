#include "editors/ui/FieldBinder.h"

#include "editors/EditRules.h"
#include "model/NumberFormat.h"

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

} // namespace

FieldBinder::FieldBinder(QWidget* owner) : QObject(owner), owner_(owner) {}

void FieldBinder::BindReal(QLineEdit* edit, RealField field)
{
    bindings_.push_back({edit, std::move(field), {}});
}

void FieldBinder::BindInteger(QLineEdit* edit, IntField field)
{
    bindings_.push_back({edit, {}, std::move(field)});
}

void FieldBinder::Rebind(QLineEdit* edit, RealField field)
{
    if (Binding* b = Find(edit))
        b->real = std::move(field);
}

FieldBinder::Binding* FieldBinder::Find(QLineEdit* edit)
{
    for (auto& b : bindings_) {
        if (b.edit == edit)
            return &b;
    }
    return nullptr;
}

void FieldBinder::Load()
{
    for (auto& b : bindings_) {
        if (b.real)
            SetText(b.edit, QString::fromStdString(FormatNumber(b.real())));
        else if (b.integer)
            SetText(b.edit, QString::number(b.integer()));
    }
}

bool FieldBinder::Store()
{
    for (auto& b : bindings_) {
        const std::string text = b.edit->text().toStdString();
        if (b.real) {
            const auto value = edit::ParseNumber(text);
            if (!value) {
                Refuse(b.edit, edit::kEnterNumber);
                return false;
            }
            b.real() = *value;
        } else if (b.integer) {
            const auto value = edit::ParseInteger(text);
            if (!value) {
                Refuse(b.edit, edit::kEnterInteger);
                return false;
            }
            b.integer() = *value;
        }
    }
    return true;
}

void FieldBinder::Refuse(QLineEdit* edit, const char* message)
{
    QMessageBox::warning(owner_, QStringLiteral("Conewright"), QString::fromUtf8(message));
    edit->setFocus();
}

void FieldBinder::Show(QLineEdit* edit, double value)
{
    SetText(edit, QString::fromStdString(FormatShown(value)));
}

void FieldBinder::SetText(QLineEdit* edit, const QString& text)
{
    // An unchanged text is left alone, so that the cursor and undo history stay where they are.
    if (edit->text() == text)
        return;
    Updating guard(updating_);
    edit->setText(text);
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

void FieldBinder::OnAnyChange(QLineEdit* edit, std::function<void()> handler)
{
    connect(edit, &QLineEdit::textChanged, this,
            [handler = std::move(handler)](const QString&) { handler(); });
}

} // namespace cw::ui
