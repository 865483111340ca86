#include "Dpi.h"

#include "Fonts.h"

#include <cmath>

namespace vantrel::win32 {

namespace {

template <typename Function> Function user32(const char* name)
{
    // Bound at run time: these calls exist from Windows 10 on, and the program also runs on Windows 7.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void becomeDpiAware()
{
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    if (const auto setContext = user32<SetContextFn>("SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; refused when the manifest has set it already.
        if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))))
            return;
    }
    using SetAwareFn = BOOL(WINAPI*)();
    if (const auto setAware = user32<SetAwareFn>("SetProcessDPIAware"))
        setAware();
}

void place(HWND control, const TwipRect& rect, const TwipRect& container, UINT dpi)
{
    const int left = toPixels(container.left + rect.left, dpi);
    const int top = toPixels(container.top + rect.top, dpi);
    const int right = toPixels(container.left + rect.left + rect.width, dpi);
    const int bottom = toPixels(container.top + rect.top + rect.height, dpi);
    SetWindowPos(control, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void setClientSize(HWND window, int width, int height, UINT dpi)
{
    RECT frame{0, 0, toPixels(width, dpi), toPixels(height, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&frame, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int fontHeight(HFONT font)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

HFONT makeFont(layout::FontRole role, UINT dpi)
{
    const layout::Face face = layout::faceOf(role);
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(face.points * dpi / 72.0));
    font.lfWeight = face.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, faceAt(role, dpi).c_str(), LF_FACESIZE);
    HFONT made = CreateFontIndirectW(&font);
    // The design's bitmap faces have lines about 1.2 times their size; a scalable face with looser lines
    // is made a little smaller, or a label's lines would no longer fit its height (the About credits).
    for (LONG size = -font.lfHeight; dpi > 96 && size > 1 && fontHeight(made) * 5 > size * 6;) {
        DeleteObject(made);
        font.lfHeight = -(--size);
        made = CreateFontIndirectW(&font);
    }
    return made;
}

void centre(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vantrel::win32
