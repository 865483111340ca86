#pragma once

#include <QRect>
#include <QSize>

namespace vantrel {

// Window geometry is designed in twips (1/1440 inch): 15 twips make one device-independent pixel
// at 96 dots per inch, and Qt scales device-independent pixels on high-density screens itself.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return (value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

inline QRect toPixels(const TwipRect& r)
{
    return QRect(twips(r.left), twips(r.top), twips(r.width), twips(r.height));
}

inline QSize toPixels(int widthTwips, int heightTwips)
{
    return QSize(twips(widthTwips), twips(heightTwips));
}

} // namespace vantrel
