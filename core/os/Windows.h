#pragma once

// The one way the core includes the Windows API: without the rarely used parts, and without the min/max
// macros that would break std::min and std::max.
#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
