#pragma once

#include "layout/Layout.h"

// Window classes and control identifiers of the Win32 windows. The window test finds the windows by class
// and the controls by these numbers, as an accessibility tool would.
namespace vantrel::win32 {

constexpr const wchar_t* kMainClass = L"VantrelMain";
constexpr const wchar_t* kAdvancedClass = L"VantrelAdvanced";
constexpr const wchar_t* kAboutClass = L"VantrelAbout";

// A control's identifier: its window's base (IDs below 100 are Windows' own: IDOK, IDCANCEL) plus its place
// among the drawn rows of the window's table. The About dialog's OK button is Windows' IDOK, which Enter presses.
constexpr int controlId(const layout::Window& design, const char* name)
{
    if (layout::sameName(name, "cmdOK"))
        return 1; // IDOK
    int id = layout::sameName(design.name, "frmVantrel")    ? 100
             : layout::sameName(design.name, "frmAdvanced") ? 200
                                                            : 300;
    for (const layout::Control& row : design) {
        if (layout::sameName(row.name, name))
            return id;
        if (layout::isCreated(row))
            ++id;
    }
    throw "no such control";
}

// The identifiers that code and tests name.
constexpr int ID_Option1 = controlId(layout::kMain, "Option1");
constexpr int ID_Option2 = controlId(layout::kMain, "Option2");
constexpr int ID_Option3 = controlId(layout::kMain, "Option3");
constexpr int ID_List2 = controlId(layout::kMain, "List2");
constexpr int ID_Drive1 = controlId(layout::kMain, "Drive1");
constexpr int ID_Label2 = controlId(layout::kMain, "Label2");
constexpr int ID_Dir1 = controlId(layout::kMain, "Dir1");
constexpr int ID_Label3 = controlId(layout::kMain, "Label3");
constexpr int ID_Label1 = controlId(layout::kMain, "Label1");
constexpr int ID_cmdYes = controlId(layout::kMain, "cmdYes");
constexpr int ID_cmdAll = controlId(layout::kMain, "cmdAll");
constexpr int ID_cmdNo = controlId(layout::kMain, "cmdNo");
constexpr int ID_cmdQuit = controlId(layout::kMain, "cmdQuit");
constexpr int ID_Label4 = controlId(layout::kMain, "Label4");

constexpr int ID_AdvancedLabel1 = controlId(layout::kAdvanced, "Label1");
constexpr int ID_chkBank = controlId(layout::kAdvanced, "chkBank");
constexpr int ID_chkPitch = controlId(layout::kAdvanced, "chkPitch");
constexpr int ID_cmdDone = controlId(layout::kAdvanced, "cmdDone");

constexpr int ID_lblTitle = controlId(layout::kAbout, "lblTitle");
constexpr int ID_lblVersion = controlId(layout::kAbout, "lblVersion");
constexpr int ID_cmdSysInfo = controlId(layout::kAbout, "cmdSysInfo");

// Resources.
constexpr int IDI_VANTREL = 1;

} // namespace vantrel::win32
