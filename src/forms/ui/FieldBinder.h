#pragma once

#include "forms/FieldPolicy.h"
#include "forms/ui/FieldAdapter.h"
#include "model/EditRules.h"
#include "model/FieldRow.h"

#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

class QEvent;
class QLabel;
class QLineEdit;
class QWidget;

namespace cw::ui
{

// Binds field widgets (line edits, multi-line fields) to values of the model, each
// through its policy. The value is reached through an accessor each time, so that a binding
// follows the unit copy the preference selects and survives a project being replaced. Pages,
// panels and calculators share it: loading, storing in binding order with the policies' rules,
// the refusal message with the focus back on the field, and the re-entry flag that keeps the
// program's own writes from being taken as edits.
class FieldBinder : public QObject
{
    Q_OBJECT
public:
    // Where the message of a refused text goes. The program shows a modal warning box; tests
    // record the message instead.
    using RefusalSink = std::function<void(QWidget* parent, const QString& message)>;

    explicit FieldBinder(QWidget* owner);

    // Sends the refusals of every binder to sink (an empty sink restores the warning box) and
    // returns the sink that was installed.
    static RefusalSink SetRefusalSink(RefusalSink sink);

    // Binds a field to a model value; a read-only policy makes the field read-only (other fields
    // are left as they are). A null accessor leaves the field unbound (loaded and stored never).
    template <class T>
    void Bind(FieldAdapter field, const edit::FieldPolicy<T>& policy,
              std::type_identity_t<std::function<T&()>> value)
    {
        Add(field, edit::BoundField(policy, std::move(value)));
    }
    // Writes every bound value into its field.
    void Load();
    // Writes one field's value, e.g. a result the page has just calculated.
    void Load(FieldAdapter field);
    // Reads every bound field that is not read-only, in binding order. The first text that its
    // policy refuses sends the policy's message to the refusal sink, takes the focus and stops
    // the store; fields before it stay stored. Returns true when every field was stored.
    bool Store();
    // Writes a text into a field without it counting as an edit.
    void SetText(FieldAdapter field, const QString& text);
    // True while the binder writes a field: a change seen then is the program's own.
    bool updating() const { return updating_; }
    // Sends a refusal's message to the refusal sink and puts the focus back into the field.
    void Refuse(QWidget* field, const QString& message);

    // Calls handler with what the text comes to by the field's rule whenever the user changes
    // it; nothing shows a message while the user types. When the user finishes the field (Enter,
    // or the focus moving on to another field of the owner), a text the rule refuses sends its
    // message to the refusal sink once and takes the focus back, and a finished number that
    // the edit guard held back while it was typed ("0.0") comes to handler as taken then.
    void OnTyping(QLineEdit* edit, std::function<void(edit::Typing)> handler);
    // The calculators' rule for an edited input: when the typing gives a text the field takes,
    // every field whose text its rule takes is stored (the others keep their values, quietly)
    // and then handler runs on what the model holds.
    void OnAcceptedEdit(QLineEdit* edit, std::function<void()> handler);
    // Stores every bound field that is not read-only and whose text its policy takes; the others
    // keep their values and nothing is said.
    void StoreTaken();

    // Marks a field whose value is doubtful, with the reason as its tip, until an empty note
    // takes the mark away. A refused text shows over the note, which returns once it is mended.
    static void Note(QLineEdit* edit, const QString& note);

    // Shows a field's unit in label, in the copy of the units preference: the label is written now
    // with the metric unit, and again by every ShowUnits.
    void BindUnit(QLabel* label, UnitTexts unit);
    // Writes every unit label in the copy the units preference selects.
    void ShowUnits(bool metric);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user changed a bound field (the program's own writes excluded).
    void edited(QWidget* field);

private:
    struct Binding {
        FieldAdapter field;
        edit::BoundField value;
    };
    // A field typed into as an input, and what its typing sets off.
    struct Input {
        QLineEdit* edit;
        std::function<void(edit::Typing)> typed;
    };
    void Add(FieldAdapter field, edit::BoundField value);
    Binding* Find(QWidget* widget);
    const Input* FindInput(const QLineEdit* edit) const;
    void Typed(QLineEdit* edit);
    // The user has finished typing into a field: false when its text was refused.
    bool Finish(QLineEdit* edit);
    // Shows a text no typing can mend on the field itself, with the rule's message as its tip.
    static void Mark(QLineEdit* edit, const char* refusal);
    // Colours a field and sets its tip by its refusal, else its note.
    static void Paint(QLineEdit* edit);

    QWidget* owner_;
    std::vector<Binding> bindings_;
    std::vector<Input> inputs_;
    std::vector<std::pair<QLabel*, UnitTexts>> units_;
    bool updating_ = false;
    bool refusing_ = false; // a refusal's message is being shown
};

} // namespace cw::ui
