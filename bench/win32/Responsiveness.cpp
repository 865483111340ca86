// How long vantrel.exe keeps its main window from its messages while it works: it starts the program in a folder
// whose Vantrel.ini names a large installation, presses "All" and then "Modify", and meanwhile sends the main
// window WM_NULL every few milliseconds from a thread of its own, timing each answer. A window that handles its
// messages answers at once; the longest answer is the longest stretch in which the window handled none.
//
//   vantrel_responsiveness --exe Z:\...\vantrel.exe --folder Z:\...\run [--mode remove|restore|open]
//                          [--interval MS] [--trace] [--xdo]
//
// --mode remove (the default) works on the list of mode "Remove" that the start-up shows; restore first chooses
// "Restore" (restore_total: from that click to its list) and works on that list; open only opens the program and
// closes it again (an empty installation's start-up, the base that the scan's time is taken above).
// --xdo clicks as a user does, through the X server: each click is a line "@xdo mousemove X Y click 1" on the
// output, which the script that runs the probe performs with xdotool and answers with "ok". Without it, the buttons
// get BM_CLICK messages.
//
// Prints key=value lines, times in seconds:
//   launch          from starting the process to its main window existing (no window yet to ask)
//   open_total      from the main window existing to its being shown with its list filled
//   open_longest    the longest answer to WM_NULL meanwhile (and until a quarter second after)
//   open_count      entries of the list then
//   all_total, all_longest, all_selected       "All": pressed until every entry is selected
//   modify_total, modify_longest, modify_left  "Modify": pressed until its button is hidden (the list rescanned);
//                   modify_left counts the aircraft still listed then
//   *_longest_at    when the longest answer was asked for, from the start of the operation
//   probes          WM_NULL messages answered in all
// With --trace, every answer slower than 50 ms is listed as well. Exit code 0 when every operation ended as
// expected, 1 otherwise (a message box, a time-out, the program gone).

#include "Clock.h"
#include "ControlIds.h"
#include "text/Catalogue.h"
#include "Win32.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using vantrel::win32::ID_cmdAll;
using vantrel::win32::ID_cmdYes;
using vantrel::win32::ID_Label3;
using vantrel::win32::ID_List2;
using vantrel::win32::ID_Option2;
using vantrel::win32::kMainClass;

// A message that takes longer than this counts as a program that no longer answers at all.
constexpr UINT kGiveUpMs = 120000;
// After the end of an operation is seen, answers are still counted for this long (the repaint that follows).
constexpr double kSettle = 0.25;

// The program under test, ended when the run fails, and its main window.
HANDLE program = nullptr;
HWND mainWindow = nullptr;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "vantrel_responsiveness: %s\n", what);
    DWORD code = 0;
    if (program && WaitForSingleObject(program, 2000) == WAIT_OBJECT_0 && GetExitCodeProcess(program, &code))
        std::fprintf(stderr, "vantrel_responsiveness: the program ended with exit code 0x%lx\n", code);
    std::fflush(stderr);
    if (program)
        TerminateProcess(program, 1);
    std::exit(1);
}

// A message to the program and its answer; a program that does not answer within kGiveUpMs ends the run.
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kGiveUpMs, &result)) {
        const DWORD error = GetLastError();
        if (!IsWindow(window))
            fail("the program's window went away");
        std::fprintf(stderr, "message %u: error %lu\n", message, error);
        fail("the program did not answer a message within two minutes");
    }
    return static_cast<LRESULT>(result);
}

// The thread that keeps asking: one WM_NULL at a time, the next `interval` after the previous answer.
class Prober
{
public:
    struct Answer
    {
        double asked;
        double took;
    };

    Prober(HWND window, DWORD interval) : window_(window), interval_(interval), thread_([this] { run(); }) {}
    ~Prober() { stop(); }

    void stop()
    {
        stopping_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    std::vector<Answer> answers()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return answers_;
    }

private:
    void run()
    {
        while (!stopping_) {
            const double asked = now();
            DWORD_PTR result = 0;
            const bool answered =
                SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &result) != 0;
            const double took = now() - asked;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                answers_.push_back({asked, took});
            }
            if (!answered)
                break; // gone, or stuck for minutes: the main thread notices
            Sleep(interval_);
        }
    }

    HWND window_;
    DWORD interval_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<Answer> answers_;
    std::thread thread_;
};

struct Phase
{
    const char* name;
    double start = 0;
    double end = 0;
};

