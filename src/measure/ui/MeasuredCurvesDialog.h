#pragma once

#include <QDialog>
#include <string>

class QDoubleSpinBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace cw
{
class CSpkSysDoc;
}

namespace cw::ui
{

// File > Import Measured Curve...: asks for an FRD or ZMA file (and for its kind when the
// extension does not say) and adds it to the project.
void ImportMeasuredCurve(CSpkSysDoc& doc, QWidget* parent);
// The same for a file that was dropped; false when the file is no measurement file by its name.
bool ImportDroppedCurve(CSpkSysDoc& doc, const std::string& path);

// File > Measured Curves...: the project's measured curves, each shown or hidden by its check
// box and renamed in place, with its level offset (responses) and a Remove button.
class MeasuredCurvesDialog : public QDialog
{
    Q_OBJECT
public:
    MeasuredCurvesDialog(CSpkSysDoc& doc, QWidget* parent);

private:
    void Fill();
    void Selected();
    void ItemChanged(QListWidgetItem* item);

    CSpkSysDoc& doc_;
    QListWidget* list_;
    QDoubleSpinBox* offset_;
    QPushButton* remove_;
    bool filling_ = false;
};

} // namespace cw::ui
