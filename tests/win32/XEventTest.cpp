// vantrel.exe driven by real mouse clicks and key presses, as the X server delivers them to Wine: each
// click and key goes out as a line "@xdo ARGS" for xdotool, run by tests/win32/x-events.sh, which answers
// "ok" once the event is sent. What follows is read back from the window, the screen and the disk.
#include "WindowDriver.h"

#include "ControlIds.h"
#include "os/WideText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <set>

namespace vantrel::test {
namespace {

using namespace vantrel::win32;

const std::wstring kCyrillic = L"\u0418\u043b-14 \u0410\u044d\u0440\u043e\u0444\u043b\u043e\u0442"; // "Ил-14 Аэрофлот"
const std::wstring kJapanese = L"\u96f6\u5f0f\u8266\u4e0a\u6226\u95d8\u6a5f"; // "零式艦上戦闘機"

std::set<int> selected(HWND list)
{
    std::set<int> entries;
    const std::vector<bool> flags = listSelection(list);
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            entries.insert(static_cast<int>(i));
    return entries;
}

// The X screen's pixels inside `rect`, as rows of 0x00RRGGBB: what the user sees, taken by the script
// ("@shot X Y WIDTH HEIGHT FILE" writes a binary PPM).
std::vector<std::vector<COLORREF>> pixels(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::printf("@shot %ld %ld %d %d shot.ppm\n", rect.left, rect.top, width, height);
    std::fflush(stdout);
    std::string reply;
    std::getline(std::cin, reply);
    const std::string image = readFile("shot.ppm");
    std::vector<std::vector<COLORREF>> rows(static_cast<std::size_t>(height), std::vector<COLORREF>(width));
    // Header "P6\n<width> <height>\n255\n", then RGB triples.
    std::size_t at = 0;
    for (int lines = 0; lines < 3 && at != std::string::npos; ++lines)
        at = image.find('\n', at) + 1;
    if (at == 0 || image.size() < at + static_cast<std::size_t>(width * height * 3)) {
        ADD_FAILURE() << "no screen capture: " << reply;
        return rows;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* rgb = reinterpret_cast<const unsigned char*>(image.data() + at + (y * width + x) * 3);
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
        }
    return rows;
}

// The text drawn in a row of the selection list (green on black) as the user sees it: how many pixel
// rows it spans, and how many different pixel columns it has. Missing glyphs draw as identical boxes, a
// handful of distinct columns; real letters give many.
struct Ink
{
    int height = 0;
    int distinctColumns = 0;
};

Ink inkOf(const RECT& row)
{
    const auto rows = pixels(row);
    int top = -1;
    int bottom = -1;
    std::set<std::vector<bool>> columns;
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (COLORREF pixel : rows[y])
            if (((pixel >> 8) & 0xFF) > 0x80 && (pixel & 0xFF) < 0x80) {
                top = top < 0 ? static_cast<int>(y) : top;
                bottom = static_cast<int>(y);
            }
    const std::size_t width = rows.empty() ? 0 : rows[0].size();
    for (std::size_t x = 0; x < width; ++x) {
        std::vector<bool> column;
        for (const auto& line : rows)
            column.push_back(((line[x] >> 8) & 0xFF) > 0x80 && (line[x] & 0xFF) < 0x80);
        columns.insert(column);
    }
    return {top < 0 ? 0 : bottom - top + 1, static_cast<int>(columns.size())};
}

void setDpi(int dpi)
{
    const DWORD value = static_cast<DWORD>(dpi);
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &value, sizeof value),
        ERROR_SUCCESS);
}

// Every shown control of `window` lies inside its client area.
void expectNothingCutOff(HWND window, int dpi)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = screenRect(child), inside{};
        if (shown(child)) {
            EXPECT_TRUE(IntersectRect(&inside, &rect, &client) && EqualRect(&inside, &rect))
                << "control " << GetDlgCtrlID(child) << " is cut off at " << dpi << " DPI";
        }
    }
}

std::map<int, Ink> latinInkAt; // by DPI, to see the text grow

class XEvents : public testing::TestWithParam<int>
{
};