// A window of the program's process of class `windowClass` (hidden ones too, unless `visibleOnly`).
struct Target
{
    DWORD process;
    const wchar_t* windowClass;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam)
{
    auto& target = *reinterpret_cast<Target*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    if (process == target.process && (!target.visibleOnly || IsWindowVisible(window)) &&
        lstrcmpW(windowClass, target.windowClass) == 0) {
        target.found = window;
        return FALSE;
    }
    return TRUE;
}

// Polls `done` every 5 ms for up to `seconds`; fails on a message box, the program's end or the time-out.
template <typename Done>
double waitFor(const PROCESS_INFORMATION& process, const char* what, double seconds, Done done)
{
    const double limit = now() + seconds;
    for (;;) {
        if (done())
            return now();
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            fail((std::string("the program ended while waiting for ") + what).c_str());
        // A visible message box of the program: the run cannot go on without someone to answer it.
        Target box{process.dwProcessId, L"#32770", true};
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&box));
        if (box.found) {
            wchar_t text[512] = {};
            GetWindowTextW(GetDlgItem(box.found, 0xFFFF), text, 512);
            std::fprintf(stderr, "message box: %ls\n", text);
            fail((std::string("a message box came up while waiting for ") + what).c_str());
        }
        if (now() > limit)
            fail((std::string("timed out waiting for ") + what).c_str());
        Sleep(5);
    }
}

bool realClicks = false;

