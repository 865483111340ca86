#include "engine/LineTest.h"

#include "engine/WordScanner.h"
#include "os/Ascii.h"

namespace vantrel::engine {

bool LinePositions::isWingLeveler() const
{
    return findPitch > 0 || findBank > 0;
}

LinePositions testLine(std::string_view line)
{
    WordScanner scanner;
    scanner.feed(line);
    return LinePositions{scanner.findPitch(), scanner.findBank()};
}

bool isAutopilotHeader(std::string_view line)
{
    constexpr std::string_view header = "[autopilot]";
    if (line.size() < header.size())
        return false;
    return os::startsWithAsciiNoCase(line.data(), header);
}

} // namespace vantrel::engine
