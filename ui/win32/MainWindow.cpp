#include "MainWindow.h"

#include "AboutDialog.h"
#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "Fonts.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "layout/Order.h"
#include "text/Catalogue.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace vantrel::win32 {

namespace {

const COLORREF kGreen = RGB(layout::kGreen.red, layout::kGreen.green, layout::kGreen.blue);
const COLORREF kBlack = RGB(layout::kBlack.red, layout::kBlack.green, layout::kBlack.blue);
const COLORREF kDarkBlue = RGB(layout::kDarkBlue.red, layout::kDarkBlue.green, layout::kDarkBlue.blue);

// The shell's folder icon, as Explorer shows it; the open folder for the path and its ancestors.
HICON folderIcon(bool open)
{
    SHFILEINFOW info{};
    const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags))
        return info.hIcon;
    return nullptr;
}

} // namespace

MainWindow::MainWindow() : Window(layout::kMain)
{
    black_ = CreateSolidBrush(kBlack);
    create();
}

void MainWindow::setPresenter(form::frmVantrel* presenter)
{
    form_ = presenter;
    advanced_.setPresenter(presenter);
}

MainWindow::~MainWindow()
{
    if (black_)
        DeleteObject(black_);
    for (HICON icon : {folderClosed_, folderOpen_})
        if (icon)
            DestroyIcon(icon);
}

int MainWindow::run(int show)
{
    centre(window_);
    ShowWindow(window_, show);
    UpdateWindow(window_);
    moveFocus(0, 1);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (work::madeMeanwhile(message))
            continue;
        if (!onKey(message) && !IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void MainWindow::create()
{
    // A resizable border without a maximise button; nothing moves when the window is resized.
    Window::create(nullptr, kMainClass, toWide(text::get(design_.title)),
                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_CONTROLPARENT, true);
    setChecked(item(window_, ID_Option1), true);
    SetWindowSubclass(item(window_, ID_List2), &MainWindow::list2Proc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(item(window_, ID_Label4), &MainWindow::label4Proc, 0, 0);
}

// The link shows a focus rectangle while it has the focus.
LRESULT CALLBACK MainWindow::label4Proc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        InvalidateRect(label, nullptr, TRUE);
    return DefSubclassProc(label, message, wParam, lParam);
}

// Enter and Space on the "About" link open it; Tab goes round the window.
bool MainWindow::onKey(const MSG& message)
{
    if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_SPACE) &&
        message.hwnd == item(window_, ID_Label4)) {
        fire(ID_Label4, form::Event::Click);
        return true;
    }
    if (message.message == WM_KEYDOWN && isOptionButton(message.hwnd) && moveAmongOptions(message.hwnd, message.wParam))
        return true;
    return Window::onKey(message);
}

// The arrow keys choose the next option that can be chosen, round the group, and move the focus to the option
// chosen then ("Advanced" hands the choice back to a mode when its dialog closes). The option is chosen before it
// gets the focus: Windows clicks an option button that gets the focus unchosen.
bool MainWindow::moveAmongOptions(HWND from, WPARAM key)
{
    int step = 0;
    if (key == VK_LEFT || key == VK_UP)
        step = -1;
    else if (key == VK_RIGHT || key == VK_DOWN)
        step = 1;
    if (step == 0)
        return false;
    const std::vector<const layout::Control*> options = layout::optionButtons(design_);
    int option = 0;
    for (std::size_t i = 0; i < options.size(); ++i)
        if (control(options[i]->name) == from)
            option = static_cast<int>(i) + 1;
    if (option == 0)
        return false;
    form_->chooseOption(form::optionAfter(form_->state(), option, step));
    const int chosen = form_->state().option;
    if (chosen >= 1 && chosen <= static_cast<int>(options.size())) {
        HWND button = control(options[static_cast<std::size_t>(chosen) - 1]->name);
        if (isChecked(button) && IsWindowEnabled(button))
            SetFocus(button);
    }
    return true;
}

// Where the focus goes when the control that had it went away: the selection list, else Quit.
HWND MainWindow::sensibleFocus() const
{
    HWND list = item(window_, ID_List2);
    return isShown(list) ? list : item(window_, ID_cmdQuit);
}

