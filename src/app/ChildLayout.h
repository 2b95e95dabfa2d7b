#pragma once

namespace cw
{

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The fixed arrangement of a project's three windows inside the main window's client area:
// the plot across the top, the driver panel bottom left, the workbench panel bottom right.
struct ChildLayout {
    PixelRect plot, driverPanel, workbenchPanel;
};

// clientWidth/clientHeight: the main window's client area; toolbarHeight and statusBarHeight: 0
// when hidden; charHeight: character height of the frame font; captionHeight: a child window's
// caption. The panel band is 6.85 character heights plus a caption.
ChildLayout ArrangeChildren(int clientWidth, int clientHeight, int toolbarHeight,
                            int statusBarHeight, int charHeight, int captionHeight);

} // namespace cw
