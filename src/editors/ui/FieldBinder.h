#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace cw::ui
{

// Binds edit fields to fields of the model. The model field is reached through an accessor each
// time, so that a binding follows the unit copy the preference selects and survives a project
// being replaced. Pages, panels and calculators share it: loading with 15 significant digits,
// storing with the number and integer rules, showing calculated values at four digits, and the
// re-entry flag that keeps the program's own writes from being taken as edits.
class FieldBinder : public QObject
{
    Q_OBJECT
public:
    using RealField = std::function<double&()>;
    using IntField = std::function<std::int32_t&()>;

    explicit FieldBinder(QWidget* owner);

    // Binds an edit field; a null accessor leaves the field unbound (loaded and stored never).
    void BindReal(QLineEdit* edit, RealField field);
    void BindInteger(QLineEdit* edit, IntField field);
    void Rebind(QLineEdit* edit, RealField field);

    // Writes every bound value into its field ("%.*g", precision 15).
    void Load();
    // Reads every bound field in binding order. The first text that breaks its rule shows
    // "Please enter a number." (or "... an integer."), takes the focus and stops the store;
    // fields before it stay stored. Returns true when every field was stored.
    bool Store();
    // Shows a calculated value at four significant digits without it counting as an edit.
    void Show(QLineEdit* edit, double value);
    // Writes a text into a field without it counting as an edit.
    void SetText(QLineEdit* edit, const QString& text);

    bool updating() const { return updating_; }

    // Calls handler whenever the user changes the field's text and the edit guard lets the text
    // through ("0" or a value other than zero; the re-entry flag not set).
    void OnGuardedEdit(QLineEdit* edit, std::function<void()> handler);
    // Calls handler on every change of the field's text, the program's own included.
    void OnAnyChange(QLineEdit* edit, std::function<void()> handler);

private:
    struct Binding {
        QLineEdit* edit;
        RealField real;
        IntField integer;
    };
    Binding* Find(QLineEdit* edit);
    void Refuse(QLineEdit* edit, const char* message);

    QWidget* owner_;
    std::vector<Binding> bindings_;
    bool updating_ = false;
};

} // namespace cw::ui
