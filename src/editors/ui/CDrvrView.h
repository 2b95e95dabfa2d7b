#pragma once

#include "editors/ui/PanelView.h"

class QLabel;

namespace cw::ui
{

// The driver panel: the workbench driver's main values at a glance, and the system values that
// are edited here: number of drivers, SPL distance and input power.
class CDrvrView : public PanelView
{
    Q_OBJECT
public:
    CDrvrView(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    QLineEdit* driversField() const { return drivers_.edit; }
    QLineEdit* splDistanceField() const { return splDistance_.edit; }
    QLineEdit* splFeetField() const { return splFeet_; }
    QLineEdit* inputPowerField() const { return inputPower_.edit; }
    QLineEdit* shownField(int index) const { return shown_[index].edit; }
    QString shownUnit(int index) const;

protected:
    void SetUnits() override;
    void LoadFields() override;
    void paintEvent(QPaintEvent* event) override;
    void Edited(const edit::FormEdit& edit) override;

private:
    Row AddShownRow(int row, int column, const QString& symbol, const QString& unit);

    QLabel* heading_;
    Row shown_[6];
    Row drivers_;
    Row splDistance_;
    QLabel* feetOpen_;
    QLineEdit* splFeet_;
    QLabel* feetClose_;
    Row inputPower_;
    int separatorY_ = 0;
};

} // namespace cw::ui