// The list box never changes its selection or its current entry itself: the clicks and keys that would are handed
// to the program, which answers with what the list shows.
LRESULT CALLBACK MainWindow::list2Proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto& window = *reinterpret_cast<MainWindow*>(self);
    bool used = false;
    const bool input =
        message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_KEYDOWN || message == WM_CHAR;
    if (input && window.form_) {
        form::frmVantrel& form = *window.form_;
        form.runEvent([&] { used = window.onList2Input(list, message, wParam, lParam); });
    }
    return used ? 0 : DefSubclassProc(list, message, wParam, lParam);
}

bool MainWindow::onList2Input(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Any click, with Ctrl or Shift or neither, toggles the entry under it; the list box never tracks the mouse,
        // so a drag selects nothing more.
        SetFocus(list);
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        const int entry = HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
        const bool secondPress = message == WM_LBUTTONDBLCLK && entry == lastPressed_;
        lastPressed_ = entry;
        if (entry >= 0 && !secondPress)
            fire(ID_List2, form::Event::Toggle, form::EventInput::of(entry));
        return true;
    }
    case WM_KEYDOWN: {
        RECT client{};
        GetClientRect(list, &client);
        const int rowHeight = std::max(1, static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));
        const int pageRows = std::max(1, static_cast<int>(client.bottom - client.top) / rowHeight);
        // The keys that move the current entry, and what they move it by.
        static constexpr std::pair<WPARAM, form::ListMove> kMoves[] = {
            {VK_UP, form::ListMove::Up},         {VK_DOWN, form::ListMove::Down}, {VK_PRIOR, form::ListMove::PageUp},
            {VK_NEXT, form::ListMove::PageDown}, {VK_HOME, form::ListMove::Home}, {VK_END, form::ListMove::End}};
        for (const auto& [key, move] : kMoves) {
            if (wParam == key) {
                fire(ID_List2, form::Event::Move, form::EventInput::of(move, pageRows));
                return true;
            }
        }
        switch (wParam) {
        case VK_SPACE:
            if (form_->state().list2Current >= 0)
                fire(ID_List2, form::Event::Toggle, form::EventInput::of(form_->state().list2Current));
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_F8:
            return true;
        default:
            return false;
        }
    }
    case WM_CHAR:
        // A letter moves to the next entry that begins with it; the list box's own search would select.
        if (wParam > L' ' && (GetKeyState(VK_CONTROL) & 0x8000) == 0)
            fire(ID_List2, form::Event::TypeLetter,
                 form::EventInput::of(toUtf8(std::wstring(1, static_cast<wchar_t>(wParam)))));
        return true;
    default:
        return false;
    }
}

void MainWindow::layout(UINT dpi)
{
    fallback_.reset();
    Window::layout(dpi);

    const int iconSize = toPixels(240, dpi);
    for (HICON icon : {folderClosed_, folderOpen_})
        if (icon)
            DestroyIcon(icon);
    folderClosed_ = folderIcon(false);
    folderOpen_ = folderIcon(true);

    const int textHeight = fontHeight(windowFont());
    listSetItemHeight(item(window_, ID_Dir1), std::max(iconSize + 1, textHeight + 2));
    setList2ItemHeight();

    // A drop-down list's height is its height when dropped: the closed field gets the design height.
    HWND drive = item(window_, ID_Drive1);
    RECT field{};
    GetWindowRect(drive, &field);
    const int fieldHeight = field.bottom - field.top;
    const int itemHeight = std::max(textHeight + 2, fieldHeight - 6);
    comboSetItemHeight(drive, -1, fieldHeight - 6);
    comboSetItemHeight(drive, 0, itemHeight);
    SetWindowPos(drive, nullptr, 0, 0, field.right - field.left, fieldHeight + 8 * itemHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- View ----

void MainWindow::render(const form::WindowState& state)
{
    if (!window_)
        return;
    int option = 0;
    for (const layout::Control* row : layout::optionButtons(design_))
        setChecked(control(row->name), state.option == ++option);
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
    SendMessageW(list, LB_INITSTORAGE, folders_.size(), 0);
    DWORD since = GetTickCount();
    for (const browse::FolderEntry& entry : folders_) {
        listAdd(list, toWide(entry.name));
        pumpIfDue(since);
    }
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
            list2Text_.clear();
            SendMessageW(list, LB_INITSTORAGE, state.list2.size(), 0);
            list2Text_.reserve(state.list2.size());
            // The entries go to the list box's own procedure directly: the subclass, which takes only the user's
            // input, would look itself up in the window's properties for every entry, a round trip to the server
            // under Wine.
            const auto listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC));
            DWORD since = GetTickCount();
            for (const form::ListEntry& entry : state.list2) {
                list2Text_.push_back(toWide(entry.text));
                if (listProc)
                    CallWindowProcW(listProc, list, LB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(list2Text_.back().c_str()));
                else
                    listAdd(list, list2Text_.back());
                pumpIfDue(since);
            }
            setList2ItemHeight();
        }
        const int count = std::min(listCount(list), static_cast<int>(state.list2.size()));
        const bool all = count > 0 && std::all_of(state.list2.begin(), state.list2.begin() + count,
                                                  [](const form::ListEntry& entry) { return entry.selected; });
        if (all) {
            // Every entry in one message ("All" on a long list).
            listSetSelected(list, -1, true);
        } else {
            // A list refilled has nothing selected; otherwise each entry is drawn as the program holds it, whatever the
            // list shows now.
            for (int i = 0; i < count; ++i) {
                const bool selected = state.list2[static_cast<std::size_t>(i)].selected;
                if (refill ? selected : listSelected(list, i) != selected)
                    listSetSelected(list, i, selected);
            }
        }
        if (state.list2Current >= 0 && state.list2Current < count)
            listSetCaret(list, state.list2Current);
        if (refill)
            lastPressed_ = -1;
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    setVisible(list, state.list2Visible);
}

