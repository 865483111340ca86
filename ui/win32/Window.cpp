#include "Window.h"

#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "EventGuard.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Order.h"

#include <vector>

namespace vantrel::win32 {

namespace {

// Windows gives a click to the upper of two overlapping controls even where it shows nothing: a control whose
// rectangle runs into the one below it ends where that one begins.
struct Clip
{
    const char* control;
    const char* endsAt;
};
constexpr Clip kClips[] = {{"Label4", "frmLeveler"}, {"chkBank", "chkPitch"}};

bool hasControl(const layout::Window& design, const char* name)
{
    for (const layout::Control& row : design)
        if (layout::sameName(row.name, name))
            return true;
    return false;
}

TwipRect placeOf(const layout::Window& design, const layout::Control& row)
{
    TwipRect rect = row.rect;
    for (const Clip& clip : kClips)
        if (layout::sameName(row.name, clip.control) && hasControl(design, clip.endsAt))
            rect.height = layout::control(design, clip.endsAt).rect.top - rect.top;
    return rect;
}

struct Made
{
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

Made madeOf(const layout::Control& row)
{
    constexpr DWORD lists = WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    switch (row.kind) {
    case layout::Kind::Frame:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case layout::Kind::OptionButton:
        // Checked by a click itself: the window acts on a click only when the button reports it checked.
        return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case layout::Kind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case layout::Kind::CommandButton:
        return {L"BUTTON", (row.style & layout::kDefault) != 0 ? DWORD{BS_DEFPUSHBUTTON} : DWORD{BS_PUSHBUTTON}, 0};
    case layout::Kind::Label:
        // The link is drawn by its window (with a focus rectangle) and reports clicks.
        if ((row.style & layout::kLink) != 0)
            return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
        return {L"STATIC", ((row.style & layout::kCentred) != 0 ? DWORD{SS_CENTER} : DWORD{SS_LEFT}) | SS_NOPREFIX, 0};
    case layout::Kind::ListBox:
        return {L"LISTBOX", lists | ((row.style & layout::kMultiple) != 0 ? DWORD{LBS_MULTIPLESEL} : 0),
                WS_EX_CLIENTEDGE};
    case layout::Kind::FolderList:
        return {L"LISTBOX", lists, WS_EX_CLIENTEDGE};
    case layout::Kind::DriveList:
        return {L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0};
    case layout::Kind::Picture:
        return {L"STATIC", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, 0};
    case layout::Kind::FileList:
    case layout::Kind::Line:
        break;
    }
    return {nullptr, 0, 0};
}

COLORREF toColorref(layout::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace

namespace work {

namespace {

DWORD started = 0;
DWORD ended = 0;
bool any = false;

bool isUserAction(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        return true;
    default:
        return false;
    }
}

// Whether tick `time` lies in [from, to], across the wrap of the tick count.
bool within(DWORD time, DWORD from, DWORD to)
{
    return static_cast<LONG>(time - from) >= 0 && static_cast<LONG>(to - time) >= 0;
}

} // namespace

void begin()
{
    started = GetTickCount();
}

void end()
{
    ended = GetTickCount();
    any = true;
}

bool madeMeanwhile(const MSG& message)
{
    return any && isUserAction(message.message) && within(message.time, started, ended);
}

void pump()
{
    MSG message{};
    // A bounded number, so that a stream of messages cannot hold the work up.
    for (int handled = 0; handled < 500 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (isUserAction(message.message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace work

HICON programIcon(int size)
{
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTREL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

Window::~Window()
{
    if (window_) {
        // No message reaches the object once it is gone.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    deleteFonts();
}

void Window::deleteFonts()
{
    for (HFONT& font : fonts_) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
}

bool Window::isOptionButton(HWND control) const
{
    const layout::Control* row = rowOf(GetDlgCtrlID(control));
    return row != nullptr && row->kind == layout::Kind::OptionButton && GetParent(control) == window_;
}

HWND Window::control(const char* name) const
{
    return item(window_, controlId(design_, name));
}

const layout::Control* Window::rowOf(int id) const
{
    for (const layout::Control& row : design_)
        if (layout::isCreated(row) && controlId(design_, row.name) == id)
            return &row;
    return nullptr;
}

HFONT Window::font(layout::FontRole role) const
{
    return fonts_[static_cast<int>(role == layout::FontRole::Inherit ? design_.font : role)];
}

void Window::create(HWND owner, const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                    bool classIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Window::windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        if (classIcon) {
            windowClass.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
            windowClass.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
        }
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    CreateWindowExW(exStyle, className, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, 300, 400, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    createControls();
    layout(windowDpi(window_));
}

// One loop over the table; then the stacking: Windows draws the first child on top, and gives it the click.
void Window::createControls()
{
    const layout::Control* previous = nullptr;
    for (const layout::Control& row : design_) {
        if (!layout::isCreated(row))
            continue;
        const Made made = madeOf(row);
        DWORD style = made.style;
        if (row.presence == layout::Presence::Shown)
            style |= WS_VISIBLE;
        if (!row.enabled)
            style |= WS_DISABLED;
        if (row.tab > 0)
            style |= WS_TABSTOP;
        // Option buttons and check boxes that follow one of their kind form one group for the arrow keys.
        const bool grouped = (row.kind == layout::Kind::OptionButton || row.kind == layout::Kind::CheckBox) &&
                             previous != nullptr && previous->kind == row.kind;
        if (!grouped)
            style |= WS_GROUP;
        if (row.kind == layout::Kind::Frame)
            style |= WS_CLIPSIBLINGS;
        createControl(window_, made.windowClass, toWide(text::get(row.caption)).c_str(), style,
                      controlId(design_, row.name), made.exStyle);
        previous = &row;
    }
    for (const layout::Control* row : layout::stackingTopFirst(design_))
        SetWindowPos(control(row->name), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const form::Wire& wire : form::frmVantrel::wiring())
        if (layout::sameName(wire.window, design_.name))
            wires_.emplace_back(controlId(design_, wire.control), &wire);
}

void Window::layout(UINT dpi)
{
    dpi_ = dpi;
    deleteFonts();
    for (const auto role : {layout::FontRole::Small, layout::FontRole::SansSerif, layout::FontRole::Title})
        fonts_[static_cast<int>(role)] = makeFont(role, dpi);
    for (const layout::Control& row : design_) {
        if (!layout::isCreated(row))
            continue;
        HWND child = control(row.name);
        setFont(child, font(layout::fontOf(design_, row)));
        const TwipRect container = row.parent ? layout::control(design_, row.parent).rect : TwipRect{0, 0, 0, 0};
        place(child, placeOf(design_, row), container, dpi);
    }
    setClientSize(window_, design_.clientWidth, design_.clientHeight, dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

bool Window::onKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    const bool modifier = (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
    if (message.wParam == VK_TAB && !modifier) {
        moveFocus(GetDlgCtrlID(GetFocus()), (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1);
        return true;
    }
    return false;
}

void Window::moveFocus(int from, int step)
{
    std::vector<HWND> order;
    int at = step > 0 ? -1 : 0;
    for (const layout::Control* row : layout::tabOrder(design_)) {
        if (!layout::isCreated(*row))
            continue;
        if (controlId(design_, row->name) == from)
            at = static_cast<int>(order.size());
        order.push_back(control(row->name));
    }
    const int count = static_cast<int>(order.size());
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        // The option buttons are one stop, at the chosen one: Windows clicks an option button that gets the focus
        // unchosen, which would change the mode.
        HWND next = order[static_cast<std::size_t>(at)];
        if (isOptionButton(next) && !isChecked(next))
            continue;
        if (isShown(order[static_cast<std::size_t>(at)]) && IsWindowEnabled(order[static_cast<std::size_t>(at)])) {
            SetFocus(order[static_cast<std::size_t>(at)]);
            return;
        }
    }
}

void Window::runModal(HWND owner, HWND focus, bool& done)
{
    done = false;
    modalDone_ = &done;
    centre(window_);
    EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(focus);
    MSG message{};
    bool quit = false;
    while (!done) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (work::madeMeanwhile(message))
            continue;
        if (!onKey(message) && !IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // Enable the owner before the dialog goes, so that Windows activates the owner and not some other program.
    EnableWindow(owner, TRUE);
    modalDone_ = nullptr;
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
}

void Window::endModal()
{
    if (modalDone_ == nullptr || *modalDone_)
        return;
    *modalDone_ = true;
    EnableWindow(GetWindow(window_, GW_OWNER), TRUE);
    ShowWindow(window_, SW_HIDE);
    // Wakes the loop, so that it sees the end.
    PostMessageW(window_, WM_NULL, 0, 0);
}

LRESULT CALLBACK Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (!self->form_)
        return self->handle(message, wParam, lParam);
    return guarded(*self->form_, [&] { return self->handle(message, wParam, lParam); });
}

bool Window::onClick(int id)
{
    const layout::Control* row = rowOf(id);
    if (row == nullptr)
        return false;
    switch (row->kind) {
    case layout::Kind::CheckBox:
        return fire(id, form::Event::Tick, form::EventInput::of(isChecked(item(window_, id)) ? 1 : 0));
    case layout::Kind::CommandButton:
        return fire(id, form::Event::Click);
    case layout::Kind::Label:
        return (row->style & layout::kLink) != 0 && fire(id, form::Event::Click);
    default:
        return false;
    }
}

bool Window::fire(int id, form::Event event, const form::EventInput& input)
{
    for (const auto& [control, wire] : wires_) {
        if (control == id && wire->event == event) {
            if (form_ != nullptr)
                form_->fire(*wire, input);
            return true;
        }
    }
    return false;
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && onClick(LOWORD(wParam)))
            return 0;
        break;
    case WM_CLOSE:
        if (onClick(IDCANCEL))
            return 0;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        const layout::Control* row = rowOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        SetTextColor(dc, row && row->colours != layout::Colours::Standard ? toColorref(layout::textColour(row->colours))
                                                                          : GetSysColor(COLOR_BTNTEXT));
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

} // namespace vantrel::win32
