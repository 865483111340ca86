#include "form/frmVantrel.h"

#include "browse/DriveModel.h"
#include "browse/FileModel.h"
#include "browse/FolderModel.h"
#include "engine/Classifier.h"
#include "engine/Rewriter.h"
#include "find/SimulatorSearch.h"
#include "form/Captions.h"
#include "form/ScanAhead.h"
#include "layout/Order.h"
#include "os/AppError.h"
#include "os/Ascii.h"
#include "os/Drives.h"
#include "os/FileSearch.h"
#include "os/NativeSimulatorSearchPlatform.h"
#include "os/NativeSysInfoPlatform.h"
#include "os/Paths.h"
#include "os/SysInfo.h"
#include "settings/OptionCode.h"
#include "settings/SettingsFile.h"
#include "text/Catalogue.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <optional>
#include <utility>

namespace vantrel::form {

namespace {

// The aircraft folder that Quit saves for the folder list's `path` (and the file list's selected file): the deepest
// folder on the path named "aircraft" (in any letter case) with a simulator's executable in the folder above it,
// so that the next start finds the simulator; where there is none, the path up to the first "aircraft" and
// separator. "" when the path has no "aircraft" folder at all.
std::string installationFolderOf(const std::string& path, const std::string& fileName)
{
    const char separator = os::nativeSeparator();
    const std::size_t length = engine::kAircraftFolder.size();
    for (std::size_t end = path.size(); end >= length; --end) {
        const bool wholeName = end == path.size() || path[end] == separator;
        const std::size_t start = end - length;
        const std::string folder = path.substr(0, end);
        if (wholeName && engine::endsInAircraft(folder) && start > 0 && path[start - 1] == separator &&
            !engine::simulatorBeside(folder).empty())
            return folder;
    }
    const std::string full = path + separator + fileName;
    const std::size_t found = os::lowerAscii(full).find(std::string(engine::kAircraftFolder) + separator);
    return found == std::string::npos ? std::string() : full.substr(0, found + length);
}

std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != os::nativeSeparator())
        folder += os::nativeSeparator();
    return folder;
}

// The option buttons of the main window, in the order of the layout table.
const std::vector<const layout::Control*>& optionRows()
{
    static const std::vector<const layout::Control*> rows = layout::optionButtons(layout::kMain);
    return rows;
}

// The number of the option button called `name` (from 1), 0 for none.
int optionNumberOf(const char* name)
{
    const auto& rows = optionRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (layout::sameName(rows[i]->name, name))
            return static_cast<int>(i) + 1;
    return 0;
}

// Whether option button `option` exists and can be chosen: "Advanced" only while the program enables it.
bool canChoose(const WindowState& state, int option)
{
    const auto& rows = optionRows();
    if (option < 1 || option > static_cast<int>(rows.size()))
        return false;
    return !layout::sameName(rows[static_cast<std::size_t>(option) - 1]->name, "Option3") || state.option3Enabled;
}

} // namespace

int optionAfter(const WindowState& state, int option, int step)
{
    const int count = static_cast<int>(optionRows().size());
    for (int tried = 0; tried < count; ++tried) {
        option = (option - 1 + step + count) % count + 1;
        if (canChoose(state, option))
            return option;
    }
    return option;
}

AboutText aboutText()
{
    AboutText text;
    text.title = text::get(text::Id::MainTitle);
    text.caption = text::get(text::Id::AboutPrefix) + text.title;
    text.version = text::get(text::Id::VersionPrefix) + std::to_string(VANTREL_VERSION_MAJOR) + "." +
                   std::to_string(VANTREL_VERSION_MINOR) + "." + std::to_string(VANTREL_VERSION_REVISION);
    text.description = text::get(text::Id::AboutDescription);
    return text;
}

struct frmVantrel::Impl
{
    browse::DriveModel Drive1;
    browse::FolderModel Dir1;
    browse::FileModel File1;
    os::SysInfoPlatform* sysInfo = nullptr;
    os::SimulatorSearchPlatform* simulatorSearch = nullptr;
    bool listAreaShown = false; // navigation accepted the folder: the list area is on screen
    bool quitting = false;
    bool busy = false;
    int handlerDepth = 0;           // event handlers running, one inside the other, since the last modal dialog showed
    std::string codeBeforeAdvanced; // the option code in force when the Advanced dialog was last shown
    bool scanning = false;          // the list's click handler waits for the end of a scan
    int navigations = 0;            // runs of Dir1_Change so far
    bool dir1JustRead = false;      // navigation read the folder list's folders right before its scan
    // During a scan: the simulator found beside the aircraft folder (looked for at the first aircraft).
    std::optional<std::string> scanSimulator;
    // When the window last handled its messages during the work under way, and how long work may keep it from
    // them: well inside the fifth of a second after which a person feels a window stuck (and Windows, after a few
    // seconds, calls it "Not Responding").
    std::chrono::steady_clock::time_point lastResponse;
    std::chrono::milliseconds responseInterval{50};
};

