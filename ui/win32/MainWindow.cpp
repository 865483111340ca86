#include "MainWindow.h"

#include "AboutDialog.h"
#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "EventGuard.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"

#include <shellapi.h>

#include <algorithm>

namespace vantrel::win32 {

namespace geo = layout::main;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kDarkBlue = RGB(0, 0, 192);
constexpr TwipRect kClient{0, 0, 0, 0};

// The shell's folder icon, as Explorer shows it; the open folder for the path and its ancestors.
HICON folderIcon(bool open)
{
    SHFILEINFOW info{};
    const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags))
        return info.hIcon;
    return nullptr;
}

HICON programIcon(int size)
{
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTREL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

int fontHeight(HWND window, HFONT font)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

} // namespace

MainWindow::MainWindow() : form_(std::make_unique<form::frmVantrel>(*this)), advanced_(*form_)
{
    black_ = CreateSolidBrush(kBlack);
}

MainWindow::~MainWindow()
{
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(labelFont_), static_cast<HGDIOBJ>(black_)})
        if (object)
            DeleteObject(object);
    for (HICON icon : {folderClosed_, folderOpen_, bigIcon_, smallIcon_})
        if (icon)
            DestroyIcon(icon);
}

int MainWindow::run(int show)
{
    create();
    render(form_->state());
    form_->runEvent([this] { form_->Form_Load(); });
    loaded_ = true;
    centre(window_);
    ShowWindow(window_, show);
    UpdateWindow(window_);
    SetFocus(GetNextDlgTabItem(window_, nullptr, FALSE));

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void MainWindow::create()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.lpszClassName = kMainClass;
    RegisterClassExW(&windowClass);

    // A resizable border without a maximise button; nothing moves when the window is resized.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, L"Vantrel",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, CW_USEDEFAULT,
                              CW_USEDEFAULT, 300, 400, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    createControls();
    layout(windowDpi(window_));
}

