#pragma once

#include "Win32.h"

#include "AdvancedDialog.h"
#include "Fonts.h"
#include "Window.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "form/View.h"

#include <cstdint>
#include <vector>

namespace vantrel::form {
class frmVantrel;
}

namespace vantrel::win32 {

// The main window "Vantrel" in plain Windows controls. It builds the controls from the layout table, draws
// what the program gives it through render() and hands every user action to the program (frmVantrel). (Not final:
// the test program of the event guard, tests/win32/FailingDrawMain.cpp, makes one drawing of it fail.)
class MainWindow : public form::View, private Window
{
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The program whose window this is; it must be set before the window is used and outlive it.
    void setPresenter(form::frmVantrel* presenter);
    // Shows the window and runs the message loop.
    int run(int show);

    void render(const form::WindowState& state) override;
    void showMessage(const std::string& text, form::MessageIcon icon, const std::string& title) override;
    void beep() override;
    void setBusy(bool busy) override;
    void showAdvanced() override;
    void hideAdvanced() override;
    void showAbout() override;
    void refresh() override;
    void endProgram() override;
    std::vector<int> shownSelection() const override;
    void setWorking(bool working) override;
    void stayResponsive(const form::WindowState& state) override;

private:
    static LRESULT CALLBACK list2Proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    static LRESULT CALLBACK label4Proc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR unused);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onKey(const MSG& message) override;
    HWND sensibleFocus() const;
    void create();
    void layout(UINT dpi) override;
    void onCommand(int id, int code);
    // The selection list's own input, handed to the program; true when the list must not see it.
    bool onList2Input(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    // An arrow key on an option button; true when used.
    bool moveAmongOptions(HWND from, WPARAM key);
    // Lets the window handle its messages while a long list is filled.
    void pumpIfDue(DWORD& since);
    void setList2ItemHeight();
    void drawEntryText(HDC dc, RECT box, const std::wstring& text, COLORREF colour);
    void drawList2(const DRAWITEMSTRUCT& draw);
    void drawLink(const DRAWITEMSTRUCT& draw);
    void drawFolder(const DRAWITEMSTRUCT& draw);
    void drawDrive(const DRAWITEMSTRUCT& draw);
    void renderDrives(const browse::DriveModel& drives);
    void renderFolders(const browse::FolderModel& folders);
    void renderList2(const form::WindowState& state);
    void keepFocusVisible();

    AdvancedDialog advanced_;
    bool busy_ = false;
    bool workBusy_ = false; // long work shows the busy pointer
    int lastPressed_ = -1;  // the selection list's entry pressed last (a double-click's second press is no click)

    GlyphFallback fallback_;   // faces for names in scripts that the window's font lacks
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was last deactivated
    HBRUSH black_ = nullptr;
    HICON folderClosed_ = nullptr;
    HICON folderOpen_ = nullptr;

    // What the lists show, and the revisions they were filled from.
    std::vector<browse::FolderEntry> folders_;
    std::vector<std::wstring> list2Text_;
    std::uint64_t drivesDrawn_ = ~std::uint64_t{0};
    std::uint64_t foldersDrawn_ = ~std::uint64_t{0};
    std::uint64_t list2Drawn_ = ~std::uint64_t{0};
    std::uint64_t selectionDrawn_ = ~std::uint64_t{0};
    int drivesIndex_ = -2;
};

} // namespace vantrel::win32