frmVantrel::frmVantrel(View& view, os::SysInfoPlatform* sysInfo, os::SimulatorSearchPlatform* simulatorSearch)
    : view_(view), impl_(std::make_unique<Impl>())
{
    impl_->sysInfo = sysInfo ? sysInfo : &os::NativeSysInfoPlatform::instance();
    impl_->simulatorSearch = simulatorSearch ? simulatorSearch : &os::NativeSimulatorSearchPlatform::instance();
    state_.Drive1 = &impl_->Drive1;
    state_.Dir1 = &impl_->Dir1;
    impl_->File1.setPattern("aircraft.cfg");
    // The folder list opens on the process's current folder; no navigation runs for it.
    try {
        impl_->Dir1.setPath(os::currentFolder());
    } catch (const os::AppError&) {
    }
    impl_->Drive1.onChange = [this] { Drive1_Change(); };
    impl_->Dir1.onChange = [this] { Dir1_Change(); };
}

frmVantrel::~frmVantrel()
{
    Form_Terminate();
}

void frmVantrel::setResponseInterval(std::chrono::milliseconds interval)
{
    impl_->responseInterval = interval;
}

frmVantrel::Shared frmVantrel::shared() const
{
    return {Data, VantrelDir, SelectAll, ErrorMsg, StartOfName, LastChoice, MyFile};
}

// ---- Rendering and message boxes ----

void frmVantrel::handle(const std::function<void()>& body)
{
    if (impl_->handlerDepth++ == 0) {
        impl_->lastResponse = std::chrono::steady_clock::now();
        view_.setWorking(true);
    }
    try {
        body();
    } catch (...) {
        if (--impl_->handlerDepth == 0)
            view_.setWorking(false);
        throw;
    }
    // A handler run by another one (the mode chosen again by Done, the list's click handler run by a scan) leaves
    // the drawing to the outer one; once Quit has begun, nothing of the window runs again.
    if (--impl_->handlerDepth == 0) {
        if (!impl_->quitting)
            view_.render(state_);
        view_.setWorking(false);
    }
}

void frmVantrel::keepResponding(const std::string& listTitle)
{
    const auto now = std::chrono::steady_clock::now();
    if (now - impl_->lastResponse < impl_->responseInterval)
        return;
    // The list's title shows how far the work has come while it runs; its own title comes back afterwards.
    std::string title = std::exchange(state_.label3, listTitle);
    view_.stayResponsive(state_);
    state_.label3 = std::move(title);
    impl_->lastResponse = std::chrono::steady_clock::now();
}

void frmVantrel::showModal(const std::function<void()>& show)
{
    if (!impl_->quitting)
        view_.render(state_);
    // The events of the dialog's own event loop are handlers of their own, each rendering at its end. The user acts
    // on the dialog: no work is under way while it shows.
    const int depth = std::exchange(impl_->handlerDepth, 0);
    if (depth > 0)
        view_.setWorking(false);
    const auto resume = [&] {
        impl_->handlerDepth = depth;
        if (depth > 0) {
            impl_->lastResponse = std::chrono::steady_clock::now();
            view_.setWorking(true);
        }
    };
    try {
        show();
    } catch (...) {
        resume();
        throw;
    }
    resume();
}

// Shows a message box; the busy pointer of a running Modify never stands over it.
void frmVantrel::message(const std::string& text, MessageIcon icon, const std::string& title)
{
    const bool busy = impl_->busy;
    showModal([&] {
        if (busy)
            view_.setBusy(false);
        view_.showMessage(text, icon, title);
        if (busy)
            view_.setBusy(true);
    });
}

// The report of a procedure's error trap: "Error <number> <description>", and where the procedure keeps a step
// text, a carriage return and that step on the last line.
void frmVantrel::reportError(const os::AppError& error, const std::string& title, const std::string* step)
{
    message(step ? error.report() + '\r' + displayText(*step) : error.report(), MessageIcon::Warning, title);
}

// ---- Failures no procedure expects ----

void frmVantrel::runEvent(const std::function<void()>& event) noexcept
{
    try {
        event();
    } catch (...) {
        try {
            reportUnexpected(std::current_exception());
        } catch (...) {
            // Not even the report could be shown (no memory left for it): the program goes on all the same.
        }
    }
}

