// vantrel.exe driven by seeded random sequences of real X input (clicks with and without Ctrl or Shift, drags,
// keys, the wheel, the commands), sent by xdotool through tests/win32/x-events.sh. After every step the
// highlight read back from the list box must be what the user's input made it; after every Modify exactly the
// highlighted aircraft must have changed on disk. VANTREL_SEED replays a run, VANTREL_STEPS sets its length.
#include "WindowDriver.h"

#include "ControlIds.h"
#include "os/WideText.h"
#include "support/RandomInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

namespace vantrel::test {
namespace {

using namespace vantrel::win32;

std::string at(POINT point)
{
    return "mousemove " + std::to_string(point.x) + " " + std::to_string(point.y);
}

bool waitMs(const std::function<bool()>& done, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The controls of the session's commands, in the order of ListWindow::Command.
const int kCommandIds[] = {ID_cmdAll, ID_cmdNo, ID_cmdYes, ID_Option1, ID_Option2};

class Win32ListWindow : public ListWindow
{
public:
    explicit Win32ListWindow(const VantrelProcess& vantrel)
        : vantrel_(vantrel), main_(vantrel.main()), list_(vantrel.control(ID_List2))
    {
    }

    std::vector<std::string> rows() override
    {
        std::vector<std::string> texts;
        for (const std::wstring& entry : listEntries(list_))
            texts.push_back(os::toUtf8(entry));
        return texts;
    }
    std::vector<bool> highlighted() override { return listSelection(list_); }
    int current() override { return caret(list_); }
    int mode() override
    {
        if (checked(vantrel_.control(ID_Option1)))
            return 1;
        return checked(vantrel_.control(ID_Option2)) ? 2 : 0;
    }
    bool shown(Command command) override
    {
        return vantrel::test::shown(vantrel_.control(kCommandIds[static_cast<int>(command)]));
    }
    Focus focus() override
    {
        HWND focus = focusOf(main_);
        if (focus == list_)
            return Focus::List;
        if (focus == vantrel_.control(ID_Option1))
            return Focus::Remove;
        if (focus == vantrel_.control(ID_Option2))
            return Focus::Restore;
        return Focus::Other;
    }
    int topRow() override { return static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0)); }
    int rowsVisible() override
    {
        RECT client{};
        GetClientRect(list_, &client);
        const int height = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
        return height > 0 ? (client.bottom - client.top) / height : 0;
    }

    void clickRow(int row, const std::string& modifiers) override
    {
        const std::string click = at(centre(entryRect(list_, row))) + " click 1";
        xdo(modifiers.empty() ? click : "keydown " + modifiers + " " + click + " keyup " + modifiers);
    }
    void doubleClickRow(int row) override { xdo(at(centre(entryRect(list_, row))) + " click --repeat 2 --delay 80 1"); }
    void drag(int from, int to) override
    {
        const POINT start = centre(entryRect(list_, from));
        xdo(at(start) + " mousedown 1 " + at({start.x, start.y + 2}) + " sleep 0.05 " +
            at(centre(entryRect(list_, to))) + " sleep 0.05 mouseup 1");
    }
    void key(const std::string& keys) override { keysOver(main_, keys); }
    void wheel(bool down) override { xdo(at(centre(screenRect(list_))) + (down ? " click 5" : " click 4")); }
    void click(Command command) override
    {
        HWND button = vantrel_.control(kCommandIds[static_cast<int>(command)]);
        const bool option = command == Command::Remove || command == Command::Restore;
        xdo(at(option ? markOf(button, 96) : centre(screenRect(button))) + " click 1");
    }
    bool waitFor(const std::function<bool()>& done, int ms) override { return waitMs(done, ms); }

private:
    const VantrelProcess& vantrel_;
    HWND main_;
    HWND list_;
};

TEST(RandomInput, TheHighlightFollowsTheUserAndModifyChangesExactlyTheHighlightedAircraft)
{
    const std::uint32_t seed = randomSeed();
    std::printf("VANTREL_SEED=%u\n", seed);
    std::fflush(stdout);
    std::mt19937 random(seed);
    Installation fs9;
    Fleet fleet;
    fleet.create(fs9.aircraftFolder(), 40, random);
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    // No window manager gives the window the keyboard: it takes the X input focus itself.
    keysOver(vantrel.main(), "shift");
    Win32ListWindow window(vantrel);
    ASSERT_TRUE(waitMs([&] { return !window.rows().empty(); }, 20000));
    ASSERT_LT(window.rowsVisible(), static_cast<int>(window.rows().size()))
        << "every aircraft in view: nothing scrolls";
    RandomSession(window, fleet, seed).run(randomSteps(200));
}

// Clicks and keys made while a long Modify works reach nothing: neither the list rebuilt after it, nor Modify again,
// nor the option buttons.
TEST(RandomInput, ClicksDuringALongModifyChangeNothing)
{
    const int count = 2500;
    Installation fs9;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Aircraft %04d", i);
        fs9.add(os::toWide(name), aircraftCfg(name));
    }
    fs9.writeSettings("3");
    VantrelProcess vantrel(fs9.root());
    ASSERT_TRUE(vantrel.main());
    Win32ListWindow window(vantrel);
    HWND list = vantrel.control(ID_List2);
    ASSERT_TRUE(waitMs([&] { return window.rows().size() == static_cast<std::size_t>(count); }, 60000));
    const std::vector<std::string> names = window.rows();
    waitMs([] { return false; }, 1000);

