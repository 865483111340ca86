#pragma once

#include <string>

namespace vantrel {

// The settings file keeps the Advanced dialog's two boxes as one code: "3" both ticked,
// "2" bank only, "1" pitch only. Box values are 0 (not ticked) or 1 (ticked).

// The code for the two box values, tested in the order 3, 2, 1; "" when none fits (neither ticked).
std::string encodeOptionCode(int bank, int pitch);

// Applies a code read back as a number: 3, 2 and 1 set the boxes, any other number leaves them alone.
// Returns false for such another number.
bool decodeOptionCode(long long code, int& bank, int& pitch);

} // namespace vantrel