namespace {

// "Error <number> <description>", in the form of the program's own reports, naming what failed.
std::string unexpectedReport(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const os::AppError& error) {
        return error.report();
    } catch (const std::bad_alloc&) {
        return os::AppError(7, text::get(text::Id::ErrOutOfMemory)).report();
    } catch (const std::exception& error) {
        return os::AppError(51, text::get(text::Id::ErrInternal)).report() + "\r" + error.what();
    } catch (...) {
        return os::AppError(51, text::get(text::Id::ErrInternal)).report();
    }
}

} // namespace

void frmVantrel::reportUnexpected(const std::exception_ptr& failure)
{
    // What the event left half-done must not hold the window: no busy pointer, no scan under way, no "All".
    impl_->scanning = false;
    impl_->scanSimulator.reset();
    SelectAll = false;
    if (std::exchange(impl_->busy, false))
        view_.setBusy(false);
    showModal(
        [&] { view_.showMessage(unexpectedReport(failure), MessageIcon::Warning, text::get(text::Id::MainTitle)); });
    // Quit ends the program whatever happened on its way.
    if (impl_->quitting) {
        view_.endProgram();
        return;
    }
    view_.render(state_);
}

// ---- Start-up and Quit ----

void frmVantrel::Form_Load()
{
    handle([this] {
        try {
            chooseOption(1);
            state_.option3Enabled = true;

            // The settings live in the folder the program was started in.
            VantrelDir = withSeparator(os::currentFolder());
            const std::string settingsPath = settings::settingsFilePath(VantrelDir);
            ErrorMsg = text::get(text::Id::StepOpening) + settingsPath;

            if (settings::touchSettingsFile(settingsPath) >= settings::kSmallestReadableSize) {
                settings::SettingsReader reader(settingsPath);

                ErrorMsg = text::get(text::Id::StepLoadingAdvancedOptions);
                std::string iniData = reader.readField();
                const double code = settings::toNumber(iniData);
                int bank = state_.chkBank;
                int pitch = state_.chkPitch;
                long long whole = 0;
                if (settings::optionCodeOf(code, whole) && decodeOptionCode(whole, bank, pitch)) {
                    state_.chkBank = bank;
                    state_.chkPitch = pitch;
                }

                ErrorMsg = text::get(text::Id::StepLoadingDriveDesignator);
                iniData = reader.readField();
                const int navigationsBefore = impl_->navigations;
                impl_->Drive1.setDrive(iniData);

                ErrorMsg = text::get(text::Id::StepLoadingFlightSimPath);
                iniData = reader.readField();
                impl_->Dir1.setPath(iniData);
                // Started in the saved folder itself (in any letter case where the file system ignores it), the folder
                // list raises no change; the user still expects that folder's aircraft to be listed, once.
                if (impl_->navigations == navigationsBefore)
                    Dir1_Change();
            } else {
                openSimulatorFound();
            }

            state_.advancedLabel = text::get(text::Id::AdvancedInstruction);
        } catch (const os::AppError& error) {
            reportError(error, text::get(text::Id::LoadIniError), &ErrorMsg);
        }
    });
}

// A first start opens the simulator found on the machine as if the settings had named it. Nothing is reported: with
// none found, or one that will not open, the window starts as it always did.
void frmVantrel::openSimulatorFound()
{
    const std::string aircraftFolder = find::findAircraftFolder(*impl_->simulatorSearch);
    if (aircraftFolder.empty())
        return;
    try {
        const int navigationsBefore = impl_->navigations;
        impl_->Drive1.setDrive(aircraftFolder); // its first character names the drive
        impl_->Dir1.setPath(aircraftFolder);
        if (impl_->navigations == navigationsBefore)
            Dir1_Change();
    } catch (const os::AppError&) {
    }
}

void frmVantrel::cmdQuit_Click()
{
    handle([this] {
        // Quit is the one way out; once it has begun, nothing of the window runs again.
        if (impl_->quitting)
            return;
        impl_->quitting = true;

        const std::string airCraftDir = installationFolderOf(impl_->Dir1.path(), impl_->File1.fileName());

        // Neither box ticked happens only while the Advanced dialog is open (its Done refuses it), when the session
        // ends under it: the choice in force before the dialog stays.
        std::string options = encodeOptionCode(state_.chkBank, state_.chkPitch);
        if (options.empty())
            options = impl_->codeBeforeAdvanced;

        // The file holds one value a line: a folder or drive with a line break in it would come back as another one.
        const auto oneLine = [](const std::string& value) { return value.find_first_of("\r\n") == std::string::npos; };
        if (!airCraftDir.empty() && oneLine(airCraftDir) && oneLine(impl_->Drive1.drive())) {
            try {
                settings::writeSettingsFile(settings::settingsFilePath(VantrelDir), options, impl_->Drive1.drive(),
                                            airCraftDir);
            } catch (const os::AppError& error) {
                message(text::get(text::Id::SettingsNotSaved) + "\r" + error.report(), MessageIcon::Warning,
                        text::get(text::Id::MainTitle));
            }
        }
        view_.endProgram();
    });
}

