#include "WindowDriver.h"

#include "ControlIds.h"
#include "os/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrel::test {
namespace {

using namespace vantrel::win32;
namespace fs = std::filesystem;

const std::wstring kUnicodeName = L"\u00C9cole \u6771\u4EAC \u03A9"; // "École 東京 Ω": outside every ANSI code page
const std::string kRequest = "Please select the default(s) you wish removed from Flight Simulator's Auto Pilot.";

TEST(Win32Window, RemoveAllThenRestoreOneWithANonAnsiNameThenQuit)
{
    Installation fs9;
    const std::vector<std::wstring> enabled = {L"Alpha", L"Bravo", kUnicodeName};
    for (const std::wstring& name : enabled)
        fs9.add(name, aircraftCfg("Plane"));
    fs9.add(L"Delta", aircraftCfg("Delta", "default_bank_mode=0\r\n"));
    fs9.writeSettings("3");

    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    EXPECT_EQ(caption(vantrel.main()), L"Vantrel");
    EXPECT_EQ(caption(vantrel.control(ID_Label2)), L"Total Aircraft: 1");
    EXPECT_EQ(caption(vantrel.control(ID_Label3)), L"Aircraft with Wing Leveler Enabled: 3");
    EXPECT_TRUE(shown(vantrel.control(ID_List2)));
    EXPECT_FALSE(shown(vantrel.control(ID_Label1)));
    HWND list = vantrel.control(ID_List2);
    std::vector<std::wstring> entries = listEntries(list);
    std::vector<std::wstring> sorted = entries;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, enabled);
    EXPECT_TRUE(shown(vantrel.control(ID_cmdAll)));
    EXPECT_FALSE(shown(vantrel.control(ID_cmdYes)));

    click(vantrel.control(ID_cmdAll));
    EXPECT_EQ(listSelection(list), std::vector<bool>(3, true));
    ASSERT_TRUE(shown(vantrel.control(ID_cmdYes)));
    click(vantrel.control(ID_cmdYes));
    for (const std::wstring& name : enabled) {
        EXPECT_EQ(readFile(fs9.cfg(name)),
                  withInserted(aircraftCfg("Plane"), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n"));
        EXPECT_EQ(readFile(fs9.backup(name)), aircraftCfg("Plane"));
    }
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"All Aircraft have WL Removed"});
    EXPECT_FALSE(shown(vantrel.control(ID_cmdYes)));
    EXPECT_FALSE(shown(vantrel.control(ID_cmdAll)));

