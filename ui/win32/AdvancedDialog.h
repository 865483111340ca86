#pragma once

#include "Window.h"

#include <string>

namespace vantrel::form {
class frmVantrel;
struct WindowState;
} // namespace vantrel::form

namespace vantrel::win32 {

// The Advanced options dialog: two check boxes and "Done". Made on first showing and afterwards only hidden
// and shown again; the program keeps the boxes' values, the dialog only draws them and reports clicks.
class AdvancedDialog final : private Window
{
public:
    AdvancedDialog();
    void setPresenter(form::frmVantrel* form) { form_ = form; }

    void render(const form::WindowState& state);
    // Shows the dialog modally over `owner`; returns once hide() has been called.
    void showModal(HWND owner);
    void hide();

private:
    bool onClick(int id) override;
    void apply();

    bool hidden_ = true;
    int chkBank_ = 1;
    int chkPitch_ = 1;
    std::wstring label_;
};

} // namespace vantrel::win32