TEST_P(XEvents, EveryControlTakesItsClickAndTheKeyboardReachesAll)
{
    const int dpi = GetParam();
    setDpi(dpi);
    Installation fs9;
    const std::vector<std::wstring> enabled = {L"Alpha", L"Bravo", kCyrillic, kJapanese};
    for (const std::wstring& name : enabled)
        fs9.add(name, aircraftCfg("Plane"));
    fs9.add(L"Echo", aircraftCfg("Echo", "default_bank_mode=0\r\n"));
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    HWND main = vantrel.main();
    HWND list = vantrel.control(ID_List2);
    ASSERT_TRUE(waitUntil([&] { return listEntries(list).size() == enabled.size(); }));
    const std::vector<std::wstring> names = listEntries(list);

    expectNothingCutOff(main, dpi);
    // What is drawn on top takes the click, for every control the window shows: the circles of the options, the
    // text of the labels and of "About", the first row of the list from corner to corner (not under its title),
    // the middle of the others.
    const RECT row0 = entryRect(list, 0);
    const RECT link = screenRect(vantrel.control(ID_Label4));
    const POINT aboutText{link.left + MulDiv(8, dpi, 96), link.top + MulDiv(5, dpi, 96)};
    std::vector<std::pair<int, POINT>> visible;
    for (const layout::Control& row : layout::kMain) {
        const int id = controlId(layout::kMain, row.name);
        HWND control = layout::isCreated(row) ? vantrel.control(id) : nullptr;
        if (!control || !IsWindowVisible(control) || row.kind == layout::Kind::Frame)
            continue;
        const RECT box = screenRect(control);
        if (row.kind == layout::Kind::OptionButton)
            visible.push_back({id, markOf(control, dpi)});
        else if (row.kind == layout::Kind::Label)
            visible.push_back({id, {box.left + MulDiv(8, dpi, 96), box.top + MulDiv(5, dpi, 96)}});
        else if (row.kind == layout::Kind::ListBox)
            visible.insert(visible.end(), {{id, {row0.left + 1, row0.top}}, {id, {row0.right - 1, row0.top}}});
        else
            visible.push_back({id, centre(box)});
    }
    ASSERT_GE(visible.size(), 12u);
    for (const auto& [id, point] : visible)
        EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(point)), id) << "at " << point.x << "," << point.y << ", " << dpi;

    // The names in other scripts are drawn as letters, and the text grows with the DPI.
    const Ink latin = inkOf(entryRect(list, indexOf(names, L"Alpha")));
    for (const std::wstring& name : {kCyrillic, kJapanese})
        EXPECT_GT(inkOf(entryRect(list, indexOf(names, name))).distinctColumns, 12) << "bars, not letters";
    latinInkAt[dpi] = latin;
    if (dpi > 96 && latinInkAt.count(96)) {
        EXPECT_GE(latin.height * 96, latinInkAt[96].height * dpi * 8 / 10) << "text height " << latin.height;
    }

    // The keyboard: the folder list has the focus, Tab walks the design's order (hidden "Modify" skipped) to the
    // option buttons, one stop at the chosen one, where the arrows choose round the group ("Advanced" disabled in
    // Restore), then to the "About" link and round again; Shift+Tab goes back.
    EXPECT_EQ(GetDlgCtrlID(focusOf(main)), ID_Dir1);
    keysOver(main, "Tab Tab Tab Tab Tab Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Option1; }))
        << "focus on " << GetDlgCtrlID(focusOf(main));
    EXPECT_TRUE(checked(vantrel.control(ID_Option1)));
    keysOver(main, "Right");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Option2; }));
    EXPECT_TRUE(checked(vantrel.control(ID_Option2)));
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"Echo"});
    keysOver(main, "Right");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Option1; }));
    EXPECT_TRUE(checked(vantrel.control(ID_Option1)));
    EXPECT_EQ(listEntries(list), names);
    keysOver(main, "Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Label4; }))
        << "focus on " << GetDlgCtrlID(focusOf(main));
    keysOver(main, "shift+Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Option1; }));
    keysOver(main, "Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Label4; }));
    keysOver(main, "Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Dir1; }));
    keysOver(main, "shift+Tab");
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Label4; }));
    // Enter on the link opens About; Escape closes it, and the focus is back on the link.
    keysOver(main, "Return");
    HWND about = vantrel.waitForWindow(kAboutClass);
    ASSERT_TRUE(about);
    keysOver(about, "Escape");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(waitUntil([&] { return GetDlgCtrlID(focusOf(main)) == ID_Label4; }));
    // A click on the text of "About" opens it too; Enter presses its OK.
    clickAt(aboutText);
    about = vantrel.waitForWindow(kAboutClass);
    ASSERT_TRUE(about);
    expectNothingCutOff(about, dpi);
    for (int id : {int{IDOK}, int{ID_cmdSysInfo}})
        EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(centre(screenRect(GetDlgItem(about, id))))), id) << dpi;
    // "System Info..." finds no System Information tool under Wine and says so; Enter closes the message.
    clickAt(centre(screenRect(GetDlgItem(about, ID_cmdSysInfo))));
    HWND box = vantrel.waitForWindow(L"#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(caption(box), L"Vantrel");
    keysOver(box, "Return");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    keysOver(about, "Return");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));

    // The circles: "Restore" lists Echo, "Remove" the others again.
    clickAt(markOf(vantrel.control(ID_Option2), dpi));
    EXPECT_TRUE(waitUntil([&] { return checked(vantrel.control(ID_Option2)); }));
    EXPECT_EQ(listEntries(list), std::vector<std::wstring>{L"Echo"});
    clickAt(markOf(vantrel.control(ID_Option1), dpi));
    EXPECT_TRUE(waitUntil([&] { return checked(vantrel.control(ID_Option1)); }));
    EXPECT_TRUE(waitUntil([&] { return listEntries(list) == names; }));
    // "Advanced" opens its dialog; a click on the box of "Remove Default Pitch" unticks it, Escape leaves
    // the dialog as Done does; reopened, Enter leaves it too.
    clickAt(markOf(vantrel.control(ID_Option3), dpi));
    HWND advanced = vantrel.waitForWindow(kAdvancedClass);
    ASSERT_TRUE(advanced);
    expectNothingCutOff(advanced, dpi);
    for (int id : {ID_chkBank, ID_chkPitch})
        EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(markOf(GetDlgItem(advanced, id), dpi))), id) << dpi;
    EXPECT_EQ(GetDlgCtrlID(WindowFromPoint(centre(screenRect(GetDlgItem(advanced, ID_cmdDone))))), ID_cmdDone);
    clickAt(markOf(GetDlgItem(advanced, ID_chkPitch), dpi));
    EXPECT_TRUE(waitUntil([&] { return !checked(GetDlgItem(advanced, ID_chkPitch)); }));
    keysOver(advanced, "Escape");
    EXPECT_TRUE(waitUntil([&] { return !shown(advanced); }));
    EXPECT_TRUE(waitUntil([&] { return checked(vantrel.control(ID_Option1)); }));
    clickAt(markOf(vantrel.control(ID_Option3), dpi));
    advanced = vantrel.waitForWindow(kAdvancedClass);
    ASSERT_TRUE(advanced);
    clickAt(markOf(GetDlgItem(advanced, ID_chkPitch), dpi));
    EXPECT_TRUE(waitUntil([&] { return checked(GetDlgItem(advanced, ID_chkPitch)); }));
    keysOver(advanced, "Return");
    EXPECT_TRUE(waitUntil([&] { return !shown(advanced); }));

    // The selection list: a click toggles a row; the arrows, Home and End only move the current entry;
    // Space toggles the current one. What is highlighted is what Modify changes.
    ASSERT_TRUE(waitUntil([&] { return listEntries(list) == names; }));
    // "All" selects every aircraft, "Clear" none.
    const std::size_t left = names.size();
    clickAt(centre(screenRect(vantrel.control(ID_cmdAll))));
    EXPECT_TRUE(waitUntil([&] { return selected(list).size() == left; }));
    clickAt(centre(screenRect(vantrel.control(ID_cmdNo))));
    EXPECT_TRUE(waitUntil([&] { return selected(list).empty() && listEntries(list).size() == left; }));
    clickAt(centre(entryRect(list, 0)));
    EXPECT_TRUE(waitUntil([&] { return selected(list) == std::set<int>{0}; }));
    keysOver(list, "Down Down");
    EXPECT_TRUE(waitUntil([&] { return caret(list) == 2; }));
    EXPECT_EQ(selected(list), std::set<int>{0});
    keysOver(list, "space End Home Down Down");
    EXPECT_TRUE(waitUntil([&] { return caret(list) == 2; }));
    EXPECT_EQ(selected(list), (std::set<int>{0, 2}));
    clickAt(centre(screenRect(vantrel.control(ID_cmdYes))));
    EXPECT_TRUE(waitUntil([&] { return listEntries(list).size() == names.size() - 2; }));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string expected =
            i == 0 || i == 2 ? withInserted(aircraftCfg("Plane"), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n")
                             : aircraftCfg("Plane");
        EXPECT_EQ(readFile(fs9.cfg(names[i])), expected) << i;
    }
    // Modify hid itself: the focus went to the list.
    EXPECT_TRUE(waitUntil([&] { return focusOf(main) == list; }));
    // The drive list drops down at a click; Up moves the highlight to another drive, and Escape closes the list
    // showing the drive of the folder list again.
    HWND drives = vantrel.control(ID_Drive1);
    const auto driveShown = [&] { return static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)); };
    const int drive = driveShown();
    ASSERT_GT(drive, 0) << "a drive above the folder list's";
    clickAt(centre(screenRect(drives)));
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    keysOver(main, "Up");
    EXPECT_TRUE(waitUntil([&] { return driveShown() == drive - 1; }));
    keysOver(main, "Escape");
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0) == 0; }));
    EXPECT_EQ(driveShown(), drive);
    wchar_t name[64] = {};
    SendMessageW(drives, CB_GETLBTEXT, static_cast<WPARAM>(driveShown()), reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(std::wstring(name).substr(0, 2), L"z:") << "the folder list shows drive Z:";
    // A double-click on "FS9" in the folder list leaves the aircraft folder, one on "Aircraft" returns.
    HWND folders = vantrel.control(ID_Dir1);
    for (const wchar_t* folder : {L"FS9", L"Aircraft"}) {
        const int entry = indexOf(listEntries(folders), folder);
        ASSERT_GE(entry, 0) << os::toUtf8(folder);
        const POINT at = centre(entryRect(folders, entry));
        xdo("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click --repeat 2 1");
        EXPECT_TRUE(waitUntil([&] { return shown(list) == (folder[0] == L'A'); })) << os::toUtf8(folder);
    }

    clickAt(centre(screenRect(vantrel.control(ID_cmdQuit))));
    EXPECT_EQ(vantrel.waitForExit(), 0);
    EXPECT_EQ(fs9.settings().substr(0, 5), "3\r\nz:");
}

