#pragma once

#include "measure/ImpedanceFit.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cw
{
class CSpkSysDoc;
}

namespace cw::ui
{

class FitPlotView;

// Analysis > Fit Driver from Impedance...: the free-air impedance and, for the mechanical values,
// S(D) and a second measurement with an added mass or in a closed box; the fit's curves, values,
// RMS error and judgement; then the driver loaded into the workbench or added to the database.
class FitDriverDialog : public QDialog
{
    Q_OBJECT
public:
    FitDriverDialog(CSpkSysDoc& doc, QWidget* parent);

    // For tests and for the menu's caller: the fields as the user would fill them.
    QLineEdit* freeAirEdit() const { return freeAir_; }
    QLineEdit* secondEdit() const { return second_; }
    QComboBox* methodBox() const { return method_; }
    QLineEdit* amountEdit() const { return amount_; }
    QLineEdit* sdEdit() const { return sd_; }
    bool Fit();
    void LoadIntoWorkbench();
    QString resultText() const;

private:
    void Browse(QLineEdit* edit);
    std::optional<double> Number(QLineEdit* edit, const char* label, bool& ok);
    DriverParams FittedDriver() const;
    void AddToDatabase();
    void Invalidate();

    CSpkSysDoc& doc_;
    QLineEdit* freeAir_;
    QLineEdit* low_;
    QLineEdit* high_;
    QLineEdit* re_;
    QLineEdit* sd_;
    QComboBox* method_;
    QLineEdit* amount_;
    QLineEdit* second_;
    QLabel* result_;
    FitPlotView* plot_;
    QPushButton* load_;
    QPushButton* add_;
    measure::DriverFitRequest request_;
    std::optional<measure::DriverFit> fit_;
};

} // namespace cw::ui
