#pragma once

#include "Win32.h"

#include "form/frmVantrel.h"

#include <functional>

namespace vantrel::win32 {

// A window procedure's handling of one message, run where events enter the program: a failure that nothing
// expects is reported by the program there and never unwinds into Windows' own code, which calls the procedure.
inline LRESULT guarded(form::frmVantrel& form, const std::function<LRESULT()>& handle)
{
    LRESULT result = 0;
    form.runEvent([&] { result = handle(); });
    return result;
}

} // namespace vantrel::win32