INSTANTIATE_TEST_SUITE_P(Dpi, XEvents, testing::Values(96, 144, 192));

// Every event enters the program through the window base's event guard: a real click whose handling fails as nothing
// expects (the test build's drawing fails once, tests/win32/FailingDrawMain.cpp) gives one box that names the
// failure, and the window handles the next click.
TEST(XEventGuard, AClickWhoseHandlingFailsGivesOneBoxAndTheNextClickIsHandled)
{
    setDpi(96);
    Installation fs9;
    for (const wchar_t* name : {L"Alpha", L"Bravo", L"Charlie"})
        fs9.add(name, aircraftCfg("Plane"));
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root(), VANTREL_FAILING_DRAW_EXE);
    ASSERT_TRUE(vantrel.main());
    HWND list = vantrel.control(ID_List2);
    ASSERT_TRUE(waitUntil([&] { return listEntries(list).size() == 3; }));

    writeFile(fs9.root() / "fail-next-render", "");
    clickAt(centre(screenRect(vantrel.control(ID_cmdAll))));
    HWND box = vantrel.waitForWindow(L"#32770");
    ASSERT_TRUE(box) << "no box: the failure did not come back to the program's event guard";
    EXPECT_EQ(caption(box), L"Vantrel");
    EXPECT_EQ(caption(GetDlgItem(box, 0xFFFF)), L"Error 51 Internal error\r\nthe window could not draw");
    EXPECT_FALSE(std::filesystem::exists(fs9.root() / "fail-next-render"));
    clickAt(centre(screenRect(GetDlgItem(box, IDOK))));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    // All's selection is drawn after the box, and no second box follows.
    EXPECT_TRUE(waitUntil([&] { return selected(list).size() == 3; }));
    Sleep(300);
    EXPECT_EQ(vantrel.findWindow(L"#32770"), nullptr);

    // The next click is handled as ever: it toggles the first entry off.
    clickAt(centre(entryRect(list, 0)));
    EXPECT_TRUE(waitUntil([&] { return selected(list) == std::set<int>{1, 2}; }));
    EXPECT_EQ(vantrel.findWindow(L"#32770"), nullptr);
    clickAt(centre(screenRect(vantrel.control(ID_cmdQuit))));
    EXPECT_EQ(vantrel.waitForExit(), 0);
}

} // namespace
} // namespace vantrel::test
