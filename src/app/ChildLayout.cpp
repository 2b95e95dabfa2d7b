#include "app/ChildLayout.h"

namespace cw
{

ChildLayout ArrangeChildren(int clientWidth, int clientHeight, int toolbarHeight,
                            int statusBarHeight, int charHeight, int captionHeight)
{
    const int w = clientWidth - 4;
    const int h = clientHeight - statusBarHeight - toolbarHeight - 4;
    const int p = static_cast<int>(6.85 * charHeight) + captionHeight;
    ChildLayout layout;
    layout.plot = {0, 0, w, h - p};
    layout.driverPanel = {0, h - p, w / 2, p};
    layout.workbenchPanel = {w / 2, h - p, w / 2, p};
    return layout;
}

} // namespace cw