void frmVantrel::Form_Unload()
{
    if (!impl_->quitting)
        cmdQuit_Click();
}

void frmVantrel::Form_Terminate()
{
    if (!impl_->quitting)
        cmdQuit_Click();
}

// ---- Mode options and the two dialogs ----

void frmVantrel::chooseOption(int option)
{
    handle([this, option] {
        if (!canChoose(state_, option) || state_.option == option)
            return;
        state_.option = option;
        chosenMode_.reset();
        if (const Wire* wire = findWire(layout::kMain.name, optionRows()[option - 1]->name, Event::Choose))
            wire->handler(*this, {});
    });
}

void frmVantrel::fire(const Wire& wire, const EventInput& input)
{
    // An option button runs its handler only when it changes the choice.
    if (wire.event == Event::Choose)
        chooseOption(optionNumberOf(wire.control));
    else
        wire.handler(*this, input);
}

// What choosing each option button does: the rows of the wiring table below name these handlers.
struct frmVantrel::OptionHandlers
{
    static void Option1_Click(frmVantrel& form)
    {
        form.state_.option3Enabled = true;
        form.chooseMode(Mode::Remove);
    }

    // "Advanced" can be chosen only in mode Remove.
    static void Option2_Click(frmVantrel& form)
    {
        form.state_.option3Enabled = false;
        form.chooseMode(Mode::Restore);
    }

    // The Advanced dialog, until its Done goes back to the mode chosen last.
    static void Option3_Click(frmVantrel& form)
    {
        form.impl_->codeBeforeAdvanced = encodeOptionCode(form.state_.chkBank, form.state_.chkPitch);
        form.showModal([&form] { form.view_.showAdvanced(); });
    }
};

Wiring frmVantrel::wiring()
{
    using Options = OptionHandlers;
    static constexpr Wire kWires[] = {
        // window       control       event               handler
        {"frmVantrel", "Option1", Event::Choose, &Options::Option1_Click},
        {"frmVantrel", "Option2", Event::Choose, &Options::Option2_Click},
        {"frmVantrel", "Option3", Event::Choose, &Options::Option3_Click},
        {"frmVantrel", "Drive1", Event::Select, &frmVantrel::Drive1_Select},
        {"frmVantrel", "Drive1", Event::DropDown, &frmVantrel::Drive1_DropDown},
        {"frmVantrel", "Dir1", Event::Open, &frmVantrel::Dir1_Open},
        {"frmVantrel", "List2", Event::Toggle, &frmVantrel::List2_Toggle},
        {"frmVantrel", "List2", Event::SetCurrent, &frmVantrel::List2_SetCurrent},
        {"frmVantrel", "List2", Event::Move, &frmVantrel::List2_Move},
        {"frmVantrel", "List2", Event::TypeLetter, &frmVantrel::List2_TypeLetter},
        {"frmVantrel", "cmdYes", Event::Click, &frmVantrel::cmdYes_Click},
        {"frmVantrel", "cmdAll", Event::Click, &frmVantrel::cmdAll_Click},
        {"frmVantrel", "cmdNo", Event::Click, &frmVantrel::cmdNo_Click},
        {"frmVantrel", "cmdQuit", Event::Click, &frmVantrel::cmdQuit_Click},
        {"frmVantrel", "Label4", Event::Click, &frmVantrel::Label4_Click},
        {"frmAdvanced", "chkBank", Event::Tick, &frmVantrel::chkBank_Set},
        {"frmAdvanced", "chkPitch", Event::Tick, &frmVantrel::chkPitch_Set},
        {"frmAdvanced", "cmdDone", Event::Click, &frmVantrel::cmdDone_Click},
        {"frmAbout", "cmdSysInfo", Event::Click, &frmVantrel::cmdSysInfo_Click},
    };
    return {kWires, std::size(kWires)};
}

// Remove or Restore becomes the mode, and its list is built afresh.
void frmVantrel::chooseMode(Mode mode)
{
    chosenMode_ = mode;
    LastChoice = mode;
    lastChoiceOption_ = state_.option;
    loadList(mode);
}