// Rows tall enough for the window's font and for every fallback face that a name needs.
void MainWindow::setList2ItemHeight()
{
    HWND list = item(window_, ID_List2);
    if (!windowFont())
        return;
    int height = fontHeight(windowFont());
    HDC dc = GetDC(list);
    for (const std::wstring& text : list2Text_)
        if (HFONT font = fallback_.fontFor(dc, windowFont(), text); font != windowFont())
            height = std::max(height, fontHeight(font));
    ReleaseDC(list, dc);
    listSetItemHeight(list, height);
}

// A control that hides or turns disabled while it has the keyboard focus (Modify after its work) hands the
// focus on, and so does the window itself when it holds the focus (Windows gives it the focus of a child
// that hid).
void MainWindow::keepFocusVisible()
{
    HWND focus = GetFocus();
    if (!focus || (focus != window_ && GetParent(focus) != window_) ||
        (focus != window_ && isShown(focus) && IsWindowEnabled(focus)))
        return;
    SetFocus(sensibleFocus());
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

std::vector<int> MainWindow::shownSelection() const
{
    HWND list = item(window_, ID_List2);
    const int count = static_cast<int>(SendMessageW(list, LB_GETSELCOUNT, 0, 0));
    std::vector<int> entries(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0)
        SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(entries.data()));
    std::sort(entries.begin(), entries.end());
    return entries;
}

