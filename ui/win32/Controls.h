#pragma once

#include "Win32.h"

#include <string>

// Thin wrappers over the standard controls: one message each, no logic.
namespace vantrel::win32 {

// Creates a child control of `parent` with identifier `id`; it is placed later, at the window's DPI. Where
// controls overlap, each paints only what the ones above it leave uncovered (WS_CLIPSIBLINGS).
HWND createControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                   DWORD exStyle = 0);

inline HWND item(HWND parent, int id)
{
    return GetDlgItem(parent, id);
}
inline void setFont(HWND control, HFONT font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
// The control's own visibility (IsWindowVisible() also looks at the window, hidden during start-up).
inline bool isShown(HWND control)
{
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}
inline void setVisible(HWND control, bool visible)
{
    if (isShown(control) != visible)
        ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}
inline void setEnabled(HWND control, bool enabled)
{
    if ((IsWindowEnabled(control) != FALSE) != enabled)
        EnableWindow(control, enabled);
}
// Sets the caption only when it differs, so that a label does not flicker on every redraw.
void setText(HWND control, const std::wstring& text);
std::wstring text(HWND control);

inline bool isChecked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void setChecked(HWND button, bool checked)
{
    if (isChecked(button) != checked)
        SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

inline int listCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}
inline void listClear(HWND list)
{
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
}
inline void listAdd(HWND list, const std::wstring& text)
{
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
inline int listCurrent(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}
inline void listSetCurrent(HWND list, int index)
{
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
inline int listCaret(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
}
inline void listSetCaret(HWND list, int index)
{
    SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}
inline bool listSelected(HWND list, int index)
{
    return SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}
inline void listSetSelected(HWND list, int index, bool selected)
{
    SendMessageW(list, LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index));
}
inline void listSetItemHeight(HWND list, int height)
{
    SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
}

inline void comboClear(HWND combo)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
}
inline void comboAdd(HWND combo, const std::wstring& text)
{
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
inline int comboCurrent(HWND combo)
{
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}
inline void comboSetCurrent(HWND combo, int index)
{
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
// index -1: the height of the selection field, otherwise that of the entries.
inline void comboSetItemHeight(HWND combo, int index, int height)
{
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height);
}

} // namespace vantrel::win32
