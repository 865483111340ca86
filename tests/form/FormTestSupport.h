#pragma once

#include "browse/DriveModel.h"
#include "form/frmVantrel.h"
#include "os/NativeSimulatorSearchPlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vantrel::test {

namespace fs = std::filesystem;

// How long a scan of many folders may take in a test before its watchdog calls it stuck: far more than it needs, far
// less than the test runner's limit (under Wine file work is many times slower).
#ifdef _WIN32
inline constexpr std::chrono::seconds kScanLimit{30};
#else
inline constexpr std::chrono::seconds kScanLimit{10};
#endif

std::string readFile(const fs::path& path);
void writeFile(const fs::path& path, const std::string& bytes);
// A path as the program holds it: UTF-8 with native separators.
std::string text(const fs::path& path);

// An aircraft.cfg of a few sections with its [autopilot] section in the middle (lines A, [autopilot], B, C, D),
// each ended by CR LF; and the same file after FS2004's lines were inserted.
std::string plainCfg(const std::string& title = "Trainer");
std::string modifiedCfg(const std::string& title = "Trainer");

// A simulator folder with its executable (none when empty) and an "Aircraft" folder beside it.
struct Installation
{
    fs::path root;
    fs::path aircraftFolder;

    fs::path addAircraft(const std::string& name, const std::string& cfg, const std::string& cfgName = "aircraft.cfg");
    void addFolder(const std::string& name);
    fs::path cfgPath(const std::string& name) const { return aircraftFolder / name / "aircraft.cfg"; }
};
Installation makeInstallation(const fs::path& root, const std::string& executable = "fs9.exe");

// The window as the program sees it: every call recorded, modal dialogs answered by the test.
class FakeView : public form::View
{
public:
    void render(const form::WindowState& state) override;
    void showMessage(const std::string& text, form::MessageIcon icon, const std::string& title) override;
    void beep() override { ++beeps; }
    void setBusy(bool busy) override { this->busy = busy; }
    void showAdvanced() override;
    void hideAdvanced() override { advancedShown = false; }
    void showAbout() override;
    void refresh() override { ++refreshes; }
    void endProgram() override { ++ends; }
    // The highlight as last drawn, unless the test makes the list show another.
    std::vector<int> shownSelection() const override;
    void setWorking(bool working) override;
    void stayResponsive(const form::WindowState& state) override;

    std::vector<std::string> messages; // "title|text"
    std::vector<form::MessageIcon> icons;
    std::vector<bool> busyDuringMessage;
    form::WindowState drawn; // the state rendered last
    int renders = 0, beeps = 0, refreshes = 0, ends = 0, advancedRuns = 0, aboutRuns = 0;
    bool busy = false;
    bool advancedShown = false;
    // Run while the Advanced or About dialog or a message box is open (the user's actions meanwhile).
    std::function<void()> inAdvanced;
    std::function<void()> inAbout;
    std::function<void()> inMessage;
    std::function<std::vector<int>()> highlight; // what the list shows highlighted, when set
    // The work: whether it is under way, and each time the window was let handle its messages meanwhile, with
    // the list's title then.
    bool working = false;
    int workStarts = 0;
    std::vector<std::string> responsiveTitles;
    std::function<void()> whileResponsive; // the messages handled then
};

// The machine where a first start looks for the simulator: its own folders and files, but a registry, drives and
// environment of the test's making (none, until the test adds them), so that no installation on the machine the tests
// run on is ever found.
class ScratchMachine : public os::NativeSimulatorSearchPlatform
{
public:
    std::map<std::string, std::string> registry; // "key|value" -> text
    std::vector<std::string> drives;
    std::map<std::string, std::string> environmentValues;
    int asked = 0; // calls for the registry, the drives or the environment: the search ran

    std::string machineRegistryText(const std::string& keyPath, const std::string& valueName) override
    {
        ++asked;
        const auto found = registry.find(keyPath + "|" + valueName);
        return found == registry.end() ? std::string() : found->second;
    }
    std::vector<std::string> fixedDrives() override
    {
        ++asked;
        return drives;
    }
    std::string environment(const std::string& name) override
    {
        ++asked;
        const auto found = environmentValues.find(name);
        return found == environmentValues.end() ? std::string() : found->second;
    }
};

// A fresh current folder (holding the settings file) and a work folder for installations; the form is made in
// the current folder on first use.
class FormTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    form::frmVantrel& form();
    void startUp(); // makes the form and runs its load handler
    void destroyForm();
    const form::WindowState& state() { return form().state(); }

    // The user opens folder after folder in the folder list until it shows `folder`.
    void navigateTo(const fs::path& folder);
    // Starts with a settings file that points at the installation's aircraft folder.
    void startIn(const Installation& sim, const std::string& code = "3");

    std::vector<std::string> list2Entries();
    std::vector<std::string> selectedEntries();
    std::string buttons(); // "Modify Clear All" as three digits, 1 when shown
    fs::path settingsPath() const { return current_ / "Vantrel.ini"; }
    std::string drive() { return form().state().Drive1->drive(); }

    fs::path work_;    // installations go here
    fs::path current_; // the current folder during the test
    fs::path previousCurrent_;
    FakeView view_;
    ScratchMachine machine_;
    std::unique_ptr<form::frmVantrel> form_;
};

} // namespace vantrel::test
