#include "Wide.h"

namespace vantrel::win32 {

std::wstring toWideLines(const std::string& utf8)
{
    const std::wstring wide = toWide(utf8);
    std::wstring lines;
    lines.reserve(wide.size() + 8);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        lines += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n'))
            lines += L'\n';
    }
    return lines;
}

} // namespace vantrel::win32
