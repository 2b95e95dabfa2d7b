#pragma once

#include "editors/ui/DriverPage.h"

namespace cw::ui
{

// "Driver:  General Information": the driver's identity, ratings, maker and description.
class DriverGeneralPage : public DriverPage
{
    Q_OBJECT
public:
    DriverGeneralPage(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};

} // namespace cw::ui