    // All aircraft but the first: "All", a click on the first, a click on the third and Space on it again. Each
    // once the window shows the last one done (and, after "All", once its work has surely ended).
    std::vector<bool> chosen(count, true);
    clickAt(centre(screenRect(vantrel.control(ID_cmdAll))));
    ASSERT_TRUE(waitMs([&] { return window.highlighted() == chosen; }, 60000));
    waitMs([] { return false; }, 1000);
    clickAt(centre(entryRect(list, 0)));
    chosen[0] = false;
    ASSERT_TRUE(waitMs([&] { return window.highlighted() == chosen; }, 5000)) << "first aircraft clicked";
    clickAt(centre(entryRect(list, 2)));
    chosen[2] = false;
    ASSERT_TRUE(waitMs([&] { return window.highlighted() == chosen; }, 5000)) << "third aircraft clicked";
    keysOver(vantrel.main(), "space");
    chosen[2] = true;
    ASSERT_TRUE(waitMs([&] { return window.highlighted() == chosen; }, 5000)) << "Space on the third aircraft";

    // Modify, and while it works a click on the first aircraft, Space, a click where Modify was and one on "Restore".
    // Right after them the last aircraft must still be unchanged, or the clicks came too late to test anything.
    const POINT modify = centre(screenRect(vantrel.control(ID_cmdYes)));
    const POINT first = centre(entryRect(list, 0));
    const POINT restore = markOf(vantrel.control(ID_Option2), 96);
    const std::filesystem::path lastBackup = fs9.backup(os::toWide(names.back()));
    xdo(at(modify) + " click 1 sleep 0.3 " + at(first) + " click 1 key space sleep 0.1 " + at(modify) +
        " click 1 sleep 0.1 " + at(restore) + " click 1");
    ASSERT_FALSE(std::filesystem::exists(lastBackup)) << "Modify had ended before the clicks: make it longer";

    // The work ends with the last aircraft; whatever the clicks could still do happens within a moment.
    ASSERT_TRUE(waitMs([&] { return std::filesystem::exists(lastBackup); }, 120000));
    waitMs([] { return false; }, 2000);
    EXPECT_EQ(window.mode(), 1) << "the click on Restore made during the work was replayed";
    EXPECT_TRUE(window.rows() == std::vector<std::string>{names[0]})
        << window.rows().size() << " rows, not the first aircraft alone";
    EXPECT_EQ(window.highlighted(), std::vector<bool>(window.rows().size(), false))
        << "a click made during the work was replayed";
    EXPECT_FALSE(window.shown(ListWindow::Command::Modify));
    EXPECT_EQ(readFile(fs9.cfg(os::toWide(names[0]))), aircraftCfg(names[0]));
    EXPECT_FALSE(std::filesystem::exists(fs9.backup(os::toWide(names[0]))));
    int wrong = 0;
    for (int i = 1; i < count; ++i)
        if (readFile(fs9.cfg(os::toWide(names[static_cast<std::size_t>(i)]))) !=
            withInserted(aircraftCfg(names[static_cast<std::size_t>(i)]), Fleet::kLines))
            ++wrong;
    EXPECT_EQ(wrong, 0) << "aircraft chosen but not modified";
}

} // namespace
} // namespace vantrel::test
