#include "FormTestSupport.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "os/Paths.h"

#include <fstream>
#include <iterator>
#include <random>

namespace vantrel::test {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string text(const fs::path& path)
{
    return path.lexically_normal().make_preferred().u8string();
}

std::string plainCfg(const std::string& title)
{
    return "[fltsim.0]\r\ntitle=" + title +
           "\r\n\r\n[autopilot]\r\nautopilot_available=1\r\nmax_bank=25\r\n\r\n"
           "[flaps.0]\r\ntype=1\r\n";
}

std::string modifiedCfg(const std::string& title)
{
    return "[fltsim.0]\r\ntitle=" + title +
           "\r\n\r\n[autopilot]\r\ndefault_bank_mode=0\r\ndefault_pitch_mode=0\r\n"
           "autopilot_available=1\r\nmax_bank=25\r\n\r\n[flaps.0]\r\ntype=1\r\n";
}

fs::path Installation::addAircraft(const std::string& name, const std::string& cfg, const std::string& cfgName)
{
    const fs::path file = aircraftFolder / fs::u8path(name) / cfgName;
    writeFile(file, cfg);
    return file;
}

void Installation::addFolder(const std::string& name)
{
    fs::create_directories(aircraftFolder / fs::u8path(name));
}

Installation makeInstallation(const fs::path& root, const std::string& executable)
{
    Installation sim{root, root / "Aircraft"};
    fs::create_directories(sim.aircraftFolder);
    if (!executable.empty())
        writeFile(root / executable, "MZ");
    return sim;
}

void FakeView::render(const form::WindowState& state)
{
    drawn = state;
    ++renders;
}

std::vector<int> FakeView::shownSelection() const
{
    if (highlight)
        return highlight();
    std::vector<int> shown;
    for (std::size_t i = 0; i < drawn.list2.size(); ++i)
        if (drawn.list2[i].selected)
            shown.push_back(static_cast<int>(i));
    return shown;
}

void FakeView::setWorking(bool working)
{
    EXPECT_NE(this->working, working) << "work begins and ends in turn";
    workStarts += working ? 1 : 0;
    this->working = working;
}

void FakeView::stayResponsive(const form::WindowState& state)
{
    EXPECT_TRUE(working);
    responsiveTitles.push_back(state.label3);
    if (whileResponsive)
        whileResponsive();
}

void FakeView::showMessage(const std::string& text, form::MessageIcon icon, const std::string& title)
{
    messages.push_back(title + "|" + text);
    icons.push_back(icon);
    busyDuringMessage.push_back(busy);
    if (inMessage)
        inMessage();
}

void FakeView::showAdvanced()
{
    ++advancedRuns;
    advancedShown = true;
    if (inAdvanced)
        inAdvanced();
}

void FakeView::showAbout()
{
    ++aboutRuns;
    if (inAbout)
        inAbout();
}

void FormTest::SetUp()
{
    std::random_device random;
    const fs::path base = fs::temp_directory_path() / ("vantrel-form-" + std::to_string(random()));
    work_ = base / "work";
    current_ = base / "current";
    fs::create_directories(work_);
    fs::create_directories(current_);
    previousCurrent_ = fs::current_path();
    fs::current_path(current_);
}

void FormTest::TearDown()
{
    destroyForm();
    fs::current_path(previousCurrent_);
    std::error_code ignored;
    fs::remove_all(current_.parent_path(), ignored);
}

form::frmVantrel& FormTest::form()
{
    if (!form_)
        form_ = std::make_unique<form::frmVantrel>(view_, nullptr, &machine_);
    return *form_;
}

void FormTest::startUp()
{
    destroyForm();
    form().Form_Load();
}

void FormTest::destroyForm()
{
    if (!form_)
        return;
    // The destructor runs Quit, which may write the settings: the file stays as the test left it.
    const fs::path settings = settingsPath();
    const bool existed = fs::is_regular_file(settings);
    const std::string before = existed ? readFile(settings) : std::string();
    const int ends = view_.ends;
    form_.reset();
    view_.ends = ends;
    if (existed)
        writeFile(settings, before);
    else if (fs::is_regular_file(settings))
        fs::remove(settings);
}

void FormTest::navigateTo(const fs::path& folder)
{
    const std::string target = text(folder);
    for (int step = 0; step < 64; ++step) {
        const browse::FolderModel& dir = *state().Dir1;
        if (os::samePath(dir.path(), target))
            return;
        // The deepest line of the list that leads towards the target: an ancestor, or a sub-folder.
        int best = -1;
        std::size_t bestLength = 0;
        const auto& entries = dir.entries();
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            const std::string& path = entries[static_cast<std::size_t>(i)].path;
            const bool leads =
                target == path || (target.compare(0, path.size(), path) == 0 &&
                                   (path.back() == fs::path::preferred_separator ||
                                    target[path.size()] == static_cast<char>(fs::path::preferred_separator)));
            if (leads && path.size() > bestLength && !os::samePath(path, dir.path())) {
                best = i;
                bestLength = path.size();
            }
        }
        if (best < 0) {
            // Not below anything shown: go up to the root and look again.
            ASSERT_GT(dir.pathEntry(), 0) << "cannot reach " << target << " from " << dir.path();
            form().Dir1_Open(0);
            continue;
        }
        form().Dir1_Open(best);
    }
    FAIL() << "cannot reach " << target;
}

void FormTest::startIn(const Installation& sim, const std::string& code)
{
    destroyForm();
    writeFile(settingsPath(),
              code + "\r\n" + form().state().Drive1->drive() + "\r\n" + text(sim.aircraftFolder) + "\r\n");
    form().Form_Load();
}

std::vector<std::string> FormTest::list2Entries()
{
    std::vector<std::string> entries;
    for (const form::ListEntry& entry : state().list2)
        entries.push_back(entry.text);
    return entries;
}

std::vector<std::string> FormTest::selectedEntries()
{
    std::vector<std::string> entries;
    for (const form::ListEntry& entry : state().list2) {
        if (entry.selected)
            entries.push_back(entry.text);
    }
    return entries;
}

std::string FormTest::buttons()
{
    const form::WindowState& s = state();
    return std::string(1, s.cmdYesVisible ? '1' : '0') + (s.cmdNoVisible ? '1' : '0') + (s.cmdAllVisible ? '1' : '0');
}

} // namespace vantrel::test
