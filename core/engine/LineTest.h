#pragma once

#include <string_view>

namespace vantrel::engine {

// Where the two wing-leveler words stand in one line.
struct LinePositions
{
    int findPitch = 0;
    int findBank = 0;
    // A wing-leveler line mentions either word.
    bool isWingLeveler() const;
};

// 1-based positions of "default_pitch"/"default_bank" after ASCII lower-casing, 0 if absent. Bounded memory
// for any length of line.
LinePositions testLine(std::string_view line);

// First eleven characters lower-cased == "[autopilot]": a trailing comment is allowed, a leading blank is not.
bool isAutopilotHeader(std::string_view line);

} // namespace vantrel::engine
