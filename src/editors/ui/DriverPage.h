#pragma once

#include "forms/ui/PropertyPage.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;

namespace cw::ui
{

// Common ground of the three driver pages of the system editor. Every field is bound to the
// workbench driver itself, and every page opens with the same header: an icon, the manufacturer,
// the model and the nominal diameter in mm and inches, above a rule. The pages are drawn on the
// button face.
class DriverPage : public PropertyPage
{
    Q_OBJECT
public:
    // Fields that do not scroll accept only what fits their width.
    enum class Scroll { No, Yes };

protected:
    DriverPage(const QString& caption, CSpkSysDoc& doc, const AppSettings& settings,
               QWidget* parent);

    DriverParams& driver() { return doc_.workbench().driver; }

    // The page's own fields go here, under the header's rule.
    QGridLayout* body() const { return body_; }
    // The free room at the right end of the header.
    QHBoxLayout* headerEnd() const { return headerEnd_; }

    // A number field about `digits` digits wide, bound to a value of the workbench driver and
    // named after it.
    QLineEdit* NumberField(double DriverParams::*value, int digits, Scroll scroll = Scroll::No);
    // shows: the driver's values the field shows, for marking their unit findings.
    QLineEdit* NumberField(const QString& name, std::function<double&()> value, int digits,
                           Scroll scroll, std::vector<double DriverParams::*> shows = {});
    // A text field about `chars` characters wide (0: as wide as the layout makes it).
    QLineEdit* TextField(std::string DriverParams::*value, int chars, Scroll scroll = Scroll::Yes);
    QLabel* Label(const QString& text);

    // The tab order: the header's fields, then `fields`.
    void SetTabOrder(const std::vector<QWidget*>& fields);

    // Stores every field in binding order; false when one is refused.
    virtual bool StoreFields();

    void OnActivate(bool first) override;

    CSpkSysDoc& doc_;
    const AppSettings& settings_;

private:
    // Marks the fields showing a value the driver check takes for one in the wrong unit, with
    // its sentence as the tip; a field the user changes loses its mark until the next store.
    void MarkUnitFindings();

    // Leaving stores the fields; a stored change marks the project modified.
    bool OnLeave() final;
    QLineEdit* NewField(const QString& name, int chars, Scroll scroll);

    std::vector<QWidget*> headerFields_;
    std::vector<std::pair<QLineEdit*, std::vector<double DriverParams::*>>> numbers_;
    QHBoxLayout* headerEnd_;
    QGridLayout* body_;
};

} // namespace cw::ui
