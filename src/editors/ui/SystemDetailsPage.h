#pragma once

#include "editors/ui/SystemPage.h"
#include "model/BoxType.h"
#include "model/FieldRow.h"

#include <vector>

class QLabel;
class QLineEdit;

namespace cw::ui
{

// "System:  Details": the design values of one box type (those the program computes only shown)
// and the system parameters, one row each from the box type's editor rows. Each copy in two
// units shows the one the units preference chooses, with its label, at every exchange.
class SystemDetailsPage : public SystemPage
{
    Q_OBJECT
public:
    SystemDetailsPage(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                      QWidget* parent = nullptr);

    BoxType boxType() const { return type_; }
    // A row's edit field and unit label by its symbol ("Q(B) ="); null when the page has none.
    QLineEdit* field(const QString& symbol) const;
    QLabel* unitLabel(const QString& symbol) const;

protected:
    void OnStart() override;
    void OnActivate(bool first) override;
    bool OnLeave() override;

private:
    struct Row {
        const FieldRow* row;
        QLineEdit* edit;
        QLabel* unit;
    };
    const Row* Find(const QString& symbol) const;
    void SetUnits();

    BoxType type_;
    std::vector<Row> rows_;
    std::vector<const FieldRow*> twinsToFollow_; // typed rows with a copy in the other unit
};

} // namespace cw::ui