    // Restore: every aircraft now has its wing leveler off; the user picks the one with the non-ANSI name.
    click(vantrel.control(ID_Option2));
    EXPECT_TRUE(checked(vantrel.control(ID_Option2)));
    EXPECT_FALSE(IsWindowEnabled(vantrel.control(ID_Option3)));
    EXPECT_EQ(caption(vantrel.control(ID_Label3)), L"Aircraft with Wing Leveler Disabled: 4");
    entries = listEntries(list);
    const int unicode = indexOf(entries, kUnicodeName);
    ASSERT_GE(unicode, 0);
    clickEntry(list, unicode);
    EXPECT_TRUE(listSelection(list)[static_cast<std::size_t>(unicode)]);
    ASSERT_TRUE(shown(vantrel.control(ID_cmdYes)));
    click(vantrel.control(ID_cmdYes));
    EXPECT_EQ(readFile(fs9.cfg(kUnicodeName)), aircraftCfg("Plane"));
    EXPECT_EQ(readFile(fs9.cfg(L"Alpha")),
              withInserted(aircraftCfg("Plane"), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n"));
    EXPECT_EQ(indexOf(listEntries(list), kUnicodeName), -1);
    EXPECT_EQ(listEntries(list).size(), 3u);

    postClick(vantrel.control(ID_cmdQuit));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    const std::string settings = fs9.settings();
    EXPECT_EQ(settings.substr(0, 5), "3\r\nz:") << settings;
    EXPECT_EQ(settings.substr(settings.find("\r\n", 3) + 2), fs9.aircraftFolder().string() + "\r\n") << settings;
}

TEST(Win32Window, AdvancedBankOnlyRemovesTheDefaultBankAlone)
{
    Installation fs9;
    for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie", L"Echo"})
        fs9.add(name, aircraftCfg("Plane"));
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());

    postClick(vantrel.control(ID_Option3));
    HWND advanced = vantrel.waitForWindow(kAdvancedClass);
    ASSERT_TRUE(advanced);
    EXPECT_EQ(caption(advanced), L"Advanced Options");
    EXPECT_EQ(caption(GetDlgItem(advanced, ID_AdvancedLabel1)), std::wstring(kRequest.begin(), kRequest.end()));
    EXPECT_TRUE(checked(vantrel.control(ID_Option3)));
    EXPECT_FALSE(checked(vantrel.control(ID_Option1)));
    EXPECT_FALSE(IsWindowEnabled(vantrel.main())) << "the dialog is modal";
    HWND bank = GetDlgItem(advanced, ID_chkBank);
    HWND pitch = GetDlgItem(advanced, ID_chkPitch);
    EXPECT_TRUE(checked(bank) && checked(pitch));

    // Neither box ticked: Done refuses with a message and the dialog stays.
    click(pitch);
    click(bank);
    EXPECT_FALSE(checked(bank) || checked(pitch));
    postClick(GetDlgItem(advanced, ID_cmdDone));
    const auto refusal = vantrel.answerMessage();
    EXPECT_EQ(refusal.title, L"Options");
    EXPECT_EQ(refusal.text, L"You must select one or both options");
    EXPECT_TRUE(shown(advanced));

    click(bank);
    click(GetDlgItem(advanced, ID_cmdDone));
    EXPECT_TRUE(waitUntil([&] { return !shown(advanced); }));
    EXPECT_TRUE(checked(vantrel.control(ID_Option1)));
    EXPECT_TRUE(IsWindowEnabled(vantrel.main()));

    HWND list = vantrel.control(ID_List2);
    const int alpha = indexOf(listEntries(list), L"Alpha");
    ASSERT_GE(alpha, 0);
    clickEntry(list, alpha);
    click(vantrel.control(ID_cmdYes));
    EXPECT_EQ(readFile(fs9.cfg(L"Alpha")), withInserted(aircraftCfg("Plane"), "default_bank_mode=0\r\n"));
    EXPECT_EQ(readFile(fs9.cfg(L"Bravo")), aircraftCfg("Plane"));

    postClick(vantrel.control(ID_cmdQuit));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    EXPECT_EQ(fs9.settings().substr(0, 3), "2\r\n");
}

TEST(Win32Window, AboutOpensAndClosesWithEscapeAndOk)
{
    Installation fs9;
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    for (int round = 0; round < 2; ++round) {
        postClickLabel(vantrel.control(ID_Label4));
        HWND about = vantrel.waitForWindow(kAboutClass);
        ASSERT_TRUE(about);
        EXPECT_EQ(caption(about), L"About Vantrel");
        EXPECT_EQ(caption(GetDlgItem(about, ID_lblTitle)), L"Vantrel");
        EXPECT_EQ(caption(GetDlgItem(about, ID_lblVersion)), L"Version 1.5.3");
        EXPECT_EQ(caption(GetDlgItem(about, ID_cmdSysInfo)), L"&System Info...");
        EXPECT_FALSE(IsWindowEnabled(vantrel.main()));
        HWND ok = GetDlgItem(about, IDOK);
        if (round == 0) {
            PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            postClick(ok);
        }
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
        EXPECT_TRUE(IsWindowEnabled(vantrel.main()));
    }
    // The folder shown is no aircraft folder: the close box quits without touching the settings file,
    // which start-up created empty.
    PostMessageW(vantrel.main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(vantrel.waitForExit(), 0);
    EXPECT_EQ(fs9.settings(), "");
}

TEST(Win32Window, FolderChosenByDoubleClickIsWhereTheSecondStartReturns)
{
    Installation fs9;
    for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie", L"Echo", L"Foxtrot"})
        fs9.add(name, aircraftCfg("Plane"));
    {
        VantrelProcess vantrel(fs9.root());
        ASSERT_TRUE(vantrel.main());
        EXPECT_TRUE(shown(vantrel.control(ID_Label1)));
        EXPECT_FALSE(shown(vantrel.control(ID_List2)));
        EXPECT_TRUE(IsWindowEnabled(vantrel.control(ID_Option3)));
        HWND folders = vantrel.control(ID_Dir1);
        const int simulator = indexOf(listEntries(folders), L"FS9");
        ASSERT_GE(simulator, 0);
        doubleClickEntry(folders, simulator);
        const int aircraft = indexOf(listEntries(folders), L"Aircraft");
        ASSERT_GE(aircraft, 0);
        doubleClickEntry(folders, aircraft);
        EXPECT_EQ(caption(vantrel.control(ID_Label2)), L"Total Aircraft: 2");
        EXPECT_TRUE(shown(vantrel.control(ID_List2)));
        EXPECT_FALSE(shown(vantrel.control(ID_Label1)));
        EXPECT_EQ(listEntries(vantrel.control(ID_List2)).size(), 5u);
        // The close box quits like "Quit".
        PostMessageW(vantrel.main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(vantrel.waitForExit(), 0);
    }
    const std::string saved = fs9.settings();
    EXPECT_EQ(saved.substr(0, 5), "3\r\nz:") << saved;
    EXPECT_EQ(saved.substr(saved.find("\r\n", 3) + 2), fs9.aircraftFolder().string() + "\r\n") << saved;

    VantrelProcess again(fs9.root());
    ASSERT_TRUE(again.main());
    HWND folders = again.control(ID_Dir1);
    EXPECT_EQ(listEntries(folders).at(static_cast<std::size_t>(listCurrent(folders))), L"Aircraft");
    HWND list = again.control(ID_List2);
    EXPECT_EQ(listEntries(list).size(), 5u);
    // Down moves the current entry and selects nothing; a click selects, and "Modify" appears. (Space, as the
    // keyboard sends it, is in the X-input test.)
    const int current = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    send(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), current + 1);
    EXPECT_EQ(listSelection(list), std::vector<bool>(5, false));
    EXPECT_FALSE(shown(again.control(ID_cmdYes)));
    clickEntry(list, current + 1);
    std::vector<bool> selected(5, false);
    selected.at(static_cast<std::size_t>(current + 1)) = true;
    EXPECT_EQ(listSelection(list), selected);
    EXPECT_TRUE(shown(again.control(ID_cmdYes)));
    // The end of the Windows session quits too.
    EXPECT_EQ(SendMessageW(again.main(), WM_QUERYENDSESSION, 0, 0), TRUE);
    PostMessageW(again.main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(again.waitForExit(), 0);
    EXPECT_EQ(fs9.settings(), saved);
}

// A value below HKEY_LOCAL_MACHINE, in the 32-bit view, as a simulator's installer writes it; the keys made for it
// are taken away again.
class MachineRegistryValue
{
public:
    MachineRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& text) : key_(key)
    {
        HKEY opened = nullptr;
        ok_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                              &opened, nullptr) == ERROR_SUCCESS;
        if (ok_) {
            ok_ = RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
            RegCloseKey(opened);
        }
    }
    ~MachineRegistryValue()
    {
        // From the key itself up: a key that still holds others stays.
        for (std::wstring key = key_; !key.empty() && RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str()) == ERROR_SUCCESS;)
            key = key.substr(0, key.find_last_of(L'\\') == std::wstring::npos ? 0 : key.find_last_of(L'\\'));
    }
    bool ok() const { return ok_; }

private:
    std::wstring key_;
    bool ok_ = false;
};