void MainWindow::setWorking(bool working)
{
    if (working) {
        work::begin();
        return;
    }
    work::end();
    if (std::exchange(workBusy_, false) && !busy_)
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void MainWindow::stayResponsive(const form::WindowState& state)
{
    if (!std::exchange(workBusy_, true))
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    setText(item(window_, ID_Label3), toWide(state.label3));
    work::pump();
}

void MainWindow::pumpIfDue(DWORD& since)
{
    if (GetTickCount() - since < 50)
        return;
    if (!std::exchange(workBusy_, true))
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    work::pump();
    since = GetTickCount();
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
        else if (draw.CtlID == ID_List2)
            drawList2(draw);
        else if (draw.CtlID == ID_Label4)
            drawLink(draw);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        // The real heights are set once the fonts exist (layout()).
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure.itemHeight = static_cast<UINT>(toPixels(240, dpi_));
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX: {
        // Every list of the window is black with green text, the drive list's drop-down included.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kGreen);
        SetBkColor(dc, kBlack);
        return reinterpret_cast<LRESULT>(black_);
    }
    case WM_SETCURSOR:
        if (busy_ || workBusy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // Windows gives a plain window, unlike a dialog, no focus back when it is activated again (after a
        // message box or a dialog): the control that had it gets it back, or a sensible one.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            HWND last = lastFocus_ && IsChild(window_, lastFocus_) ? lastFocus_ : nullptr;
            // An option that is no longer the chosen one (after the Advanced dialog) would click itself with the focus:
            // the chosen one gets it.
            if (last && isOptionButton(last) && !isChecked(last)) {
                last = nullptr;
                for (const layout::Control* row : layout::optionButtons(design_))
                    if (isChecked(control(row->name)))
                        last = control(row->name);
            }
            SetFocus(last && isShown(last) && IsWindowEnabled(last) ? last : sensibleFocus());
        }
        return 0;
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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Window::handle(message, wParam, lParam);
}

void MainWindow::onCommand(int id, int code)
{
    HWND control = item(window_, id);
    if (code == BN_CLICKED && isOptionButton(control)) {
        // A click checks the button first; a notification from a button left unchecked (Windows sends one when an
        // option gets the focus) chooses nothing.
        if (isChecked(control))
            fire(id, form::Event::Choose);
        else
            render(form_->state());
        return;
    }
    // The command buttons and the link (whose click is a button's click to Windows).
    if (code == BN_CLICKED && onClick(id))
        return;
    switch (id) {
    case ID_Drive1:
        if (code == CBN_DROPDOWN) {
            fire(id, form::Event::DropDown);
        } else if (code == CBN_SELENDOK) {
            const int chosen = comboCurrent(control);
            if (chosen >= 0 && chosen != drivesIndex_)
                fire(id, form::Event::Select, form::EventInput::of(chosen));
            // A drive that could not be read leaves the selection where it was.
            if (comboCurrent(control) != drivesIndex_)
                comboSetCurrent(control, drivesIndex_);
        } else if (code == CBN_SELENDCANCEL && comboCurrent(control) != drivesIndex_) {
            // Escape, or a click elsewhere, after the highlight moved in the dropped-down list: the list keeps
            // the highlighted drive, but no drive was chosen, so it shows the folder list's drive again.
            comboSetCurrent(control, drivesIndex_);
        }
        break;
    case ID_Dir1:
        if (code == LBN_DBLCLK && listCurrent(control) >= 0)
            fire(id, form::Event::Open, form::EventInput::of(listCurrent(control)));
        break;
    case ID_List2:
        // The list changed its selection by some way of its own: it shows the program's again.
        if (code == LBN_SELCHANGE) {
            selectionDrawn_ = ~std::uint64_t{0};
            renderList2(form_->state());
        }
        break;
    case IDOK: {
        // Enter: opens the folder under the cursor of the folder list, presses the button that has the focus.
        HWND folders = item(window_, ID_Dir1);
        HWND focus = GetFocus();
        if (focus == folders && listCurrent(folders) >= 0)
            fire(ID_Dir1, form::Event::Open, form::EventInput::of(listCurrent(folders)));
        else if (focus && GetParent(focus) == window_ &&
                 (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
            SendMessageW(focus, BM_CLICK, 0, 0);
        break;
    }
    }
}

// Text in the lists' font, or in a fallback face where that lacks the characters.
void MainWindow::drawEntryText(HDC dc, RECT box, const std::wstring& text, COLORREF colour)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    HGDIOBJ old = SelectObject(dc, fallback_.fontFor(dc, windowFont(), text));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

void MainWindow::drawList2(const DRAWITEMSTRUCT& draw)
{
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(draw.hDC, &draw.rcItem, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : black_);
    if (draw.itemID < list2Text_.size()) {
        RECT textBox = draw.rcItem;
        textBox.left += toPixels(30, dpi_);
        drawEntryText(draw.hDC, textBox, list2Text_[draw.itemID], selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kGreen);
    }
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(draw.hDC, &draw.rcItem);
}

void MainWindow::drawLink(const DRAWITEMSTRUCT& draw)
{
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, kDarkBlue);
    HGDIOBJ old = SelectObject(draw.hDC, windowFont());
    RECT textBox = draw.rcItem;
    const std::wstring link = toWide(text::get(layout::control(design_, "Label4").caption));
    DrawTextW(draw.hDC, link.c_str(), static_cast<int>(link.size()), &textBox,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == draw.hwndItem) {
        RECT focus = textBox;
        DrawTextW(draw.hDC, link.c_str(), static_cast<int>(link.size()), &focus,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        InflateRect(&focus, 1, 0);
        IntersectRect(&focus, &focus, &draw.rcItem);
        DrawFocusRect(draw.hDC, &focus);
    }
    SelectObject(draw.hDC, old);
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
        drawEntryText(dc, RECT{x, box.top, box.right, box.bottom}, toWide(entry.name),
                      selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kGreen);
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
        drawEntryText(dc, RECT{box.left + toPixels(30, dpi_), box.top, box.right, box.bottom}, name,
                      selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kGreen);
    }
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &box);
}

} // namespace vantrel::win32
