#include "Controls.h"

namespace vantrel::win32 {

HWND createControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, DWORD exStyle)
{
    return CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void setText(HWND control, const std::wstring& caption)
{
    if (text(control) != caption)
        SetWindowTextW(control, caption.c_str());
}

std::wstring text(HWND control)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

} // namespace vantrel::win32