// A first start in a folder without settings (the zip unpacked into Downloads): the window opens on the aircraft
// folder of the FS2004 that the registry names, its aircraft listed, and Quit keeps that folder.
TEST(Win32Window, AFirstStartOpensTheSimulatorTheRegistryNames)
{
    Installation fs9;
    fs9.add(L"Alpha", aircraftCfg("Plane"));
    fs9.add(L"Bravo", aircraftCfg("Plane", "default_bank_mode=0\r\n"));
    const fs::path downloads = fs9.root() / "Downloads";
    fs::create_directories(downloads);
    const MachineRegistryValue entry(L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0", L"EXE Path",
                                     (fs9.root() / "FS9").wstring() + L"\\");
    ASSERT_TRUE(entry.ok());

    VantrelProcess vantrel(downloads);
    ASSERT_TRUE(vantrel.main());
    HWND folders = vantrel.control(ID_Dir1);
    EXPECT_EQ(listEntries(folders).at(static_cast<std::size_t>(listCurrent(folders))), L"Aircraft");
    EXPECT_TRUE(shown(vantrel.control(ID_List2)));
    EXPECT_FALSE(shown(vantrel.control(ID_Label1)));
    EXPECT_EQ(caption(vantrel.control(ID_Label3)), L"Aircraft with Wing Leveler Enabled: 1");
    EXPECT_EQ(listEntries(vantrel.control(ID_List2)), std::vector<std::wstring>{L"Alpha"});
    EXPECT_EQ(readFile(downloads / "Vantrel.ini"), "");

    postClick(vantrel.control(ID_cmdQuit));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    const std::string saved = readFile(downloads / "Vantrel.ini");
    EXPECT_EQ(saved.substr(0, 5), "3\r\nz:") << saved;
    EXPECT_EQ(saved.substr(saved.find("\r\n", 3) + 2), fs9.aircraftFolder().string() + "\r\n") << saved;
}