void frmVantrel::chkBank_Set(int value)
{
    handle([this, value] { state_.chkBank = value; });
}

void frmVantrel::chkPitch_Set(int value)
{
    handle([this, value] { state_.chkPitch = value; });
}

void frmVantrel::cmdDone_Click()
{
    handle([this] {
        const int pitch = state_.chkPitch;
        const int bank = state_.chkBank;
        if (pitch == 0 && bank == 0) {
            message(text::get(text::Id::NoOptionChosen), MessageIcon::Information, text::get(text::Id::OptionsTitle));
            return;
        }
        view_.hideAdvanced();
        view_.refresh();
        // Back to the mode chosen last, which builds its list afresh.
        chooseOption(lastChoiceOption_);
    });
}

void frmVantrel::Label4_Click()
{
    handle([this] { showModal([this] { view_.showAbout(); }); });
}

void frmVantrel::cmdSysInfo_Click()
{
    handle([this] {
        if (!os::startSysInfo(*impl_->sysInfo))
            message(text::get(text::Id::SysInfoUnavailable), MessageIcon::None, aboutText().title);
    });
}

// ---- Navigation ----

void frmVantrel::Drive1_Select(int index)
{
    handle([this, index] { impl_->Drive1.select(index); });
}

void frmVantrel::Drive1_DropDown()
{
    handle([this] { impl_->Drive1.reload(); });
}

void frmVantrel::Drive1_Change()
{
    // A drive that cannot be read leaves the lists where they were and says why; the drive list goes back to
    // the drive of the folder still shown.
    try {
        impl_->Dir1.setPath(os::currentFolderOn(impl_->Drive1.drive()));
    } catch (const os::AppError& error) {
        reportError(error, text::get(text::Id::DirectorySelectError), nullptr);
        auto onChange = std::exchange(impl_->Drive1.onChange, nullptr);
        try {
            impl_->Drive1.setDrive(impl_->Dir1.path());
        } catch (const os::AppError&) {
        }
        impl_->Drive1.onChange = std::move(onChange);
    }
}

void frmVantrel::Dir1_Open(int entry)
{
    handle([this, entry] {
        try {
            impl_->Dir1.open(entry);
        } catch (const os::AppError& error) {
            // The entry may have gone: the list is read again, and the failure reported like any folder selection.
            try {
                impl_->Dir1.refresh();
            } catch (const os::AppError&) {
            }
            reportError(error, text::get(text::Id::DirectorySelectError), nullptr);
        }
    });
}

namespace {

void hideSelectionCommands(WindowState& state)
{
    state.cmdYesVisible = false;
    state.cmdNoVisible = false;
    state.cmdAllVisible = false;
}

// An entry joins the selection list; a window that drew the list halfway (under a message box) draws it again.
void appendEntry(WindowState& state, ListEntry entry)
{
    state.list2.push_back(std::move(entry));
    ++state.list2Revision;
}

} // namespace

void frmVantrel::Dir1_Change()
{
    ++impl_->navigations;
    const std::string& path = impl_->Dir1.path();
    if (!engine::endsInAircraft(path)) {
        showListArea(false);
        return;
    }
    try {
        MyFile = engine::simulatorBeside(path);
        if (MyFile != "fs9.exe" && MyFile != "fs2000.exe") {
            showListArea(false);
            return;
        }
        clearList();
        hideSelectionCommands(state_);
        impl_->File1.setPath(path);
        state_.label2 = totalAircraftCaption(impl_->Dir1.listCount(), path);
        showListArea(true);
        impl_->dir1JustRead = true;
        loadList(Mode::Remove);
        if (List1_.empty() && state_.list2.size() == 1)
            hideSelectionCommands(state_);
    } catch (const os::AppError& error) {
        reportError(error, text::get(text::Id::DirectorySelectError), nullptr);
    }
}

// The list area (the selection list, its title and the count of aircraft) shows, or gives way to the request to
// choose the aircraft folder.
void frmVantrel::showListArea(bool shown)
{
    impl_->listAreaShown = shown;
    state_.list2Visible = shown;
    state_.label1Visible = !shown;
    state_.label2Visible = shown;
    state_.label3Visible = shown;
    // Modify goes too: it would act on the selection of a list that is no longer on screen.
    if (!shown)
        hideSelectionCommands(state_);
}

// ---- The aircraft scan ----

