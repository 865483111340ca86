#pragma once

#include "Win32.h"

#include "form/Wiring.h"
#include "layout/Layout.h"

#include <string>
#include <utility>
#include <vector>

namespace vantrel::form {
class frmVantrel;
}

namespace vantrel::win32 {

// A top-level window built from its design table: it owns the window handle and its fonts, routes the window's
// messages to handle() (the message thunk), creates the controls by one loop over the table and connects them
// to the program by one loop over the wiring table, places them at
// the monitor's DPI, colours them, and moves the focus with Tab in the table's order.
class Window
{
public:
    explicit Window(const layout::Window& design) : design_(design) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The control called `name` in the design table.
    HWND control(const char* name) const;

protected:
    // Registers `className` (once, with the program's icon if `classIcon`), creates the window with its controls and
    // lays it out.
    void create(HWND owner, const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                bool classIcon = false);
    // Messages of the window; what a window does not handle goes to Window::handle().
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A click on the control with identifier `id` (IDCANCEL also for the close box); true when handled. A check box,
    // command button or link runs the program's handler that the wiring table connects to it.
    virtual bool onClick(int id);
    // Runs the program's handler that the wiring table connects to event `event` of the control with identifier
    // `id`; false when none is connected.
    bool fire(int id, form::Event event, const form::EventInput& input = {});
    // Fonts and places at `dpi`; a window with more to size extends it.
    virtual void layout(UINT dpi);
    // Tab and Shift+Tab in the table's order; true when the key was used.
    virtual bool onKey(const MSG& message);
    // Moves the focus from control `from` (0: from before the first) to the next shown, enabled one.
    void moveFocus(int from, int step);
    // Shows the window modally over `owner` (which takes no input meanwhile) with the focus on `focus`, and runs
    // a nested message loop until `done` turns true; endModal() sets it.
    void runModal(HWND owner, HWND focus, bool& done);
    // Hides the modal window and ends its loop.
    void endModal();
    // The design row of the control with identifier `id` (nullptr for none).
    const layout::Control* rowOf(int id) const;
    bool isOptionButton(HWND control) const;
    HFONT font(layout::FontRole role) const;
    HFONT windowFont() const { return font(design_.font); }

    const layout::Window& design_;
    // The program the window's events go to; while it is set, every message is handled through its event entry,
    // so that a failure nothing expects is reported there and never unwinds into Windows' own code.
    form::frmVantrel* form_ = nullptr;
    HWND window_ = nullptr;
    UINT dpi_ = 96;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void deleteFonts();

    HFONT fonts_[4] = {};
    // The window's connections of the wiring table, by control identifier.
    std::vector<std::pair<int, const form::Wire*>> wires_;
    bool* modalDone_ = nullptr;
};

// The icon of the program at `size` pixels.
HICON programIcon(int size);

// The program's work and the user's input: while the program works, the clicks and key presses that reach its
// windows are dropped, never handled afterwards (the releases that end them go through).
namespace work {
void begin();
void end();
// A click or key press made while the program worked, which the message loops drop.
bool madeMeanwhile(const MSG& message);
// Handles the messages waiting for the thread's windows, dropping the user's input.
void pump();
} // namespace work

} // namespace vantrel::win32
