#pragma once

#include <QImage>
#include <QRect>

namespace cw::test
{

// Pixels darker than mid-grey inside an area of an image.
inline int DarkPixels(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

} // namespace cw::test
