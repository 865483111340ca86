#pragma once

#include "os/Windows.h"

namespace vantrel::os {

// The function `name` of the system DLL `dll`, bound by name at run time, so that the program need not import the
// DLL; null when either is missing. The DLL stays loaded for the rest of the run.
template <typename Proc> Proc lateBound(const wchar_t* dll, const char* name)
{
    const HMODULE module = LoadLibraryW(dll);
    // Through the generic function pointer type, so that compilers do not warn about the cast.
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

} // namespace vantrel::os
