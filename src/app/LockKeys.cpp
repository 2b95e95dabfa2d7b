#include "app/LockKeys.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

// Last: the X11 headers define macros that clash with ordinary names.
#include <X11/XKBlib.h>

namespace cw
{

namespace
{

bool Indicator(Display* display, const char* name)
{
    Bool on = False;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on == True;
}

} // namespace

std::optional<LockKeyState> ReadLockKeys()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    return LockKeyState{Indicator(display, "Caps Lock"), Indicator(display, "Num Lock"),
                        Indicator(display, "Scroll Lock")};
}

} // namespace cw
