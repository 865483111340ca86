#pragma once

#include "form/Wiring.h"
#include "layout/Layout.h"

#include <functional>

class QWidget;

namespace vantrel::qt {

// Builds the controls of `design` on `window` by one loop over its table: each drawn row becomes a Qt widget
// of its kind, named after its design name (so findChild() finds it), with its caption, place, first visibility,
// colours, stacking and keyboard order. Gives the window its name, title and size.
void buildControls(QWidget* window, const layout::Window& design);

// Runs the program's handler of a connection with what the event carries.
using Fire = std::function<void(const form::Wire&, const form::EventInput&)>;

// Connects the controls that buildControls() made on `window` to the program by one loop over the wiring table:
// each event of the table calls `fire` with its connection.
void connectControls(QWidget* window, const layout::Window& design, const Fire& fire);

} // namespace vantrel::qt
