#pragma once

#include "layout/Layout.h"

class QWidget;

namespace vantrel::qt {

// Builds the controls of `design` on `window` by one loop over its table: each drawn row becomes a Qt widget
// of its kind, named after its design name (so findChild() finds it), with its caption, place, first visibility,
// colours, stacking and keyboard order. Gives the window its name, title and size.
void buildControls(QWidget* window, const layout::Window& design);

} // namespace vantrel::qt