frmVantrel::WingLeveler frmVantrel::CheckFile(const std::string& cfgFileName, const FolderScan* readAhead)
{
    // The file may have been classified already, ahead of the scan; then its verdict (or failure) is taken here,
    // at the point where the file would have been read.
    const FolderScan* const ahead = readAhead != nullptr && readAhead->cfgFileName == cfgFileName ? readAhead : nullptr;
    engine::Classification classifiedHere;
    const engine::Classification& result = ahead != nullptr ? ahead->result : classifiedHere;
    try {
        // The folder list shows the same folder from the start of a scan to its end, so the simulator beside it
        // is looked for once per scan.
        if (!impl_->scanSimulator) {
            impl_->scanSimulator.emplace();
            *impl_->scanSimulator = engine::simulatorBeside(impl_->Dir1.path());
        }
        MyFile = *impl_->scanSimulator;
        ErrorMsg = text::get(text::Id::StepOpening) + cfgFileName;
        if (ahead == nullptr)
            engine::classifyFile(cfgFileName, classifiedHere);
        else if (ahead->checkFailure)
            std::rethrow_exception(ahead->checkFailure);
        ErrorMsg = text::get(text::Id::StepCheckForWingLevelerCode);
        if (result.anyLineRead)
            Data = result.lastLine;
        // An empty file has no wing-leveler line: its aircraft is one whose leveler is still enabled.
        return result.found ? WingLeveler::Disabled : WingLeveler::Enabled;
    } catch (const os::AppError& error) {
        // The report names the step: the opening, or the line read before the one that failed.
        if (result.opened) {
            if (result.anyLineRead)
                Data = result.lastLine;
            ErrorMsg = text::get(text::Id::StepData) + Data;
        }
        reportError(error, text::get(text::Id::AircraftCfgFileError), &ErrorMsg);
        return WingLeveler::Unreadable;
    }
}

// Builds the list of `listMode` afresh from the folders of the folder list.
void frmVantrel::loadList(Mode listMode)
{
    impl_->scanning = true;
    impl_->scanSimulator.reset();
    // The simulator found belongs to this scan alone.
    struct EndOfScan
    {
        Impl& impl;
        ~EndOfScan() { impl.scanSimulator.reset(); }
    } endOfScan{*impl_};
    const bool dir1JustRead = std::exchange(impl_->dir1JustRead, false);
    try {
        clearList();
        ErrorMsg = text::get(text::Id::StepLoopThroughFolders);
        // Aircraft added or removed since the folder was opened count: the folders are read afresh, unless the
        // navigation that runs this scan has just read them.
        if (!dir1JustRead)
            impl_->Dir1.refresh();
        scanFolders(listMode);
        showScanResult(listMode);
    } catch (const os::AppError& error) {
        reportError(error, text::get(text::Id::LoadListError), &ErrorMsg);
    }
    ++state_.selectionRevision;
    impl_->scanning = false;
}

// The selection list and the aircraft folders of its entries start empty, and the file list has no file chosen.
void frmVantrel::clearList()
{
    impl_->File1.setFileName("");
    List1_.clear();
    state_.list2.clear();
    state_.list2Current = -1;
    ++state_.list2Revision;
}

// Each folder of the folder list in turn, its aircraft listed where it belongs in the list of `listMode`.
void frmVantrel::scanFolders(Mode listMode)
{
    const int folderCount = impl_->Dir1.listCount();
    // The folders' files are read and classified on the other cores, ahead of this loop; the loop takes the
    // results in the folders' order and does everything else as if it had read them itself.
    std::optional<ScanAhead> ahead;
    ahead.emplace(impl_->Dir1.listSnapshot(), impl_->File1.pattern());
    for (int x = 0; x < folderCount; ++x) {
        keepResponding(listCaption(listMode, static_cast<int>(state_.list2.size())));
        if (impl_->quitting)
            break;
        const FolderScan* readAhead = readFolder(x, *ahead);
        // The user may have changed files while the report of an unreadable aircraft was shown, so the folders
        // after this one are read afresh, from now on.
        if (!listAircraftOf(readAhead, listMode)) {
            ahead.reset();
            ahead.emplace(impl_->Dir1.listSnapshot(), impl_->File1.pattern(), static_cast<std::size_t>(x) + 1);
        }
    }
}

