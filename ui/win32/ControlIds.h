#pragma once

// Window classes and control identifiers of the Win32 windows. The window test finds the windows by class
// and the controls by these numbers, as an accessibility tool would.
namespace vantrel::win32 {

constexpr const wchar_t* kMainClass = L"VantrelMain";
constexpr const wchar_t* kAdvancedClass = L"VantrelAdvanced";
constexpr const wchar_t* kAboutClass = L"VantrelAbout";

// Main window (IDs below 100 are Windows' own: IDOK, IDCANCEL).
enum MainControl : int {
    ID_frmLeveler = 100,
    ID_Option1,
    ID_Option2,
    ID_Option3,
    ID_List2,
    ID_frmDriveDialog,
    ID_Drive1,
    ID_Label2,
    ID_Dir1,
    ID_Label3,
    ID_Label1,
    ID_cmdYes,
    ID_cmdAll,
    ID_cmdNo,
    ID_cmdQuit,
    ID_Label4,
};

// Advanced dialog.
enum AdvancedControl : int {
    ID_frmAdvanced = 200,
    ID_AdvancedLabel1,
    ID_chkBank,
    ID_chkPitch,
    ID_cmdDone,
};

// About dialog (its OK button is IDOK).
enum AboutControl : int {
    ID_Picture1 = 300,
    ID_lblTitle,
    ID_lblVersion,
    ID_lblDescription,
    ID_cmdSysInfo,
};

// Resources.
constexpr int IDI_VANTREL = 1;

} // namespace vantrel::win32
