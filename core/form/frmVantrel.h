#pragma once

// The program's main window without its toolkit, named as the design names it:
//   frmVantrel    the main window; its event methods are the handlers that the wiring table (Wiring.h) connects
//   Option1..3    the option buttons "Remove", "Restore" and "Advanced"; Remove and Restore choose the Mode
//   LastChoice    the mode chosen last, which the Advanced dialog's Done goes back to
//   Drive1        the drive list; Dir1 the folder list; File1 the hidden file list the aircraft scan reads
//   List2         the selection list the user sees; List1 the aircraft folder of each of its entries
//   loadList      the aircraft scan (LoadListRemove, LoadListRestore): builds the list of one mode afresh
//   CheckFile     classifies one aircraft: is its wing leveler enabled, disabled, or its file unreadable
//   cmdYes        "Modify"; AddFF is its rewrite loop over the aircraft chosen
//   cmdAll, cmdNo "All" and "Clear"; cmdQuit "Quit", which saves the settings (Vantrel.ini) and ends the program
//   MyFile        the simulator found beside the aircraft folder ("fs9.exe", "fs2000.exe" or empty)

#include "form/Mode.h"
#include "form/View.h"
#include "form/Wiring.h"

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::os {
class AppError;
class SysInfoPlatform;
class SimulatorSearchPlatform;
} // namespace vantrel::os

namespace vantrel::form {

struct FolderScan;
class ScanAhead;

// The texts of the About dialog, composed afresh at each opening.
struct AboutText
{
    std::string caption;     // "About Vantrel"
    std::string title;       // "Vantrel"
    std::string version;     // "Version 1.5.3"
    std::string description; // the credit lines, separated by carriage returns
};
AboutText aboutText();

// The option button that an arrow key moves to from option button `option` (numbered from 1 in the order of the
// layout table): the next (`step` 1) or previous (-1) one that can be chosen, round the group.
int optionAfter(const WindowState& state, int option, int step);

// The main window without its toolkit: it owns what the window shows and runs every procedure of the
// program. A window (Qt or Win32) builds the controls, draws the state it is given through View::render()
// and calls the event handlers below when the user acts; it decides nothing itself.
class frmVantrel
{
public:
    // `sysInfo`: the registry, file search and program starter of the System Information lookup; `simulatorSearch`:
    // the registry and file system where a first start looks for the simulator; null for the operating system's
    // own. The view must outlive the form.
    explicit frmVantrel(View& view, os::SysInfoPlatform* sysInfo = nullptr,
                        os::SimulatorSearchPlatform* simulatorSearch = nullptr);
    ~frmVantrel(); // Form_Terminate
    frmVantrel(const frmVantrel&) = delete;
    frmVantrel& operator=(const frmVantrel&) = delete;

    const WindowState& state() const { return state_; }

    // How long work may keep the window from its messages (View::stayResponsive); 50 ms unless a test asks for
    // another.
    void setResponseInterval(std::chrono::milliseconds interval);

    // The variables that the procedures share (declared below) and the mode chosen last, as they stand: a read-only
    // view for tests.
    struct Shared
    {
        std::string Data;
        std::string VantrelDir;
        bool SelectAll = false;
        std::string ErrorMsg;
        int StartOfName = 0;
        Mode LastChoice = Mode::Remove;
        std::string MyFile;
    };
    Shared shared() const;

    // ---- Events of the main window ----
    void Form_Load();      // once, when the window is created
    void Form_Unload();    // the window is being closed (close box, end of the Windows or desktop session)
    void Form_Terminate(); // the window object goes away

    // Which handler each control's events run: both windows connect their controls by one loop over it.
    static Wiring wiring();
    // Runs what the connection `wire` does for an event that carries `input`.
    void fire(const Wire& wire, const EventInput& input);

    // The user chose option button `option` (numbered from 1 in the order of the layout table: "Remove",
    // "Restore", "Advanced"): it becomes the chosen one and its handler in the wiring table runs, unless it was
    // chosen already or cannot be chosen.
    void chooseOption(int option);

    void Label4_Click(); // the "About" link

