#pragma once

#include "editors/PanelForm.h"
#include "forms/ui/FieldBinder.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <QWidget>
#include <memory>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace cw::ui
{

// Common ground of the driver panel and the six workbench panels: a form of rows bound to the
// workbench, unit labels by the units preference, and activation of the panel's window when the
// user works in it.
class PanelView : public QWidget
{
    Q_OBJECT
public:
    PanelView(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent);

    // The document's update of all views: unit labels from the preference, then every field.
    void UpdateFromDocument();

    // One row of the form: title, symbol, edit field, unit label.
    struct Row {
        QLabel* title = nullptr;
        QLabel* symbol = nullptr;
        QLineEdit* edit = nullptr;
        QLabel* unit = nullptr;
    };

signals:
    // A sentence for the status bar, e.g. why a design step could not run.
    void statusMessage(const QString& text);

protected:
    // What changes with the units preference besides the unit labels the binder shows.
    virtual void SetUnits() {}
    // Loads every field of the panel's form.
    virtual void LoadFields();

    // A compact edit field of one text line.
    QLineEdit* NewField(bool readOnly);
    Row AddRow(const QString& title, const QString& symbol, const QString& unit, bool readOnly);
    // The panel's rows, shown in the edit fields: one field for each row, in the rows' order.
    // Typing into a field that the edit guard lets through edits its row: the whole panel is
    // stored, and the design steps of the row run. A text that can never become a number marks
    // its field; leaving a field whose text breaks its rule says so in a message box that names
    // the field, and the focus goes back to it.
    void SetForm(const std::vector<FieldRow>& rows, std::vector<QLineEdit*> edits);
    edit::PanelForm& form() { return *form_; }
    // An edit of a row has been stored with a usable design.
    virtual void Edited(const edit::FormEdit&) {}

    bool metric() const { return settings_.metric(); }
    CSpkSys& wb() { return doc_.workbench(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

    CSpkSysDoc& doc_;
    const AppSettings& settings_;
    FieldBinder* binder_;
    QGridLayout* grid_;
    int nextRow_ = 0;
    int firstColumn_ = 0; // the grid column of the rows' titles

private:
    // The form row of an editable field; -1 for any other object.
    int RowOf(const QObject* field) const;
    // The user changed a row's text, or left the row.
    void Typed(int row);
    void Left(int row);
    void Handle(const edit::FormEdit& edit);
    // "V(B): Please enter a number."
    QString Named(int row, const std::string& message) const;
    // Marks a field whose text breaks its rule (the refusal in its tool tip and the status bar);
    // an empty refusal takes the mark away.
    void Mark(int row, const QString& refusal);
    void ActivateWindow();

    std::vector<QLineEdit*> formEdits_;
    std::unique_ptr<edit::FormTexts> texts_;
    std::unique_ptr<edit::PanelForm> form_;
    bool refusing_ = false; // the refusal's message box is up
};

} // namespace cw::ui
