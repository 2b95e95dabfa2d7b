#include "editors/ui/DriverGeneralPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace cw::ui
{

DriverGeneralPage::DriverGeneralPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : DriverPage("Driver:  General Information", doc, settings, parent)
{
    // Bound in the order they are stored, which is also the tab order.
    QLineEdit* impedance = NumberField(&DriverParams::nominalImpedance, 8);
    QLineEdit* power = NumberField(&DriverParams::nominalPower, 8);
    QLineEdit* range = TextField(&DriverParams::frequencyRange, 0);
    QLineEdit* application = TextField(&DriverParams::application, 0);
    QLineEdit* highest = TextField(&DriverParams::highestXover, 6, Scroll::No);
    QLineEdit* lowest = TextField(&DriverParams::lowestXover, 6, Scroll::No);
    QLineEdit* boxVolume = TextField(&DriverParams::suggestedBoxVolume, 0);
    QLineEdit* cone = TextField(&DriverParams::coneMaterial, 0);
    QLineEdit* surround = TextField(&DriverParams::surroundType, 0);
    QLineEdit* address1 = TextField(&DriverParams::makerAddress1, 0);
    QLineEdit* address2 = TextField(&DriverParams::makerAddress2, 0);
    QLineEdit* phone = TextField(&DriverParams::makerPhone, 0, Scroll::No);

    auto* description = new QPlainTextEdit(this);
    description->setObjectName("description");
    description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    description->setTabChangesFocus(true); // Enter starts a new line; Tab goes on to Keyword
    description->setMinimumHeight(5 * description->fontMetrics().lineSpacing());
    binder()->Bind(description, edit::kMultiLineTextField,
                   [this]() -> std::string& { return driver().description; });

    QLineEdit* keyword = TextField(&DriverParams::keyword, 14);
    ExcludeFromModifiedMark(keyword);
    headerEnd()->addWidget(Label("Keyword ="));
    headerEnd()->addWidget(keyword);

    // Two columns: the ratings on the left, the make and the maker on the right.
    QGridLayout* grid = body();
    auto row = [&](int r, int column, const char* title, QWidget* field, const char* unit) {
        grid->addWidget(Label(title), r, column);
        grid->addWidget(field, r, column + 1, 1, unit ? 1 : 2);
        if (unit)
            grid->addWidget(Label(unit), r, column + 2);
    };
    row(0, 0, "Nominal Impedance =", impedance, "Ohms");
    row(1, 0, "Nominal Power Handling =", power, " Watts");
    row(2, 0, "Nominal Frequency Range:", range, nullptr);
    row(3, 0, "Suggested Application:", application, nullptr);
    row(4, 0, "Highest Recommended Xover:", highest, "Hz");
    row(5, 0, "Lowest Recommended Xover:", lowest, "Hz");
    row(6, 0, "Suggested Box Volume:", boxVolume, nullptr);
    row(0, 4, "Cone Material:", cone, nullptr);
    row(1, 4, "Surround Type:", surround, nullptr);
    row(2, 4, "Manufacturer's Address 1:", address1, nullptr);
    row(3, 4, "Manufacturer's Address 2:", address2, nullptr);
    row(4, 4, "Manufacturer's Phone:", phone, nullptr);
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);
    grid->addWidget(Label("Description and Comments:"), 7, 0, 1, 6);
    grid->addWidget(description, 8, 0, 1, 6);

    SetTabOrder({impedance, power, range, application, highest, lowest, boxVolume, cone, surround,
                 address1, address2, phone, description, keyword});
}

} // namespace cw::ui
