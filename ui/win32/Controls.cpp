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

void runModal(HWND dialog, HWND owner, const bool& done)
{
    EnableWindow(owner, FALSE);
    MSG message{};
    bool quit = false;
    while (!done) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // Enable the owner before the dialog goes, so that Windows activates the owner and not some other program.
    EnableWindow(owner, TRUE);
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
}

} // namespace vantrel::win32
