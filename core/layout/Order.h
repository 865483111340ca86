#pragma once

#include "layout/Layout.h"

#include <vector>

namespace vantrel::layout {

// The drawn controls from the top of the stack down: where two overlap, the earlier one of the list lies over
// the later one.
std::vector<const Control*> stackingTopFirst(const Window& window);

// The controls that take the keyboard focus, in the order Tab moves it (equal positions keep the rows' order).
std::vector<const Control*> tabOrder(const Window& window);

// The option buttons of the window in the table's order: the program numbers them 1, 2, ... in this order.
std::vector<const Control*> optionButtons(const Window& window);

} // namespace vantrel::layout
