#include "form/Captions.h"

#include "os/Ascii.h"
#include "os/FileSearch.h"
#include "os/Utf8.h"
#include "text/Catalogue.h"

#include <algorithm>

namespace vantrel::form {

AircraftNameSpan aircraftNameOf(const std::string& cfgFileName)
{
    AircraftNameSpan span;
    const char separator = os::nativeSeparator();
    const std::size_t folderEnd = cfgFileName.rfind(separator); // separator before the file name
    if (folderEnd == std::string::npos || folderEnd == 0)
        return span;
    const std::size_t before = cfgFileName.rfind(separator, folderEnd - 1);
    const std::size_t nameStart = before == std::string::npos ? 0 : before + 1;
    span.start = static_cast<int>(nameStart) + 1;
    span.name = cfgFileName.substr(nameStart, folderEnd - nameStart);
    return span;
}

bool isCslFolder(const std::string& name)
{
    return os::lowerAscii(name) == "csl";
}

std::string totalAircraftCaption(int subfolderCount, const std::string& aircraftFolder)
{
    int count = subfolderCount;
    if (!os::containsAsciiNoCase(aircraftFolder, "combat"))
        count = std::max(0, subfolderCount - 3);
    return text::get(text::Id::TotalAircraft) + std::to_string(count);
}

std::string listCaption(Mode listMode, int count)
{
    return text::get(listMode == Mode::Restore ? text::Id::ListDisabled : text::Id::ListEnabled) +
           std::to_string(count);
}

std::string messageEntryText(Mode mode)
{
    return text::get(mode == Mode::Restore ? text::Id::AllRestored : text::Id::AllRemoved);
}

namespace {

void appendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Windows-1252 at 0x80..0x9F; its five unassigned bytes keep their Latin-1 control meaning.
constexpr unsigned short kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::string displayText(const std::string& bytes)
{
    if (os::isValidUtf8(bytes))
        return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        appendUtf8(out, (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

} // namespace vantrel::form
