#pragma once

#include <string>

// Every fixed text the program shows: captions of the windows and their controls, window titles, messages,
// error reports and the descriptions of the error numbers. English only; another language would be one more
// table like kEnglish. This module includes nothing of the program, so that every layer may use it.
namespace vantrel::text {

enum class Id : int {
    // Main window
    MainTitle,
    frmLeveler,
    Option1,
    Option2,
    Option3,
    frmDriveDialog,
    Label1,
    cmdYes,
    cmdAll,
    cmdNo,
    cmdQuit,
    Label4,
    TotalAircraft,    // followed by a count
    ListEnabled,      // followed by a count
    ListDisabled,     // followed by a count
    AllRemoved,       // the single entry of an empty Remove list
    AllRestored,      // the single entry of an empty Restore list
    SettingsNotSaved, // followed by a carriage return and the error report
    SelectionNotShown, // Modify refused: the list shows another selection than the program holds
    // Advanced dialog
    AdvancedTitle,
    frmAdvanced,
    AdvancedLabel1, // the label's design text, shown until start-up sets the instruction
    AdvancedInstruction,
    chkBank,
    chkPitch,
    cmdDone,
    NoOptionChosen,
    OptionsTitle,
    // About dialog
    AboutPrefix, // followed by the program's title
    VersionPrefix,
    AboutDescription,
    cmdSysInfo,
    cmdOK,
    SysInfoUnavailable,
    // Error reports: "Error <number> <description>", the trap's title, the step under way
    ErrorPrefix,
    LoadIniError,
    DirectorySelectError,
    LoadListError,
    AircraftCfgFileError,
    AppendError,
    StepOpening, // followed by a path
    StepLoadingAdvancedOptions,
    StepLoadingDriveDesignator,
    StepLoadingFlightSimPath,
    StepCheckForWingLevelerCode,
    StepData, // followed by the line
    StepLoopThroughFolders,
    StepSetPathTo, // followed by a folder
    StepCheck,     // followed by a file name
    StepGetAircraftName,
    StepCheckForWingLeveler,
    StepAddToList,
    // Descriptions of the error numbers
    ErrTypeMismatch,
    ErrBadFileNameOrNumber,
    ErrFileNotFound,
    ErrBadFileMode,
    ErrDeviceIO,
    ErrDiskFull,
    ErrInputPastEnd,
    ErrDeviceUnavailable,
    ErrPermissionDenied,
    ErrPathFileAccess,
    ErrPathNotFound,
    ErrApplicationDefined,
    ErrOutOfMemory,
    ErrInternal,
    // Font fitting: the widest count a list title is made to hold
    WidestCount,

    None, // no caption
};

// The English text of each id, in the order of the ids (a new text is its id above and its row here).
struct Entry
{
    Id id;
    const char* text;
};

inline constexpr Entry kEnglish[] = {
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

// The text of `id` (empty for Id::None).
const std::string& get(Id id);

} // namespace vantrel::text