// File1 lists the files of folder `index` of the folder list. Returns what was read of the folder ahead of the
// scan, or null where the folder list changed under the scan (from inside a message box's event loop) and the
// folder was read here.
const FolderScan* frmVantrel::readFolder(int index, ScanAhead& ahead)
{
    const std::string& folder = impl_->Dir1.list(index);
    ErrorMsg = text::get(text::Id::StepSetPathTo) + folder;
    const auto at = static_cast<std::size_t>(index);
    if (at < ahead.folders().size() && ahead.folders()[at] == folder) {
        FolderScan& scan = ahead.at(at);
        if (scan.listingFailure)
            std::rethrow_exception(scan.listingFailure);
        impl_->File1.setListing(std::move(scan.listing));
        return &scan;
    }
    impl_->File1.setPath(folder);
    return nullptr;
}

// The aircraft of the folder that File1 lists, if it has one, joins the list when its wing leveler is in the state
// that the list of `listMode` shows. False when its aircraft.cfg could not be read.
bool frmVantrel::listAircraftOf(const FolderScan* readAhead, Mode listMode)
{
    if (impl_->File1.listCount() > 0)
        impl_->File1.setListIndex(configurationEntry(impl_->File1.files()));
    const std::string fileName = impl_->File1.fileName();
    ErrorMsg = text::get(text::Id::StepCheck) + fileName;
    if (os::lowerAscii(fileName) != "aircraft.cfg")
        return true;

    ErrorMsg = text::get(text::Id::StepGetAircraftName);
    const std::string cfgFileName = impl_->File1.path() + os::nativeSeparator() + fileName;
    AircraftNameSpan span = aircraftNameOf(cfgFileName);
    StartOfName = span.start;
    const std::string airCraftName = std::move(span.name);
    if (isCslFolder(airCraftName))
        return true;

    ErrorMsg = text::get(text::Id::StepCheckForWingLeveler);
    const WingLeveler leveler = CheckFile(cfgFileName, readAhead);
    // An aircraft whose file could not be read was reported by the detection; it belongs to neither list, since
    // nothing is known of its wing leveler.
    if (leveler == WingLeveler::Unreadable)
        return false;

    ErrorMsg = text::get(text::Id::StepAddToList);
    if ((leveler == WingLeveler::Disabled) == (listMode == Mode::Restore)) {
        List1_.push_back(impl_->File1.path());
        // "All" selects each entry as it joins the list, so a scan that fails halfway leaves the entries found so
        // far selected.
        appendEntry(state_, {displayText(airCraftName), SelectAll});
    }
    return true;
}

// The list's title and its first entry; where no aircraft of the folder qualifies, the message entry alone.
void frmVantrel::showScanResult(Mode listMode)
{
    const int listed = static_cast<int>(state_.list2.size());
    if (StartOfName > 0 && listed == 0) {
        // Every aircraft of the folder is already in the other state.
        if (chosenMode_)
            appendEntry(state_, {messageEntryText(*chosenMode_), false});
        if (!state_.list2.empty()) {
            state_.list2[0].selected = true;
            state_.list2Current = 0;
        }
        hideSelectionCommands(state_);
        // The title's count must not contradict the list: none of the aircraft qualifies.
        state_.label3 = listCaption(listMode, 0);
    } else {
        state_.label3 = listCaption(listMode, listed);
        if (listed > 0) {
            state_.list2Current = 0;
            impl_->scanning = false;
            List2_Click();
        } else {
            state_.cmdAllVisible = false;
            state_.cmdNoVisible = false;
        }
    }
}

// ---- The selection list ----

void frmVantrel::List2_Toggle(int index)
{
    handle([this, index] {
        if (index < 0 || index >= static_cast<int>(state_.list2.size()))
            return;
        ListEntry& entry = state_.list2[static_cast<std::size_t>(index)];
        entry.selected = !entry.selected;
        state_.list2Current = index;
        ++state_.selectionRevision;
        List2_Click();
    });
}

void frmVantrel::List2_SetCurrent(int index)
{
    handle([this, index] {
        if (index < -1 || index >= static_cast<int>(state_.list2.size()) || index == state_.list2Current)
            return;
        state_.list2Current = index;
        ++state_.selectionRevision;
        List2_Click();
    });
}

void frmVantrel::List2_Move(ListMove move, int pageRows)
{
    handle([this, move, pageRows] {
        const int last = static_cast<int>(state_.list2.size()) - 1;
        const int current = state_.list2Current;
        const int page = std::max(1, pageRows - 1);
        int to = 0;
        switch (move) {
        case ListMove::Up:
            to = current - 1;
            break;
        case ListMove::Down:
            to = current < 0 ? 0 : current + 1;
            break;
        case ListMove::PageUp:
            to = current - page;
            break;
        case ListMove::PageDown:
            to = current < 0 ? 0 : current + page;
            break;
        case ListMove::Home:
            to = 0;
            break;
        case ListMove::End:
            to = last;
            break;
        }
        if (last >= 0)
            List2_SetCurrent(std::clamp(to, 0, last));
    });
}

