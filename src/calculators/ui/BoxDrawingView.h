#pragma once

#include "calculators/BoxCalculatorPage.h"

#include <QWidget>
#include <functional>

namespace cw::ui
{

// A box calculator page's dimensioned drawing, the same vector drawing its report prints, scaled
// to fit the widget with its proportions kept.
class BoxDrawingView : public QWidget
{
    Q_OBJECT
public:
    // record gives the values to draw each time the view paints.
    BoxDrawingView(calc::BoxPageKind kind, std::function<const CSpkSys&()> record, bool metric,
                   QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    calc::BoxPageKind kind_;
    std::function<const CSpkSys&()> record_;
    bool metric_;
};

} // namespace cw::ui
