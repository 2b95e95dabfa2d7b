#pragma once

#include "editors/ui/DriverPage.h"

namespace cw::ui
{

// "Driver:  Physical and Mounting Information": the sizes for the cutout and the box, the
// magnet, the weights, the date and the price. The mm and inch copies are typed independently.
class DriverPhysicalPage : public DriverPage
{
    Q_OBJECT
public:
    DriverPhysicalPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};

} // namespace cw::ui
