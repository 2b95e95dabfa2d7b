#include "editors/ui/BoxPanels.h"

namespace cw::ui
{

C2OCBVw::C2OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Closed2, doc, settings, parent)
{
}

C3OCBVw::C3OCBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Closed3, doc, settings, parent)
{
}

C4OVBVw::C4OVBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Vented4, doc, settings, parent)
{
}

C4OSBPVw::C4OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass4, doc, settings, parent)
{
}

C5OABPVw::C5OABPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass5, doc, settings, parent)
{
}

C6OSBPVw::C6OSBPVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Bandpass6, doc, settings, parent)
{
}

CPRBVw::CPRBVw(CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : BoxPanelView(BoxType::Radiator, doc, settings, parent)
{
}

BoxPanelView* CreateBoxPanel(BoxType type, CSpkSysDoc& doc, const AppSettings& settings,
                             QWidget* parent)
{
    switch (type) {
    case BoxType::Closed2:
        return new C2OCBVw(doc, settings, parent);
    case BoxType::Closed3:
        return new C3OCBVw(doc, settings, parent);
    case BoxType::Vented4:
        return new C4OVBVw(doc, settings, parent);
    case BoxType::Bandpass4:
        return new C4OSBPVw(doc, settings, parent);
    case BoxType::Bandpass5:
        return new C5OABPVw(doc, settings, parent);
    case BoxType::Bandpass6:
        return new C6OSBPVw(doc, settings, parent);
    case BoxType::Radiator:
        return new CPRBVw(doc, settings, parent);
    case BoxType::None:
        break;
    }
    return nullptr;
}

} // namespace cw::ui