    // The user picked entry `index` of the drive list; the list is about to drop down.
    void Drive1_Select(int index);
    void Drive1_DropDown();
    // The user opened entry `entry` of the folder list (double-click or Enter).
    void Dir1_Open(int entry);

    // The user clicked entry `index` of the selection list: its selection toggles and it becomes the current
    // entry. Moving the current entry with the keyboard only changes the current entry.
    void List2_Toggle(int index);
    void List2_SetCurrent(int index);
    // A key moved the current entry; `pageRows` is how many entries the list shows whole.
    void List2_Move(ListMove move, int pageRows);
    // A letter typed in the list: the next entry after the current one (round the list) whose name begins with it
    // becomes the current entry.
    void List2_TypeLetter(const std::string& letter);
    void List2_Click();

    void cmdAll_Click();
    void cmdNo_Click();
    void cmdYes_Click();
    void cmdQuit_Click();

    // ---- Events of the Advanced dialog ----
    void chkBank_Set(int value);
    void chkPitch_Set(int value);
    void cmdDone_Click(); // also the dialog's close box and Escape

    // ---- Events of the About dialog ----
    void cmdSysInfo_Click();

    // Every event enters the program here: a window runs its handling of each event (the handlers above) through
    // this; the handlers render what they changed themselves (View.h). A failure that no procedure expects (out of
    // memory, a system or file-system error of the standard library) is reported in one message box that names it; the
    // busy pointer and the scan under way are ended, and the program goes on.
    void runEvent(const std::function<void()>& event) noexcept;

    // The aircraft folder of each aircraft entry of the selection list (empty while it shows the message
    // entry), entry i for entry i.
    const std::vector<std::string>& List1() const { return List1_; }

private:
    struct Impl;
    struct OptionHandlers; // the option buttons' handlers, beside their rows of the wiring table

    // What CheckFile found out about an aircraft's wing leveler.
    enum class WingLeveler { Enabled, Disabled, Unreadable };

    void chooseMode(Mode mode);
    void Drive1_Change();
    void Dir1_Change();
    void showListArea(bool shown);
    void openSimulatorFound();
    // `readAhead`: what the scan read of the aircraft's folder ahead of time, or null.
    WingLeveler CheckFile(const std::string& cfgFileName, const FolderScan* readAhead);
    void AddFF(const std::vector<std::string>& folders);
    void loadList(Mode listMode);
    void clearList();
    void scanFolders(Mode listMode);
    const FolderScan* readFolder(int index, ScanAhead& ahead);
    bool listAircraftOf(const FolderScan* readAhead, Mode listMode);
    void showScanResult(Mode listMode);
    void rescanCurrentMode();

    // The render rule (View.h): `body` is one event handler's work; the state is rendered after it unless it ran
    // inside another handler. `show` shows a modal dialog or message box over a freshly rendered window.
    void handle(const std::function<void()>& body);
    // Long work between two aircraft: lets the window stay responsive (View.h, the work rule), its list titled
    // `listTitle` meanwhile.
    void keepResponding(const std::string& listTitle);
    void showModal(const std::function<void()>& show);
    void message(const std::string& text, MessageIcon icon, const std::string& title);
    void reportError(const os::AppError& error, const std::string& title, const std::string* step);
    void reportUnexpected(const std::exception_ptr& failure);

    // ---- Shared state that the procedures hand to each other ----
    std::string Data;       // the aircraft.cfg line read last, for the step text of a later read error
    std::string VantrelDir; // folder of the settings file, ending in a separator
    bool SelectAll = false; // true while "All" rebuilds the list
    std::string ErrorMsg;   // step under way, shown on the last line of an error report
    int StartOfName = 0;    // where the name of the aircraft found last started (1-based); 0 before any was found
    std::string MyFile;     // the simulator beside the aircraft folder: "fs9.exe", "fs2000.exe" or empty
    Mode LastChoice = Mode::Remove; // the mode chosen last
    int lastChoiceOption_ = 1;      // the option button that chose it
    // The mode whose option button is chosen; none while another option ("Advanced") holds the choice.
    std::optional<Mode> chosenMode_ = Mode::Remove;

    View& view_;
    WindowState state_;
    std::unique_ptr<Impl> impl_;
    std::vector<std::string> List1_;
};

} // namespace vantrel::form
