#pragma once

#include "editors/DesignEdit.h"
#include "editors/ui/FieldBinder.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <QWidget>
#include <functional>
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
    // Sets every unit label and rebinds every unit-dependent field to the shown copy.
    virtual void SetUnits() = 0;
    // Loads every field; panels may rewrite some of them afterwards.
    virtual void LoadFields();

    // A compact edit field of one text line.
    QLineEdit* NewField(bool readOnly);
    Row AddRow(const QString& title, const QString& symbol, const QString& unit, bool readOnly);
    // The guard has passed: store the whole panel and mark the project modified. False when a
    // field did not parse (the message has been shown).
    bool StorePanel();
    // Runs design steps after an edit with the guard of the edit rules; when a step has no
    // usable result the explanation goes to the status bar and false is returned.
    bool RunSteps(const CSpkSys& before, const std::vector<edit::DesignStep>& steps,
                  const QString& explanation);

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
    void ActivateWindow();
};

} // namespace cw::ui
