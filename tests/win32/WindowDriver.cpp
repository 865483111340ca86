#include "WindowDriver.h"

#include "ControlIds.h"
#include "os/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <thread>

namespace vantrel::test {

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

// A program's path in the build folder as Windows sees it (under Wine a Linux path lies on drive Z:).
std::wstring programPath(std::string path)
{
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/')
                c = '\\';
    }
    return os::toWide(path);
}

struct Search
{
    DWORD process;
    const wchar_t* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    if (process == search.process && IsWindowVisible(window) && lstrcmpW(windowClass, search.windowClass) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

LPARAM entryPoint(HWND list, int index)
{
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    return MAKELPARAM(8, (index - top) * height + height / 2);
}

} // namespace

// Sends a message and waits for the program to handle it, but not forever: a message box opened by mistake
// would otherwise hold the test until the run's time limit.
void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result))
        ADD_FAILURE() << "the program did not handle message " << message << " within 15 s (a message box open?)";
}

bool waitUntil(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

VantrelProcess::VantrelProcess(const std::filesystem::path& folder, const char* program)
{
    std::wstring commandLine = L"\"" + programPath(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.wstring().c_str(),
                        &startup, &process_)) {
        ADD_FAILURE() << "vantrel.exe did not start, error " << GetLastError();
        return;
    }
    main_ = waitForWindow(win32::kMainClass);
}

VantrelProcess::~VantrelProcess()
{
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND VantrelProcess::findWindow(const wchar_t* windowClass) const
{
    Search search{process_.dwProcessId, windowClass};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VantrelProcess::waitForWindow(const wchar_t* windowClass) const
{
    HWND window = nullptr;
    if (!waitUntil([&] { return (window = findWindow(windowClass)) != nullptr; }))
        ADD_FAILURE() << "no window of class " << os::toUtf8(windowClass) << " appeared";
    return window;
}

int VantrelProcess::waitForExit()
{
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kPatience.count() * 1000)) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

VantrelProcess::Message VantrelProcess::answerMessage()
{
    HWND box = waitForWindow(L"#32770");
    if (!box)
        return {};
    // The text of a message box is its static control 0xFFFF.
    Message message{caption(box), caption(GetDlgItem(box, 0xFFFF))};
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    return message;
}

std::wstring caption(HWND control)
{
    wchar_t text[1024] = {};
    GetWindowTextW(control, text, 1024);
    return text;
}

bool shown(HWND control)
{
    return IsWindowVisible(control) != FALSE;
}

bool checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> listEntries(HWND list)
{
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

std::vector<bool> listSelection(HWND list)
{
    std::vector<bool> selection;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        selection.push_back(SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
    return selection;
}

int listCurrent(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

void click(HWND button)
{
    send(button, BM_CLICK, 0, 0);
}

void postClick(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void clickEntry(HWND list, int index)
{
    const LPARAM point = entryPoint(list, index);
    send(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    send(list, WM_LBUTTONUP, 0, point);
}

void doubleClickEntry(HWND list, int index)
{
    const LPARAM point = entryPoint(list, index);
    send(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    send(list, WM_LBUTTONUP, 0, point);
    send(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    send(list, WM_LBUTTONUP, 0, point);
}

void postClickLabel(HWND label)
{
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

int indexOf(const std::vector<std::wstring>& entries, const std::wstring& name)
{
    const auto found = std::find(entries.begin(), entries.end(), name);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

Installation::Installation()
{
    namespace fs = std::filesystem;
    const fs::path base = fs::exists("Z:\\tmp") ? fs::path("Z:\\tmp") : fs::temp_directory_path();
    std::random_device random;
    root_ = base / ("vantrel-win32-" + std::to_string(random()));
    writeFile(root_ / "FS9" / "fs9.exe", "MZ");
}

Installation::~Installation()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void Installation::writeSettings(const std::string& optionCode) const
{
    writeFile(root_ / "Vantrel.ini", optionCode + "\r\nz:\r\n" + aircraftFolder().string() + "\r\n");
}

// ---- Real X input, performed by tests/win32/x-events.sh ----

void xdo(const std::string& arguments)
{
    std::printf("@xdo %s\n", arguments.c_str());
    std::fflush(stdout);
    std::string reply;
    std::getline(std::cin, reply);
    ASSERT_EQ(reply.substr(0, 2), "ok") << "xdotool " << arguments;
}

void clickAt(POINT point)
{
    xdo("mousemove " + std::to_string(point.x) + " " + std::to_string(point.y) + " click 1");
}

void keysOver(HWND window, const std::string& keys)
{
    std::wstring title = caption(GetAncestor(window, GA_ROOT));
    std::string pattern = "^";
    for (wchar_t character : title)
        pattern += character == L' ' ? '.' : static_cast<char>(character);
    xdo("search --name " + pattern + "$ windowfocus --sync %1 key --delay 60 " + keys);
}

RECT screenRect(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    return rect;
}

POINT centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT markOf(HWND button, int dpi)
{
    const RECT rect = screenRect(button);
    return {rect.left + MulDiv(6, dpi, 96), (rect.top + rect.bottom) / 2};
}

RECT entryRect(HWND list, int index)
{
    RECT rect{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND focusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

int caret(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
}

} // namespace vantrel::test
