#pragma once

#include "editors/ui/BoxPanelView.h"

namespace cw::ui
{

// The workbench panels, one per box type.
class C2OCBVw : public BoxPanelView
{
    Q_OBJECT
public:
    C2OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class C3OCBVw : public BoxPanelView
{
    Q_OBJECT
public:
    C3OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class C4OVBVw : public BoxPanelView
{
    Q_OBJECT
public:
    C4OVBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class C4OSBPVw : public BoxPanelView
{
    Q_OBJECT
public:
    C4OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class C5OABPVw : public BoxPanelView
{
    Q_OBJECT
public:
    C5OABPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class C6OSBPVw : public BoxPanelView
{
    Q_OBJECT
public:
    C6OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};
class CPRBVw : public BoxPanelView
{
    Q_OBJECT
public:
    CPRBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);
};

// The panel of a box type; null for None.
BoxPanelView* CreateBoxPanel(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                             QWidget* parent = nullptr);

} // namespace cw::ui
