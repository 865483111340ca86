#include "AdvancedDialog.h"

#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "EventGuard.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"

namespace vantrel::win32 {

namespace geo = layout::advanced;

AdvancedDialog::~AdvancedDialog()
{
    if (window_)
        DestroyWindow(window_);
    if (font_)
        DeleteObject(font_);
}

void AdvancedDialog::render(const form::WindowState& state)
{
    chkBank_ = state.chkBank;
    chkPitch_ = state.chkPitch;
    label_ = toWide(state.advancedLabel);
    apply();
}

void AdvancedDialog::apply()
{
    if (!window_)
        return;
    setChecked(item(window_, ID_chkBank), chkBank_ == 1);
    setChecked(item(window_, ID_chkPitch), chkPitch_ == 1);
    setText(item(window_, ID_AdvancedLabel1), label_);
}

void AdvancedDialog::showModal(HWND owner)
{
    if (!window_)
        create(owner);
    apply();
    hidden_ = false;
    centre(window_);
    EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(item(window_, ID_chkBank));
    runModal(window_, owner, hidden_);
}

void AdvancedDialog::hide()
{
    if (!window_ || hidden_)
        return;
    hidden_ = true;
    EnableWindow(GetWindow(window_, GW_OWNER), TRUE);
    ShowWindow(window_, SW_HIDE);
    endModal(window_);
}

void AdvancedDialog::create(HWND owner)
{
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &AdvancedDialog::windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kAdvancedClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;

    // A fixed single border, no minimise or maximise button; the close box counts as "Done".
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAdvancedClass, L"Advanced Options",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner,
                              nullptr, GetModuleHandleW(nullptr), this);
    createControl(window_, L"BUTTON", L"Remove Default Bank", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
                  ID_chkBank);
    createControl(window_, L"BUTTON", L"Remove Default Pitch", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, ID_chkPitch);
    createControl(window_, L"BUTTON", L"Done", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, ID_cmdDone);
    createControl(window_, L"STATIC", label_.c_str(), WS_VISIBLE | SS_LEFT, ID_AdvancedLabel1);
    // The frame comes last, below the controls inside it, so that it never paints over them.
    createControl(window_, L"BUTTON", L"Advanced Options:", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, ID_frmAdvanced);
    layout(windowDpi(window_));
}

void AdvancedDialog::layout(UINT dpi)
{
    if (font_)
        DeleteObject(font_);
    font_ = makeFont(L"MS Sans Serif", 8.25, false, dpi);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        setFont(child, font_);
    const TwipRect client{0, 0, 0, 0};
    place(item(window_, ID_frmAdvanced), geo::frmAdvanced, client, dpi);
    place(item(window_, ID_AdvancedLabel1), geo::Label1, geo::frmAdvanced, dpi);
    // "Remove Default Bank" ends where the box below it begins, so that neither covers the other.
    constexpr TwipRect bank{geo::chkBank.left, geo::chkBank.top, geo::chkBank.width,
                            geo::chkPitch.top - geo::chkBank.top};
    place(item(window_, ID_chkBank), bank, geo::frmAdvanced, dpi);
    place(item(window_, ID_chkPitch), geo::chkPitch, geo::frmAdvanced, dpi);
    place(item(window_, ID_cmdDone), geo::cmdDone, client, dpi);
    setClientSize(window_, geo::kClientWidth, geo::kClientHeight, dpi);
}

LRESULT CALLBACK AdvancedDialog::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<AdvancedDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<AdvancedDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? guarded(self->form_, [&] { return self->handle(message, wParam, lParam); })
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT AdvancedDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            break;
        switch (LOWORD(wParam)) {
        // The boxes tick themselves; the program keeps their values.
        case ID_chkBank:
            chkBank_ = isChecked(item(window_, ID_chkBank)) ? 1 : 0;
            form_.chkBank_Set(chkBank_);
            return 0;
        case ID_chkPitch:
            chkPitch_ = isChecked(item(window_, ID_chkPitch)) ? 1 : 0;
            form_.chkPitch_Set(chkPitch_);
            return 0;
        case ID_cmdDone:
        case IDOK:
        case IDCANCEL:
            form_.cmdDone_Click();
            return 0;
        }
        break;
    case WM_CLOSE:
        form_.cmdDone_Click();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return 0;
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace vantrel::win32
