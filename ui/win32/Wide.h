#pragma once

#include "os/WideText.h"

#include <string>

namespace vantrel::win32 {

// The core's one UTF-8 <-> UTF-16 conversion.
using os::toUtf8;
using os::toWide;

// The program's text with its line breaks as CR LF, which Windows' text drawing wants (layout::withLineBreaks()).
std::wstring toWideLines(const std::string& utf8);

} // namespace vantrel::win32