void MainWindow::createControls()
{
    // Creation order is the keyboard focus order: folder list, drive list, Modify, Clear, Quit, the selection
    // list, All, then the option buttons. Labels and frames take no focus; the frames come last, below
    // everything they hold, so that they never paint over it.
    createControl(window_, L"LISTBOX", nullptr,
                  WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                      LBS_NOINTEGRALHEIGHT,
                  ID_Dir1, WS_EX_CLIENTEDGE);
    createControl(window_, L"COMBOBOX", nullptr,
                  WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                  ID_Drive1);
    createControl(window_, L"BUTTON", L"Modify", WS_TABSTOP | BS_PUSHBUTTON, ID_cmdYes);
    createControl(window_, L"BUTTON", L"Clear", WS_TABSTOP | BS_PUSHBUTTON, ID_cmdNo);
    createControl(window_, L"BUTTON", L"Quit", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ID_cmdQuit);
    createControl(window_, L"LISTBOX", nullptr,
                  WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT, ID_List2,
                  WS_EX_CLIENTEDGE);
    createControl(window_, L"BUTTON", L"All", WS_TABSTOP | BS_PUSHBUTTON, ID_cmdAll);
    createControl(window_, L"BUTTON", L"Remove", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_RADIOBUTTON, ID_Option1);
    createControl(window_, L"BUTTON", L"Restore", WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON, ID_Option2);
    createControl(window_, L"BUTTON", L"Advanced", WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_RADIOBUTTON, ID_Option3);
    createControl(window_, L"STATIC", L"", WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, ID_Label2);
    createControl(window_, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, ID_Label3);
    createControl(window_, L"STATIC", L"Please Select  Flight Simulator's Aircraft Directory",
                  WS_VISIBLE | SS_CENTER | SS_NOPREFIX, ID_Label1);
    createControl(window_, L"STATIC", L"About", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, ID_Label4);
    createControl(window_, L"BUTTON", L" Aircraft Directory: ", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX,
                  ID_frmDriveDialog);
    createControl(window_, L"BUTTON", L" Autopilot Wing Leveler ", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX,
                  ID_frmLeveler);
    setChecked(item(window_, ID_Option1), true);
    SetWindowSubclass(item(window_, ID_List2), &MainWindow::list2Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// The arrow keys move the selection list's current entry without selecting anything, and the list box
// reports no such move: the keys are watched here, so that the program knows the current entry.
LRESULT CALLBACK MainWindow::list2Proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    if (message != WM_KEYDOWN)
        return DefSubclassProc(list, message, wParam, lParam);
    const int before = listCaret(list);
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    const int after = listCaret(list);
    if (after != before && after >= 0) {
        form::frmVantrel& form = *reinterpret_cast<MainWindow*>(self)->form_;
        form.runEvent([&] { form.List2_SetCurrent(after); });
    }
    return result;
}

void MainWindow::layout(UINT dpi)
{
    dpi_ = dpi;
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(labelFont_)})
        if (object)
            DeleteObject(object);
    font_ = makeFont(L"Small Fonts", 6.75, false, dpi);
    labelFont_ = makeFont(L"MS Sans Serif", 8.25, false, dpi);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        setFont(child, font_);
    setFont(item(window_, ID_Label1), labelFont_);

    const int iconSize = toPixels(240, dpi);
    for (HICON icon : {folderClosed_, folderOpen_})
        if (icon)
            DestroyIcon(icon);
    folderClosed_ = folderIcon(false);
    folderOpen_ = folderIcon(true);

    place(item(window_, ID_frmLeveler), geo::frmLeveler, kClient, dpi);
    place(item(window_, ID_Option1), geo::Option1, geo::frmLeveler, dpi);
    place(item(window_, ID_Option2), geo::Option2, geo::frmLeveler, dpi);
    place(item(window_, ID_Option3), geo::Option3, geo::frmLeveler, dpi);
    place(item(window_, ID_List2), geo::List2, kClient, dpi);
    place(item(window_, ID_frmDriveDialog), geo::frmDriveDialog, kClient, dpi);
    place(item(window_, ID_Label2), geo::Label2, geo::frmDriveDialog, dpi);
    place(item(window_, ID_Dir1), geo::Dir1, geo::frmDriveDialog, dpi);
    place(item(window_, ID_Label3), geo::Label3, geo::frmDriveDialog, dpi);
    place(item(window_, ID_Label1), geo::Label1, geo::frmDriveDialog, dpi);
    place(item(window_, ID_cmdYes), geo::cmdYes, geo::frmDriveDialog, dpi);
    place(item(window_, ID_cmdAll), geo::cmdAll, geo::frmDriveDialog, dpi);
    place(item(window_, ID_cmdNo), geo::cmdNo, geo::frmDriveDialog, dpi);
    place(item(window_, ID_cmdQuit), geo::cmdQuit, geo::frmDriveDialog, dpi);
    place(item(window_, ID_Label4), geo::Label4, kClient, dpi);

    const int textHeight = fontHeight(window_, font_);
    listSetItemHeight(item(window_, ID_Dir1), std::max(iconSize + 1, textHeight + 2));

    // A drop-down list's height is its height when dropped: the closed field gets the design height.
    HWND drive = item(window_, ID_Drive1);
    place(drive, geo::Drive1, geo::frmDriveDialog, dpi);
    RECT field{};
    GetWindowRect(drive, &field);
    const int fieldHeight = field.bottom - field.top;
    const int itemHeight = std::max(textHeight + 2, fieldHeight - 6);
    comboSetItemHeight(drive, -1, fieldHeight - 6);
    comboSetItemHeight(drive, 0, itemHeight);
    SetWindowPos(drive, nullptr, 0, 0, field.right - field.left, fieldHeight + 8 * itemHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    setClientSize(window_, geo::kClientWidth, geo::kClientHeight, dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

// ---- View ----

void MainWindow::render(const form::WindowState& state)
{
    if (!window_)
        return;
    setChecked(item(window_, ID_Option1), state.option == 1);
    setChecked(item(window_, ID_Option2), state.option == 2);
    setChecked(item(window_, ID_Option3), state.option == 3);
    setEnabled(item(window_, ID_Option3), state.option3Enabled);
    if (state.Drive1)
        renderDrives(*state.Drive1);
    if (state.Dir1)
        renderFolders(*state.Dir1);
    setText(item(window_, ID_Label2), toWide(state.label2));
    setVisible(item(window_, ID_Label2), state.label2Visible);
    setText(item(window_, ID_Label3), toWide(state.label3));
    setVisible(item(window_, ID_Label3), state.label3Visible);
    setVisible(item(window_, ID_Label1), state.label1Visible);
    renderList2(state);
    setVisible(item(window_, ID_cmdYes), state.cmdYesVisible);
    setVisible(item(window_, ID_cmdAll), state.cmdAllVisible);
    setVisible(item(window_, ID_cmdNo), state.cmdNoVisible);
    advanced_.render(state);
    keepFocusVisible();
}

void MainWindow::renderDrives(const browse::DriveModel& drives)
{
    HWND combo = item(window_, ID_Drive1);
    if (drives.revision() != drivesDrawn_) {
        drivesDrawn_ = drives.revision();
        comboClear(combo);
        for (const std::string& drive : drives.drives())
            comboAdd(combo, toWide(drive));
    }
    if (comboCurrent(combo) != drives.index())
        comboSetCurrent(combo, drives.index());
    drivesIndex_ = drives.index();
}

void MainWindow::renderFolders(const browse::FolderModel& folders)
{
    if (folders.revision() == foldersDrawn_)
        return;
    // Refilled only when the folders changed, so that the user's scroll position survives everything else.
    foldersDrawn_ = folders.revision();
    folders_ = folders.entries();
    HWND list = item(window_, ID_Dir1);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    listClear(list);
    for (const browse::FolderEntry& entry : folders_)
        listAdd(list, toWide(entry.name));
    listSetCurrent(list, folders.pathEntry());
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::renderList2(const form::WindowState& state)
{
    HWND list = item(window_, ID_List2);
    const bool refill = state.list2Revision != list2Drawn_;
    if (refill || state.selectionRevision != selectionDrawn_) {
        list2Drawn_ = state.list2Revision;
        selectionDrawn_ = state.selectionRevision;
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        if (refill) {
            listClear(list);
            for (const form::ListEntry& entry : state.list2)
                listAdd(list, toWide(entry.text));
        }
        const int count = std::min(listCount(list), static_cast<int>(state.list2.size()));
        for (int i = 0; i < count; ++i)
            if (listSelected(list, i) != state.list2[static_cast<std::size_t>(i)].selected)
                listSetSelected(list, i, state.list2[static_cast<std::size_t>(i)].selected);
        if (state.list2Current >= 0 && state.list2Current < count)
            listSetCaret(list, state.list2Current);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    setVisible(list, state.list2Visible);
}

// A button that hides while it has the keyboard focus (Modify after its work) hands the focus on.
void MainWindow::keepFocusVisible()
{
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != window_ || (IsWindowVisible(focus) && IsWindowEnabled(focus)))
        return;
    if (HWND next = GetNextDlgTabItem(window_, focus, FALSE))
        SetFocus(next);
}

void MainWindow::showMessage(const std::string& text, form::MessageIcon icon, const std::string& title)
{
    UINT type = MB_OK;
    if (icon == form::MessageIcon::Warning)
        type |= MB_ICONWARNING;
    else if (icon == form::MessageIcon::Information)
        type |= MB_ICONINFORMATION;
    // Over the dialog that asked (Advanced, About), otherwise over the main window.
    HWND owner = GetActiveWindow();
    DWORD process = 0;
    if (!owner || GetWindowThreadProcessId(owner, &process) != GetCurrentThreadId() || !IsWindowVisible(owner))
        owner = window_;
    MessageBoxW(owner, toWideLines(text).c_str(), toWide(title).c_str(), type);
}

void MainWindow::beep()
{
    MessageBeep(MB_OK);
}

void MainWindow::setBusy(bool busy)
{
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::showAdvanced()
{
    advanced_.showModal(window_);
}

void MainWindow::hideAdvanced()
{
    advanced_.hide();
}

void MainWindow::showAbout()
{
    showAboutDialog(window_, *form_);
}

void MainWindow::refresh()
{
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::endProgram()
{
    // The settings are written; nothing of the window may run any more, not even its destructors.
    ExitProcess(0);
}

// ---- Window messages ----

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? guarded(*self->form_, [&] { return self->handle(message, wParam, lParam); })
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw.CtlID == ID_Dir1)
            drawFolder(draw);
        else if (draw.CtlID == ID_Drive1)
            drawDrive(draw);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        // The real heights are set once the fonts exist (layout()).
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure.itemHeight = static_cast<UINT>(toPixels(240, dpi_));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return onColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORLISTBOX: {
        // Every list of the window is black with green text, the drive list's drop-down included.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kGreen);
        SetBkColor(dc, kBlack);
        return reinterpret_cast<LRESULT>(black_);
    }
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        // The close box, the system menu and Alt+F4: Quit, which saves the settings and ends the program.
        form_->Form_Unload();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            form_->Form_Unload();
        return 0;
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT MainWindow::onColour(HDC dc, HWND control)
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    const int id = GetDlgCtrlID(control);
    if (id == ID_Label1)
        SetTextColor(dc, kBlue);
    else if (id == ID_Label4)
        SetTextColor(dc, kDarkBlue);
    else
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::onCommand(int id, int code)
{
    HWND control = item(window_, id);
    switch (id) {
    case ID_Option1:
    case ID_Option2:
    case ID_Option3:
        if (code == BN_CLICKED)
            form_->chooseOption(id - ID_Option1 + 1);
        break;
    case ID_Label4:
        if (code == STN_CLICKED)
            form_->Label4_Click();
        break;
    case ID_Drive1:
        if (code == CBN_DROPDOWN) {
            form_->Drive1_DropDown();
        } else if (code == CBN_SELENDOK) {
            const int chosen = comboCurrent(control);
            if (chosen >= 0 && chosen != drivesIndex_)
                form_->Drive1_Select(chosen);
            // A drive that could not be read leaves the selection where it was.
            if (comboCurrent(control) != drivesIndex_)
                comboSetCurrent(control, drivesIndex_);
        }
        break;
    case ID_Dir1:
        if (code == LBN_DBLCLK && listCurrent(control) >= 0)
            form_->Dir1_Open(listCurrent(control));
        break;
    case ID_List2:
        // A click (or the space bar) toggled the entry under the caret.
        if (code == LBN_SELCHANGE && listCaret(control) >= 0)
            form_->List2_Toggle(listCaret(control));
        break;
    case ID_cmdYes:
        if (code == BN_CLICKED)
            form_->cmdYes_Click();
        break;
    case ID_cmdAll:
        if (code == BN_CLICKED)
            form_->cmdAll_Click();
        break;
    case ID_cmdNo:
        if (code == BN_CLICKED)
            form_->cmdNo_Click();
        break;
    case ID_cmdQuit:
        if (code == BN_CLICKED)
            form_->cmdQuit_Click();
        break;
    case IDOK: {
        // Enter: opens the folder under the cursor of the folder list.
        HWND folders = item(window_, ID_Dir1);
        if (GetFocus() == folders && listCurrent(folders) >= 0)
            form_->Dir1_Open(listCurrent(folders));
        break;
    }
    }
}

void MainWindow::drawFolder(const DRAWITEMSTRUCT& draw)
{
    HDC dc = draw.hDC;
    const RECT& box = draw.rcItem;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &box, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : black_);
    if (draw.itemID < folders_.size()) {
        const browse::FolderEntry& entry = folders_[draw.itemID];
        const int iconSize = toPixels(240, dpi_);
        const int indent = toPixels(120, dpi_);
        int x = box.left + toPixels(30, dpi_) + entry.level * indent;
        if (HICON icon = entry.open ? folderOpen_ : folderClosed_)
            DrawIconEx(dc, x, box.top + (box.bottom - box.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr,
                       DI_NORMAL);
        x += iconSize + toPixels(45, dpi_);
        RECT textBox{x, box.top, box.right, box.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kGreen);
        HGDIOBJ old = SelectObject(dc, font_);
        const std::wstring name = toWide(entry.name);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textBox,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &box);
}

void MainWindow::drawDrive(const DRAWITEMSTRUCT& draw)
{
    HDC dc = draw.hDC;
    const RECT& box = draw.rcItem;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &box, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : black_);
    if (draw.itemID != static_cast<UINT>(-1)) {
        const int length = static_cast<int>(SendMessageW(draw.hwndItem, CB_GETLBTEXTLEN, draw.itemID, 0));
        std::wstring name(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
        SendMessageW(draw.hwndItem, CB_GETLBTEXT, draw.itemID, reinterpret_cast<LPARAM>(name.data()));
        name.resize(static_cast<std::size_t>(std::max(length, 0)));
        RECT textBox{box.left + toPixels(30, dpi_), box.top, box.right, box.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kGreen);
        HGDIOBJ old = SelectObject(dc, font_);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textBox,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &box);
}

} // namespace vantrel::win32
