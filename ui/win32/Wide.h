#pragma once

#include "os/WideText.h"

#include <string>

namespace vantrel::win32 {

// The core's one UTF-8 <-> UTF-16 conversion.
using os::toUtf8;
using os::toWide;

// A carriage return alone starts a new line in the program's texts; Windows' text drawing wants CR LF.
std::wstring toWideLines(const std::string& utf8);

} // namespace vantrel::win32
