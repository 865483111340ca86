#pragma once

#include <system_error>

namespace vantrel::os {

// The classic error number (53 file not found, 70 permission denied, 61 disk full, ...) nearest to an
// operating-system error: errno values, and on Windows also Win32 codes (std::system_category).
int classicErrorNumber(const std::error_code& ec);

} // namespace vantrel::os
