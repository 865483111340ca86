#pragma once

#include "Win32.h"

#include "support/AircraftCfg.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::test {

// One run of vantrel.exe, started in a folder of the test's choosing, and the user's hands on it: every
// action goes to the controls as Windows' own messages (button clicks, mouse presses on list entries), and
// every check reads what the window shows (captions, visibility, list entries, message boxes).
class VantrelProcess
{
public:
    // `program`: the path of another build of the program to start instead of vantrel.exe.
    explicit VantrelProcess(const std::filesystem::path& folder, const char* program = VANTREL_EXE);
    ~VantrelProcess();
    VantrelProcess(const VantrelProcess&) = delete;
    VantrelProcess& operator=(const VantrelProcess&) = delete;

    HWND main() const { return main_; }
    HWND control(int id) const { return GetDlgItem(main_, id); }

    // A visible top-level window of this process of class `windowClass` ("#32770" for a message box), or null.
    HWND findWindow(const wchar_t* windowClass) const;
    // Waits up to 20 s for such a window; fails the test when none comes.
    HWND waitForWindow(const wchar_t* windowClass) const;
    // Waits for the program to end; returns its exit code, or -1 after 20 s.
    int waitForExit();

    struct Message
    {
        std::wstring title;
        std::wstring text;
    };
    // Waits for a message box, reads it and presses its OK button.
    Message answerMessage();

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// Waits up to 20 s for `condition`, polling; returns whether it came true.
bool waitUntil(const std::function<bool()>& condition);

// What a control shows.
std::wstring caption(HWND control);
bool shown(HWND control);
bool checked(HWND button);
std::vector<std::wstring> listEntries(HWND list);
std::vector<bool> listSelection(HWND list);
int listCurrent(HWND list);

// Sends a message and waits until the program has handled it (15 s at most, then the test fails).
void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The user's actions, each finished in the program when the call returns (or, with post, merely sent: for
// the ones that open a modal window).
void click(HWND button);
void postClick(HWND button);
void clickEntry(HWND list, int index);
void doubleClickEntry(HWND list, int index);
void postClickLabel(HWND label);

// Real X input, for the programs that x-events.sh runs: each action is a line "@xdo ARGS" on the output, which the
// script performs with xdotool and answers with "ok" once the X server has the events.
void xdo(const std::string& arguments);
void clickAt(POINT point);
// Keys for the top-level window of `window`, which gets the X input focus first (the virtual display has
// no window manager that would give it).
void keysOver(HWND window, const std::string& keys);
RECT screenRect(HWND control);
POINT centre(const RECT& rect);
// The circle of an option button or the box of a check box: at its left end, halfway down.
POINT markOf(HWND button, int dpi);
// A list entry's rectangle on the screen.
RECT entryRect(HWND list, int index);
// The control that has the keyboard focus in the thread of `window`.
HWND focusOf(HWND window);
int caret(HWND list);

// Files.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

int indexOf(const std::vector<std::wstring>& entries, const std::wstring& name);

// A simulator installation in a fresh folder: <folder>\FS9\fs9.exe and one folder per aircraft below
// <folder>\FS9\Aircraft. Under Wine the folder lies on drive Z:, as a Linux user's installations do.
class Installation
{
public:
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;
    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path aircraftFolder() const { return root_ / "FS9" / "Aircraft"; }
    std::filesystem::path cfg(const std::wstring& aircraft) const
    {
        return aircraftFolder() / aircraft / "aircraft.cfg";
    }
    std::filesystem::path backup(const std::wstring& aircraft) const
    {
        return aircraftFolder() / aircraft / "aircraftcfg.bak";
    }
    void add(const std::wstring& aircraft, const std::string& content) const { writeFile(cfg(aircraft), content); }
    // The settings file that brings the program back to this installation's aircraft folder.
    void writeSettings(const std::string& optionCode) const;
    std::string settings() const { return readFile(root_ / "Vantrel.ini"); }

private:
    std::filesystem::path root_;
};

} // namespace vantrel::test
