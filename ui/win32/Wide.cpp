#include "Wide.h"

#include "layout/TextRules.h"

namespace vantrel::win32 {

std::wstring toWideLines(const std::string& utf8)
{
    return toWide(layout::withLineBreaks(utf8, "\r\n"));
}

} // namespace vantrel::win32