// Under Wine: runs the system's own `program` (mkfifo, rm) on `path` (a Z: path), which Wine starts natively.
bool unixCommand(const std::wstring& program, const fs::path& path)
{
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr)
        return false;
    std::wstring unixPath = path.wstring().substr(2);
    std::replace(unixPath.begin(), unixPath.end(), L'\\', L'/');
    std::wstring command = program + L" \"" + unixPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW((L"Z:\\usr\\bin\\" + program).c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// After an error box a second Modify gives no file a second set of lines; UTF-16 without a mark is reported and
// listed nowhere; a pipe in place of an aircraft.cfg is reported like a file that cannot be read, not waited for.
TEST(Win32Window, OddFilesAndASecondModify)
{
    Installation fs9;
    for (const char* name : {"Alpha", "Bravo", "Charlie"})
        fs9.add(std::wstring(name, name + std::char_traits<char>::length(name)), aircraftCfg(name));
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    HWND list = vantrel.control(ID_List2);
    ASSERT_EQ(listEntries(list), (std::vector<std::wstring>{L"Alpha", L"Bravo", L"Charlie"}));

    ASSERT_TRUE(SetFileAttributesW(fs9.cfg(L"Bravo").c_str(), FILE_ATTRIBUTE_READONLY));
    click(vantrel.control(ID_cmdAll));
    postClick(vantrel.control(ID_cmdYes));
    const auto refused = vantrel.answerMessage();
    EXPECT_EQ(refused.title, L"Append Error");
    EXPECT_EQ(refused.text, L"Error 70 Permission denied");
    ASSERT_TRUE(waitUntil([&] { return !shown(vantrel.control(ID_cmdYes)); })) << "Modify has ended";
    const std::string done = readFile(fs9.cfg(L"Alpha"));
    EXPECT_EQ(done, withInserted(aircraftCfg("Alpha"), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n"));
    clickEntry(list, 1); // the user leaves Bravo out and presses Modify again: no box
    ASSERT_EQ(listSelection(list), (std::vector<bool>{true, false, true}));
    click(vantrel.control(ID_cmdYes));
    EXPECT_EQ(readFile(fs9.cfg(L"Alpha")), done);
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"Bravo"});
    SetFileAttributesW(fs9.cfg(L"Bravo").c_str(), FILE_ATTRIBUTE_NORMAL);

    std::string wide; // UTF-16 without a mark, a Cyrillic title in it
    for (const char16_t unit : std::u16string(u"[fltsim.0]\r\ntitle=\u0418\u0419\r\n[autopilot]\r\nmax_bank=25\r\n"))
        wide += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    fs9.add(L"Delta", wide);
    postClick(vantrel.control(ID_cmdNo));
    const auto unmarked = vantrel.answerMessage();
    EXPECT_EQ(unmarked.title, L"Aircraft Cfg File Error");
    EXPECT_EQ(unmarked.text.rfind(L"Error 54 Bad file mode", 0), 0u);
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"Bravo"});
    EXPECT_EQ(readFile(fs9.cfg(L"Delta")), wide);
    fs::remove_all(fs9.aircraftFolder() / "Delta");

    fs::remove(fs9.cfg(L"Bravo"));
    if (!unixCommand(L"mkfifo", fs9.cfg(L"Bravo")))
        GTEST_SKIP() << "no named pipe can be put in a folder outside Wine";
    // Wine may report a Unix program ended before it has run: the pipe is waited for, as the folder lists it.
    ASSERT_TRUE(waitUntil([&] {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(fs9.cfg(L"Bravo").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FindClose(search);
        return true;
    }));
    clickEntry(list, 0);
    postClick(vantrel.control(ID_cmdYes));
    const auto piped = vantrel.answerMessage();
    EXPECT_EQ(piped.title, L"Append Error");
    EXPECT_EQ(piped.text, L"Error 75 Path/File access error");
    unixCommand(L"rm", fs9.cfg(L"Bravo")); // Windows cannot delete a pipe of the file system
}

