#pragma once

#include <string>

// Every fixed text the program shows: captions of the windows and their controls, window titles, messages,
// error reports and the descriptions of the error numbers. English only; another language would be one more
// table in Catalogue.cpp. This module includes nothing of the program, so that every layer may use it.
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

// The text of `id` (empty for Id::None).
const std::string& get(Id id);

} // namespace vantrel::text