// A click on `control` (at `x` pixels from its left edge, its centre when negative).
void click(HWND control, int x = -1)
{
    if (!realClicks) {
        PostMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("@xdo mousemove %ld %ld click 1\n", x < 0 ? (rect.left + rect.right) / 2 : rect.left + x,
                (rect.top + rect.bottom) / 2);
    std::fflush(stdout);
    std::string reply;
    std::getline(std::cin, reply);
    if (reply.compare(0, 2, "ok") != 0)
        fail("xdotool did not click");
}

// Done: the window is closed as a user closes it (Quit keeps the settings), or ended after 20 s.
void closeProgram(const PROCESS_INFORMATION& process)
{
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    program = nullptr;
}

// Per phase: its total time, and its longest answer to WM_NULL (with when it was asked for).
void report(const std::vector<Prober::Answer>& answers, const std::vector<Phase>& phases, bool trace)
{
    for (const Phase& phase : phases) {
        Prober::Answer longest{phase.start, 0};
        int count = 0;
        for (const Prober::Answer& answer : answers) {
            if (answer.asked < phase.start || answer.asked > phase.end + kSettle)
                continue;
            ++count;
            if (answer.took > longest.took)
                longest = answer;
            if (trace && answer.took > 0.05)
                std::printf("# %s: asked at %.3f s, answered after %.3f s\n", phase.name, answer.asked - phase.start,
                            answer.took);
        }
        if (count == 0)
            fail("no answer was timed during an operation");
        std::printf("%s_total=%.4f\n%s_longest=%.4f\n%s_longest_at=%.3f\n", phase.name, phase.end - phase.start,
                    phase.name, longest.took, phase.name, longest.asked - phase.start);
    }
    std::printf("probes=%zu\n", answers.size());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring exe;
    std::wstring folder;
    DWORD interval = 5;
    bool trace = false;
    std::wstring mode = L"remove";
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--trace") {
            trace = true;
        } else if (option == L"--xdo") {
            realClicks = true;
        } else if (i + 1 < argc && option == L"--exe") {
            exe = argv[++i];
        } else if (i + 1 < argc && option == L"--folder") {
            folder = argv[++i];
        } else if (i + 1 < argc && option == L"--mode") {
            mode = argv[++i];
        } else if (i + 1 < argc && option == L"--interval") {
            interval = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
        } else {
            std::fputs("usage: vantrel_responsiveness --exe PROGRAM --folder START_FOLDER [--interval MS] [--trace]\n",
                       stderr);
            return 2;
        }
    }
    if (exe.empty() || folder.empty())
        fail("--exe and --folder are required");
    if (mode != L"remove" && mode != L"restore" && mode != L"open")
        fail("--mode is remove, restore or open");

    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double started = now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        fail("vantrel.exe did not start");
    program = process.hProcess;

    // The main window exists (hidden) from before the program reads its settings and scans the folder.
    HWND main = nullptr;
    Phase open{"open"};
    open.start = waitFor(process, "the main window", 60, [&] {
        Target target{process.dwProcessId, kMainClass, false};
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&target));
        main = target.found;
        mainWindow = main;
        return main != nullptr;
    });
    Prober prober(main, interval);

    // Opened: the window is shown once the start-up has filled its lists. (Its controls are made after the window
    // itself, so they are looked up only then.)
    open.end = waitFor(process, "the window to show", 600, [&] { return IsWindowVisible(main) != FALSE; });
    HWND list = GetDlgItem(main, ID_List2);
    HWND all = GetDlgItem(main, ID_cmdAll);
    HWND modify = GetDlgItem(main, ID_cmdYes);
    if (!list || !all || !modify)
        fail("the window has no selection list, All or Modify");
    if (mode == L"open") {
        Sleep(static_cast<DWORD>(kSettle * 1000) + 50);
        prober.stop();
        const int count = static_cast<int>(ask(list, LB_GETCOUNT));
        closeProgram(process);
        std::printf("launch=%.4f\nopen_count=%d\n", open.start - started, count);
        report(prober.answers(), {open}, trace);
        return 0;
    }
    Phase restore{"restore"};
    if (mode == L"restore") {
        Sleep(500);
        const std::string& caption = vantrel::text::get(vantrel::text::Id::ListDisabled);
        const std::wstring disabled(caption.begin(), caption.end());
        restore.start = now();
        click(GetDlgItem(main, ID_Option2), 6);
        // While the scan works, the title counts the aircraft found so far and the list still holds the Remove
        // list; at the end the title counts the entries of the list. Seen twice 200 ms apart, that is the end.
        const auto listed = [&] {
            wchar_t title[256] = {};
            GetWindowTextW(GetDlgItem(main, ID_Label3), title, 256);
            const std::wstring expected = disabled + std::to_wstring(ask(list, LB_GETCOUNT));
            return expected == title && IsWindowVisible(all);
        };
        double seen = 0;
        waitFor(process, "the Restore list", 600, [&] {
            if (!listed())
                return false;
            seen = now();
            Sleep(200);
            return listed();
        });
        restore.end = seen;
    }
    const int openCount = static_cast<int>(ask(list, LB_GETCOUNT));
    if (openCount <= 0 || !IsWindowVisible(all)) {
        wchar_t title[256] = {};
        GetWindowTextW(GetDlgItem(main, ID_Label3), title, 256);
        std::fprintf(stderr, "list of %d entries titled \"%ls\"; All %s, Modify %s\n", openCount, title,
                     IsWindowVisible(all) ? "shown" : "hidden", IsWindowVisible(modify) ? "shown" : "hidden");
        fail("the window opened without aircraft to choose (is the installation in Vantrel.ini?)");
    }
    Sleep(500);

    Phase selectAll{"all"};
    selectAll.start = now();
    click(all);
    int selected = 0;
    selectAll.end = waitFor(process, "All", 600, [&] {
        const int count = static_cast<int>(ask(list, LB_GETCOUNT));
        selected = static_cast<int>(ask(list, LB_GETSELCOUNT));
        return count > 0 && selected == count;
    });
    Sleep(500);

    Phase modifyAll{"modify"};
    modifyAll.start = now();
    click(modify);
    int left = 0;
    modifyAll.end = waitFor(process, "Modify", 1200, [&] {
        if (IsWindowVisible(modify))
            return false;
        left = static_cast<int>(ask(list, LB_GETCOUNT));
        return true;
    });
    // An empty Remove list shows one line saying so, which is no aircraft.
    std::vector<std::wstring> stillListed;
    for (int i = 0; i < left; ++i) {
        wchar_t name[512] = {};
        if (ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(i)) < 512)
            ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        stillListed.emplace_back(name);
    }
    const std::string& none =
        vantrel::text::get(mode == L"restore" ? vantrel::text::Id::AllRestored : vantrel::text::Id::AllRemoved);
    if (stillListed.size() == 1 && stillListed.front() == std::wstring(none.begin(), none.end()))
        stillListed.clear();
    left = static_cast<int>(stillListed.size());
    for (std::size_t i = 0; trace && i < stillListed.size() && i < 10; ++i)
        std::printf("# modify: still listed: %ls\n", stillListed[i].c_str());
    Sleep(static_cast<DWORD>(kSettle * 1000) + 50);
    prober.stop();

    closeProgram(process);
    std::printf("launch=%.4f\n", open.start - started);
    std::vector<Phase> phases{open, selectAll, modifyAll};
    if (mode == L"restore")
        phases.push_back(restore);
    report(prober.answers(), phases, trace);
    std::printf("open_count=%d\nall_selected=%d\nmodify_left=%d\n", openCount, selected, left);
    return 0;
}
