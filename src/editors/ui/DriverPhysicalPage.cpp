#include "editors/ui/DriverPhysicalPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <iterator>

namespace cw::ui
{

namespace
{

struct Row {
    const char* title;
    const char* unit;
    double DriverParams::*number = nullptr;
    double DriverParams::*twin = nullptr; // the copy in inches or cubic feet, "(" … twinUnit
    const char* twinUnit = nullptr;
    std::string DriverParams::*text = nullptr;
};

using D = DriverParams;

// In the order of storing and of tabbing: the sizes on the left, the magnet, the weights, the
// date and the price on the right.
const Row kRows[] = {
    {"Outside Diameter =", "mm", &D::outsideDiameterMm, &D::outsideDiameterIn, "inches)"},
    {"Bolt Circle Diameter =", "mm", &D::boltCircleMm, &D::boltCircleIn, "inches)"},
    {"Number of Bolts =", "", &D::boltCount},
    {"Front Mount Cutout Diam =", "mm", &D::frontCutoutMm, &D::frontCutoutIn, "inches)"},
    {"Rear Mount Cutout Diam =", "mm", &D::rearCutoutMm, &D::rearCutoutIn, "inches)"},
    {"Depth of the Driver =", "mm", &D::depthMm, &D::depthIn, "inches)"},
    {"Physical Volume =", "liters", &D::physicalVolumeLiters, &D::physicalVolumeCuFt,
     "cubic feet)"},
    {"Magnet Height =", "mm", &D::magnetHeight},
    {"Magnet Diameter =", "mm", &D::magnetDiameter},
    {"Magnet Weight =", "kg", &D::magnetWeight},
    {"Magnetic Assembly Weight =", "kg", &D::magnetAssemblyWeight},
    {"Net Weight =", "kg", &D::netWeight},
    {"Date of Information:", "", nullptr, nullptr, nullptr, &D::infoDate},
    {"Retail Price:", "", nullptr, nullptr, nullptr, &D::retailPrice},
};

constexpr int kLeftRows = 7;
constexpr int kDigits = 10;

} // namespace

DriverPhysicalPage::DriverPhysicalPage(CSpkSysDoc& doc, const AppSettings& settings,
                                       QWidget* parent)
    : DriverPage("Driver:  Physical and Mounting Information", doc, settings, parent)
{
    // Each column: title, field, unit, "(", copy, unit; a gap between the columns.
    QGridLayout* grid = body();
    std::vector<QWidget*> order;
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
        const Row& r = kRows[i];
        const int line = i < kLeftRows ? i : i - kLeftRows;
        const int column = i < kLeftRows ? 0 : 7;
        grid->addWidget(Label(r.title), line, column);
        if (r.text) {
            order.push_back(TextField(r.text, 0));
            grid->addWidget(order.back(), line, column + 1, 1, 5);
            continue;
        }
        order.push_back(NumberField(r.number, kDigits));
        grid->addWidget(order.back(), line, column + 1);
        grid->addWidget(Label(r.unit), line, column + 2);
        if (r.twin) {
            order.push_back(NumberField(r.twin, kDigits));
            grid->addWidget(Label("("), line, column + 3);
            grid->addWidget(order.back(), line, column + 4);
            grid->addWidget(Label(r.twinUnit), line, column + 5);
        }
    }
    grid->setColumnMinimumWidth(6, 16);
    SetTabOrder(order);
}

} // namespace cw::ui
