#pragma once

#include <string>

namespace vantrel::os {

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points beyond U+10FFFF).
bool isValidUtf8(const std::string& text);

} // namespace vantrel::os
