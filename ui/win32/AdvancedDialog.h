#pragma once

#include "Win32.h"

#include <string>

namespace vantrel::form {
class frmVantrel;
struct WindowState;
} // namespace vantrel::form

namespace vantrel::win32 {

// The Advanced options dialog: two check boxes and "Done". Made on first showing and afterwards only hidden
// and shown again; the program keeps the boxes' values, the dialog only draws them and reports clicks.
class AdvancedDialog
{
public:
    explicit AdvancedDialog(form::frmVantrel& form) : form_(form) {}
    ~AdvancedDialog();
    AdvancedDialog(const AdvancedDialog&) = delete;
    AdvancedDialog& operator=(const AdvancedDialog&) = delete;

    void render(const form::WindowState& state);
    // Shows the dialog modally over `owner`; returns once hide() has been called.
    void showModal(HWND owner);
    void hide();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND owner);
    void layout(UINT dpi);
    void apply();

    form::frmVantrel& form_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    bool hidden_ = true;
    int chkBank_ = 1;
    int chkPitch_ = 1;
    std::wstring label_ = L"Label1";
};

} // namespace vantrel::win32
