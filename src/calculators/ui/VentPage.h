#pragma once

#include "calculators/VentPageModel.h"
#include "forms/ui/PropertyPage.h"
#include "gfx/Canvas.h"
#include "model/CSpkSysDoc.h"

#include <QHash>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace cw::ui
{

// A tube or rectangular vent page: the picture at the top, the inputs of the page's field table
// that calculate on every accepted edit, the total area and the length shown in the unit
// setting's copy (or the sentence that says why there is no length), the checks of the vent below
// them, and OK writing the vent into the design. The page's vent (the model) lives only while the
// page does.
class VentPage : public PropertyPage
{
    Q_OBJECT
public:
    // Draws the page's icon to fill a rectangle.
    using PictureFunction = void (*)(gfx::Canvas& canvas, const gfx::Rect& rect);

    bool metric() const { return metric_; }
    const calc::VentDesignValues& design() const { return model_.design(); }

    QLineEdit* areaField() const { return area_; }
    QLineEdit* lengthField() const { return length_; }
    // The sentence shown instead of a length; empty while the vent has one.
    QLabel* problemLabel() const { return problem_; }
    QLineEdit* resonanceField() const { return resonance_; }
    QLabel* resonanceWarning() const { return resonanceWarning_; }
    QLabel* minimumAreaLabel() const { return minimumArea_; }
    // The unit label beside a field of the page.
    QString unitLabel(const QLineEdit* field) const;

protected:
    VentPage(calc::VentPageKind kind, PictureFunction picture, CSpkSysDoc& doc, bool metric,
             QWidget* parent);

    // The input fields of "Enter the Following", the dimensions of the table in their order, then
    // the count.
    QLineEdit* input(int index) const { return inputs_.at(index); }
    QLineEdit* countInput() const { return inputs_.back(); }
    const calc::VentPageModel& model() const { return model_; }

    void OnStart() override;
    void OnActivate(bool first) override;
    bool OnLeave() override;
    void OnOK() override;

private:
    // The next row of "Enter the Following" (unit empty for a count). The caller binds the
    // field; every accepted edit stores the page and calculates.
    QLineEdit* AddInput(const QString& label, UnitTexts unit);
    // A row of label, field and unit label at the bottom of a group.
    void AddRow(QGridLayout* grid, const QString& label, QLineEdit* field, UnitTexts unit);
    void ShowResults();

    CSpkSysDoc& doc_;
    const bool metric_;
    calc::VentPageModel model_;
    double resonanceHz_ = 0;
    QGridLayout* inputGrid_;
    std::vector<QLineEdit*> inputs_;
    QLineEdit* area_;
    QLineEdit* length_;
    QLabel* problem_;
    QLineEdit* resonance_;
    QLabel* resonanceWarning_;
    QLabel* minimumArea_;
    QHash<const QLineEdit*, QLabel*> units_;
};

} // namespace cw::ui
