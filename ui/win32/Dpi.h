#pragma once

#include "Win32.h"

#include "layout/Layout.h"

// Design geometry in twips, placed at the monitor's DPI (96 DPI: 15 twips make one pixel).
namespace vantrel::win32 {

// The DPI of the monitor the window is on (the system's where Windows predates per-monitor DPI).
UINT windowDpi(HWND window);
// Opts the process into per-monitor DPI awareness where the manifest could not (Windows 8.1 and older).
void becomeDpiAware();

inline int toPixels(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// Moves `control` to `rect`, given relative to `container` (the origin of its frame, or {0,0,...} for the
// client area).
void place(HWND control, const TwipRect& rect, const TwipRect& container, UINT dpi);
// Sizes the window so that its client area is `width` x `height` twips.
void setClientSize(HWND window, int width, int height, UINT dpi);
// A font of `role`'s design size at `dpi`, in the face that draws it there (faceAt()).
HFONT makeFont(layout::FontRole role, UINT dpi);
// The height of a line of text in `font`, in pixels.
int fontHeight(HFONT font);
// Puts the window in the middle of the work area of its monitor.
void centre(HWND window);

} // namespace vantrel::win32
