#include "text/Catalogue.h"

#include <array>
#include <cstddef>

namespace vantrel::text {

namespace {

struct Entry
{
    Id id;
    const char* text;
};

constexpr Entry kEnglish[] = {
    {Id::MainTitle, "Vantrel"},
    {Id::frmLeveler, " Autopilot Wing Leveler "},
    {Id::Option1, "Remove"},
    {Id::Option2, "Restore"},
    {Id::Option3, "Advanced"},
    {Id::frmDriveDialog, " Aircraft Directory: "},
    {Id::Label1, "Please Select  Flight Simulator's Aircraft Directory"},
    {Id::cmdYes, "Modify"},
    {Id::cmdAll, "All"},
    {Id::cmdNo, "Clear"},
    {Id::cmdQuit, "Quit"},
    {Id::Label4, "About"},
    {Id::TotalAircraft, "Total Aircraft: "},
    {Id::ListEnabled, "Aircraft with Wing Leveler Enabled: "},
    {Id::ListDisabled, "Aircraft with Wing Leveler Disabled: "},
    {Id::AllRemoved, "All Aircraft have WL Removed"},
    {Id::AllRestored, "All Aircraft have WL Restored"},
    {Id::SettingsNotSaved, "The settings could not be saved."},
    {Id::SelectionNotShown, "The list does not show the aircraft selected. Nothing was modified: please select the "
                            "aircraft again."},

    {Id::AdvancedTitle, "Advanced Options"},
    {Id::frmAdvanced, "Advanced Options:"},
    {Id::AdvancedLabel1, "Label1"},
    {Id::AdvancedInstruction, "Please select the default(s) you wish removed from Flight Simulator's Auto Pilot."},
    {Id::chkBank, "Remove Default Bank"},
    {Id::chkPitch, "Remove Default Pitch"},
    {Id::cmdDone, "Done"},
    {Id::NoOptionChosen, "You must select one or both options"},
    {Id::OptionsTitle, "Options"},

    {Id::AboutPrefix, "About "},
    {Id::VersionPrefix, "Version "},
    {Id::AboutDescription, "Vantrel\rAutopilot wing leveler switch\rfor FS2004 and FS2000\r\rMade by the Vantrel "
                           "team\r\rFree software for flight simulator pilots\rThanks to every tester"},
    {Id::cmdSysInfo, "&System Info..."},
    {Id::cmdOK, "OK"},
    {Id::SysInfoUnavailable, "System Information Is Unavailable At This Time"},

    {Id::ErrorPrefix, "Error "},
    {Id::LoadIniError, "Load ini Error"},
    {Id::DirectorySelectError, "Directory Select Error"},
    {Id::LoadListError, "LoadList Error"},
    {Id::AircraftCfgFileError, "Aircraft Cfg File Error"},
    {Id::AppendError, "Append Error"},
    {Id::StepOpening, "Opening "},
    {Id::StepLoadingAdvancedOptions, "Loading Advanced Options"},
    {Id::StepLoadingDriveDesignator, "Loading Drive Designator"},
    {Id::StepLoadingFlightSimPath, "Loading FlightSim Path"},
    {Id::StepCheckForWingLevelerCode, "Check for WingLeveler Code"},
    {Id::StepData, "Data= "},
    {Id::StepLoopThroughFolders, "Loop through Aircraft Directories"},
    {Id::StepSetPathTo, "Set path to "},
    {Id::StepCheck, "Check "},
    {Id::StepGetAircraftName, "Get Aircraft Name"},
    {Id::StepCheckForWingLeveler, "Check for Wing Leveler"},
    {Id::StepAddToList, "Add to Not Modified List"},

    {Id::ErrTypeMismatch, "Type mismatch"},
    {Id::ErrBadFileNameOrNumber, "Bad file name or number"},
    {Id::ErrFileNotFound, "File not found"},
    {Id::ErrBadFileMode, "Bad file mode"},
    {Id::ErrDeviceIO, "Device I/O error"},
    {Id::ErrDiskFull, "Disk full"},
    {Id::ErrInputPastEnd, "Input past end of file"},
    {Id::ErrDeviceUnavailable, "Device unavailable"},
    {Id::ErrPermissionDenied, "Permission denied"},
    {Id::ErrPathFileAccess, "Path/File access error"},
    {Id::ErrPathNotFound, "Path not found"},
    {Id::ErrApplicationDefined, "Application-defined or object-defined error"},
    {Id::ErrOutOfMemory, "Out of memory"},
    {Id::ErrInternal, "Internal error"},

    {Id::WidestCount, "99999"},
    {Id::None, ""},
};

constexpr std::size_t kCount = static_cast<std::size_t>(Id::None) + 1;

// Every id has its entry, in the order of the ids, so that a text can be found by its id alone.
constexpr bool inOrder()
{
    for (std::size_t i = 0; i < std::size(kEnglish); ++i)
        if (static_cast<std::size_t>(kEnglish[i].id) != i)
            return false;
    return std::size(kEnglish) == kCount;
}
static_assert(inOrder(), "the English table holds every id once, in the order of the ids");

const std::array<std::string, kCount>& english()
{
    static const std::array<std::string, kCount> table = [] {
        std::array<std::string, kCount> texts;
        for (std::size_t i = 0; i < kCount; ++i)
            texts[i] = kEnglish[i].text;
        return texts;
    }();
    return table;
}

} // namespace

const std::string& get(Id id)
{
    return english()[static_cast<std::size_t>(id)];
}

} // namespace vantrel::text
