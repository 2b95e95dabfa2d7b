#pragma once

#include "calculators/VentCalculator.h"
#include "forms/ui/PropertyPage.h"
#include "gfx/Canvas.h"
#include "model/CSpkSysDoc.h"

#include <QHash>
#include <cstdint>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace cw::ui
{

// What the tube and the rectangular vent pages share: the picture at the top, the inputs that
// calculate on every accepted edit, the total area and the length shown in the unit setting's
// copy (or the sentence that says why there is no length), the checks of the vent below them,
// and OK writing the vent into the design. The page's vent lives only while the page does.
class VentPage : public PropertyPage
{
    Q_OBJECT
public:
    // Draws the page's icon to fill a rectangle.
    using PictureFunction = void (*)(gfx::Canvas& canvas, const gfx::Rect& rect);

    bool metric() const { return metric_; }
    const calc::VentDesignValues& design() const { return design_; }

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
    VentPage(const QString& caption, PictureFunction picture, const QString& resultsTitle,
             const QString& lengthLabel, CSpkSysDoc& doc, bool metric, QWidget* parent);

    // The next row of "Enter the Following" (unit empty for a count). The caller binds the
    // field; every accepted edit stores the page and calculates.
    QLineEdit* AddInput(const QString& label, const QString& unit);
    QString AreaUnit() const;
    QString LengthUnit() const;

    // The page's proposal from the design values, lengthened as far as it needs.
    virtual void Propose() = 0;
    // The page's calculation after an edit, from the copies the page shows.
    virtual void Recalculate() = 0;
    virtual calc::VentResult& result() = 0;
    virtual std::uint32_t count() const = 0;

    void OnStart() override;
    void OnActivate(bool first) override;
    bool OnLeave() override;
    void OnOK() override;

private:
    // A row of label, field and unit label at the bottom of a group.
    void AddRow(QGridLayout* grid, const QString& label, QLineEdit* field, const QString& unit);
    void ShowResults();

    CSpkSysDoc& doc_;
    const bool metric_;
    calc::VentDesignValues design_;
    double resonanceHz_ = 0;
    QGridLayout* inputs_;
    QLineEdit* area_;
    QLineEdit* length_;
    QLabel* problem_;
    QLineEdit* resonance_;
    QLabel* resonanceWarning_;
    QLabel* minimumArea_;
    QHash<const QLineEdit*, QLabel*> units_;
};

} // namespace cw::ui
