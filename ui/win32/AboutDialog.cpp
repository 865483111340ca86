#include "AboutDialog.h"

#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "EventGuard.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"

namespace vantrel::win32 {

namespace geo = layout::about;

namespace {

class AboutDialog
{
public:
    AboutDialog(HWND owner, form::frmVantrel& form);
    ~AboutDialog();
    void run();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void layout(UINT dpi);
    void paintSeparator(HDC dc);

    HWND owner_;
    form::frmVantrel& form_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    HICON icon_ = nullptr;
    UINT dpi_ = 96;
    bool closed_ = false;
};

AboutDialog::AboutDialog(HWND owner, form::frmVantrel& form) : owner_(owner), form_(form)
{
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &AboutDialog::windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kAboutClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;

    // The texts are composed afresh for every opening.
    const form::AboutText texts = form::aboutText();
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutClass, toWide(texts.caption).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner,
                              nullptr, GetModuleHandleW(nullptr), this);
    // Tab order: OK first (it has the focus), then "System Info...".
    createControl(window_, L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK);
    createControl(window_, L"BUTTON", L"&System Info...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ID_cmdSysInfo);
    createControl(window_, L"STATIC", nullptr, WS_VISIBLE | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, ID_Picture1);
    createControl(window_, L"STATIC", toWide(texts.title).c_str(), WS_VISIBLE | SS_CENTER | SS_NOPREFIX, ID_lblTitle);
    createControl(window_, L"STATIC", toWide(texts.version).c_str(), WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                  ID_lblVersion);
    createControl(window_, L"STATIC", toWideLines(texts.description).c_str(), WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                  ID_lblDescription);
    layout(windowDpi(window_));
}

AboutDialog::~AboutDialog()
{
    if (window_)
        DestroyWindow(window_);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(titleFont_)})
        if (object)
            DeleteObject(object);
    if (icon_)
        DestroyIcon(icon_);
}

void AboutDialog::run()
{
    centre(window_);
    // Modal from the moment it shows: the main window takes no input while the dialog is on screen.
    EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(item(window_, IDOK));
    runModal(window_, owner_, closed_);
}

void AboutDialog::layout(UINT dpi)
{
    dpi_ = dpi;
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(titleFont_)})
        if (object)
            DeleteObject(object);
    font_ = makeFont(L"MS Sans Serif", 8.25, false, dpi);
    titleFont_ = makeFont(L"MS Sans Serif", 9.75, true, dpi);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        setFont(child, font_);
    setFont(item(window_, ID_lblTitle), titleFont_);

    const int iconSize = toPixels(geo::Picture1.width, dpi);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTREL), IMAGE_ICON,
                                               iconSize, iconSize, LR_DEFAULTCOLOR));
    SendMessageW(item(window_, ID_Picture1), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon;

    const TwipRect client{0, 0, 0, 0};
    place(item(window_, ID_Picture1), geo::Picture1, client, dpi);
    place(item(window_, ID_lblTitle), geo::lblTitle, client, dpi);
    place(item(window_, ID_lblVersion), geo::lblVersion, client, dpi);
    place(item(window_, ID_lblDescription), geo::lblDescription, client, dpi);
    place(item(window_, ID_cmdSysInfo), geo::cmdSysInfo, client, dpi);
    place(item(window_, IDOK), geo::cmdOK, client, dpi);
    setClientSize(window_, geo::kClientWidth, geo::kClientHeight, dpi);
}

// The etched separator: a grey line and, one pixel lower, a white one.
void AboutDialog::paintSeparator(HDC dc)
{
    const int left = toPixels(geo::kLineLeft, dpi_);
    const int right = toPixels(geo::kLineRight, dpi_);
    const int top = toPixels(geo::kLineTop, dpi_);
    const int thickness = toPixels(15, dpi_) > 0 ? toPixels(15, dpi_) : 1;
    RECT grey{left, top, right, top + thickness};
    FillRect(dc, &grey, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT white{left, top + thickness, right, top + 2 * thickness};
    FillRect(dc, &white, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

LRESULT CALLBACK AboutDialog::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<AboutDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<AboutDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? guarded(self->form_, [&] { return self->handle(message, wParam, lParam); })
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT AboutDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            break;
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            closed_ = true;
            EnableWindow(owner_, TRUE);
            ShowWindow(window_, SW_HIDE);
            endModal(window_);
            return 0;
        case ID_cmdSysInfo:
            form_.cmdSysInfo_Click();
            return 0;
        }
        break;
    case WM_CLOSE:
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        paintSeparator(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == ID_lblDescription)
            SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace

void showAboutDialog(HWND owner, form::frmVantrel& form)
{
    AboutDialog dialog(owner, form);
    dialog.run();
}

} // namespace vantrel::win32
