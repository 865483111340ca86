#pragma once

#include "layout/Layout.h"

#include <QRect>
#include <QSize>

namespace vantrel {

// Qt scales device-independent pixels on high-density screens itself, so the 96-dpi figures serve.
inline QRect toPixels(const TwipRect& r)
{
    return QRect(twips(r.left), twips(r.top), twips(r.width), twips(r.height));
}

inline QSize toPixels(int widthTwips, int heightTwips)
{
    return QSize(twips(widthTwips), twips(heightTwips));
}

} // namespace vantrel
