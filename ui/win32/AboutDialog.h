#pragma once

#include "Win32.h"

namespace vantrel::form {
class frmVantrel;
}

namespace vantrel::win32 {

// Shows a freshly made About dialog modally over `owner` and returns when OK, Enter, Escape or the close box
// has closed it. "System Info..." asks the program to start the System Information tool.
void showAboutDialog(HWND owner, form::frmVantrel& form);

} // namespace vantrel::win32