void frmVantrel::List2_TypeLetter(const std::string& letter)
{
    handle([this, letter] {
        const int count = static_cast<int>(state_.list2.size());
        if (letter.empty() || count == 0)
            return;
        const std::string wanted = os::lowerAscii(letter);
        for (int step = 1; step <= count; ++step) {
            const int index = (std::max(state_.list2Current, -1) + step + count) % count;
            const std::string& name = state_.list2[static_cast<std::size_t>(index)].text;
            if (os::lowerAscii(name.substr(0, wanted.size())) == wanted) {
                List2_SetCurrent(index);
                return;
            }
        }
    });
}

void frmVantrel::List2_Click()
{
    handle([this] {
        if (impl_->scanning)
            return;
        bool anySelected = false;
        for (const ListEntry& entry : state_.list2) {
            if (entry.selected) {
                anySelected = true;
                break;
            }
        }
        bool modify = anySelected;
        bool clearAndAll = true;
        // The message entry is the only entry of a list that holds no aircraft; an aircraft whose folder happens to
        // be called "All Aircraft..." is an aircraft like any other.
        if (List1_.empty() && state_.list2.size() == 1)
            modify = clearAndAll = false;
        // Nothing can be modified unseen: while the list area is hidden, so are its commands.
        if (!impl_->listAreaShown)
            modify = clearAndAll = false;
        state_.cmdYesVisible = modify;
        state_.cmdNoVisible = clearAndAll;
        state_.cmdAllVisible = clearAndAll;
    });
}

// The list of the chosen mode, built afresh; with "Advanced" chosen there is none to build.
void frmVantrel::rescanCurrentMode()
{
    if (chosenMode_)
        loadList(*chosenMode_);
}

void frmVantrel::cmdAll_Click()
{
    handle([this] {
        SelectAll = true;
        rescanCurrentMode();
        SelectAll = false;
    });
}

void frmVantrel::cmdNo_Click()
{
    handle([this] {
        SelectAll = false;
        rescanCurrentMode();
        state_.cmdYesVisible = false;
    });
}

// ---- Modify ----

void frmVantrel::cmdYes_Click()
{
    handle([this] {
        // The folders of the selected aircraft, in list order.
        std::vector<std::string> folders;
        for (std::size_t x = 0; x < List1_.size() && x < state_.list2.size(); ++x) {
            if (state_.list2[x].selected)
                folders.push_back(List1_[x]);
        }
        // What the user sees highlighted is what changes: a list that shows anything else is drawn again, and
        // nothing is modified.
        std::vector<int> held;
        for (std::size_t x = 0; x < state_.list2.size(); ++x)
            if (state_.list2[x].selected)
                held.push_back(static_cast<int>(x));
        if (view_.shownSelection() != held) {
            ++state_.selectionRevision;
            message(text::get(text::Id::SelectionNotShown), MessageIcon::Warning, text::get(text::Id::MainTitle));
            return;
        }
        impl_->busy = true;
        view_.setBusy(true);
        AddFF(folders);
        impl_->busy = false;
        view_.setBusy(false);
        hideSelectionCommands(state_);
        view_.beep();
    });
}

void frmVantrel::AddFF(const std::vector<std::string>& folders)
{
    // The boxes and the simulator are read anew for every [autopilot] header written.
    engine::InsertChoice choice;
    choice.bank = [this] { return state_.chkBank == 1; };
    choice.pitch = [this] { return state_.chkPitch == 1; };
    choice.simulator = [this] { return os::lowerAscii(MyFile); };
    // With neither mode chosen ("Advanced" holds the selection), nothing is touched at all.
    engine::Mode mode = engine::Mode::None;
    if (chosenMode_)
        mode = *chosenMode_ == Mode::Restore ? engine::Mode::Restore : engine::Mode::Remove;

    // The list's title counts down the aircraft of the list as they are modified.
    const Mode listMode = chosenMode_.value_or(Mode::Remove);
    int listed = static_cast<int>(List1_.size());
    for (const std::string& folder : folders) {
        keepResponding(listCaption(listMode, listed));
        // Quit, asked for meanwhile, has saved the settings; a window that ends the program then never gets here.
        if (impl_->quitting)
            return;
        --listed;
        try {
            engine::rewriteAircraft(folder, mode, choice);
        } catch (const os::AppError& error) {
            reportError(error, text::get(text::Id::AppendError), nullptr);
            return;
        }
    }
    rescanCurrentMode();
}

} // namespace vantrel::form