// A path in the \\?\ form, the only one that reaches names ending in a blank or a dot (Windows cuts both off a
// path's last name, Wine a dot off every name).
fs::path longForm(const fs::path& path)
{
    return L"\\\\?\\" + path.wstring();
}

// Folders whose names end in a blank or a dot, as archives, Linux tools and Wine make them (NTFS holds such
// names): made under a plain name and renamed through the \\?\ form, and renamed back at the end so that the
// installation can be removed.
class OddNames
{
public:
    OddNames() = default;
    ~OddNames()
    {
        for (auto pair = renamed_.rbegin(); pair != renamed_.rend(); ++pair)
            MoveFileW(longForm(pair->second).c_str(), longForm(pair->first).c_str());
    }
    OddNames(const OddNames&) = delete;
    OddNames& operator=(const OddNames&) = delete;

    bool rename(const fs::path& plain, const fs::path& odd)
    {
        if (!MoveFileW(longForm(plain).c_str(), longForm(odd).c_str()))
            return false;
        renamed_.emplace_back(plain, odd);
        return true;
    }

private:
    std::vector<std::pair<fs::path, fs::path>> renamed_;
};

// Such folders are listed by their names as they are, classified and rewritten, without an error that would drop
// the aircraft after them; the folder list opens them.
TEST(Win32Window, NamesEndingInABlankOrADotAreListedAndModified)
{
    Installation fs9;
    fs9.add(L"Alpha", aircraftCfg("Alpha"));
    fs9.add(L"Zulu", aircraftCfg("Zulu"));
    OddNames odd;
    for (const auto& [name, title] : {std::pair{L"Trailing Space ", "Space"}, std::pair{L"Trailing Dot.", "Dot"}}) {
        fs9.add(name + std::wstring(L"_"), aircraftCfg(title));
        ASSERT_TRUE(odd.rename(fs9.aircraftFolder() / (name + std::wstring(L"_")), fs9.aircraftFolder() / name));
    }
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    EXPECT_FALSE(vantrel.findWindow(L"#32770")) << "an error box";
    HWND list = vantrel.control(ID_List2);
    ASSERT_EQ(listEntries(list), (std::vector<std::wstring>{L"Alpha", L"Trailing Dot.", L"Trailing Space ", L"Zulu"}));
    EXPECT_EQ(caption(vantrel.control(ID_Label3)), L"Aircraft with Wing Leveler Enabled: 4");
    HWND folders = vantrel.control(ID_Dir1);
    for (const wchar_t* name : {L"Trailing Dot.", L"Trailing Space "})
        EXPECT_GE(indexOf(listEntries(folders), name), 0) << os::toUtf8(name);

    clickEntry(list, 1);
    clickEntry(list, 2);
    click(vantrel.control(ID_cmdYes));
    const std::string removed = "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n";
    for (const auto& [name, title] : {std::pair{L"Trailing Dot.", "Dot"}, std::pair{L"Trailing Space ", "Space"}}) {
        EXPECT_EQ(readFile(longForm(fs9.cfg(name))), withInserted(aircraftCfg(title), removed)) << title;
        EXPECT_EQ(readFile(longForm(fs9.backup(name))), aircraftCfg(title)) << title;
    }
    EXPECT_EQ(readFile(fs9.cfg(L"Alpha")), aircraftCfg("Alpha"));
    EXPECT_EQ(readFile(fs9.cfg(L"Zulu")), aircraftCfg("Zulu"));
    EXPECT_EQ(listEntries(list), (std::vector<std::wstring>{L"Alpha", L"Zulu"}));

    // Restore finds both switched off, and puts one back as it was.
    click(vantrel.control(ID_Option2));
    ASSERT_EQ(listEntries(list), (std::vector<std::wstring>{L"Trailing Dot.", L"Trailing Space "}));
    clickEntry(list, 1);
    click(vantrel.control(ID_cmdYes));
    EXPECT_EQ(readFile(longForm(fs9.cfg(L"Trailing Space "))), aircraftCfg("Space"));
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"Trailing Dot."});

    // The folder list opens such a folder; Quit saves the aircraft folder above it.
    doubleClickEntry(folders, indexOf(listEntries(folders), L"Trailing Space "));
    EXPECT_EQ(listEntries(folders).at(static_cast<std::size_t>(listCurrent(folders))), L"Trailing Space ");
    EXPECT_FALSE(vantrel.findWindow(L"#32770")) << "an error box";
    postClick(vantrel.control(ID_cmdQuit));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    const std::string saved = fs9.settings();
    EXPECT_EQ(saved.substr(saved.find("\r\n", 3) + 2), fs9.aircraftFolder().string() + "\r\n") << saved;
}

// A simulator folder whose name ends in a dot: the settings file brings the next start back to its aircraft, with
// fs9.exe found beside them, and Quit writes the same path again.
TEST(Win32Window, ASimulatorFolderEndingInADotIsReturnedToFromTheSettings)
{
    Installation fs9;
    fs9.add(L"Alpha", aircraftCfg("Alpha"));
    const fs::path simulator = fs9.root() / "FS9.";
    OddNames odd;
    ASSERT_TRUE(odd.rename(fs9.root() / "FS9", simulator));
    const std::string settings = "3\r\nz:\r\n" + (simulator / "Aircraft").string() + "\r\n";
    writeFile(fs9.root() / "Vantrel.ini", settings);
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    EXPECT_EQ(listEntries(vantrel.control(ID_List2)), std::vector<std::wstring>{L"Alpha"});
    EXPECT_EQ(caption(vantrel.control(ID_Label3)), L"Aircraft with Wing Leveler Enabled: 1");
    postClick(vantrel.control(ID_cmdQuit));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    EXPECT_EQ(fs9.settings(), settings);
}

} // namespace
} // namespace vantrel::test
