#pragma once

#include "text/Catalogue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::browse {
class DriveModel;
class FolderModel;
} // namespace vantrel::browse

namespace vantrel::form {

enum class MessageIcon { None, Warning, Information };

// A key that moves the selection list's current entry.
enum class ListMove { Up, Down, PageUp, PageDown, Home, End };

// One entry of the selection list as the window shows it.
struct ListEntry
{
    std::string text; // the aircraft's name, or the message entry ("All Aircraft have WL ...")
    bool selected = false;
};

// Everything the main window and the Advanced dialog show, as the program has decided it. A window draws
// it and decides nothing itself. The revisions tell a window which of the long lists changed since it
// last drew them, so that it refills a list (and loses its scroll position) only when it must.
struct WindowState
{
    // Option buttons of the "Autopilot Wing Leveler" frame: which one is chosen, numbered from 1 in the order of
    // the layout table ("Remove", "Restore", "Advanced"; 0 none), and whether "Advanced" can be chosen.
    int option = 1;
    bool option3Enabled = false;

    // Drive and folder lists (never null once the program runs).
    const browse::DriveModel* Drive1 = nullptr;
    const browse::FolderModel* Dir1 = nullptr;

    // Label2 "Total Aircraft: n", Label3 the list's title and count, Label1 the blue request to choose
    // the aircraft folder.
    std::string label2;
    bool label2Visible = true;
    std::string label3;
    bool label3Visible = false;
    bool label1Visible = true;

    // The selection list.
    bool list2Visible = false;
    std::vector<ListEntry> list2;
    int list2Current = -1;               // the entry that has the focus, -1 for none
    std::uint64_t list2Revision = 0;     // bumps whenever an entry is added or the entries are cleared
    std::uint64_t selectionRevision = 0; // bumps whenever a selected flag or the current entry changes

    // Command buttons below the list ("Quit" is always shown).
    bool cmdYesVisible = false; // "Modify"
    bool cmdAllVisible = false; // "All"
    bool cmdNoVisible = false;  // "Clear"

    // The Advanced dialog: its two boxes (0 not ticked, 1 ticked) and its instruction.
    int chkBank = 1;
    int chkPitch = 1;
    std::string advancedLabel = text::get(text::Id::AdvancedLabel1);
};

// What the program asks of a window. Every call runs on the window's own thread and returns when done;
// the modal ones run a nested event loop until their dialog goes away.
//
// The render rule. The program renders once, at the end of each event handler (each public event method of
// frmVantrel), so a window forwards an event and never renders after it. A handler that runs inside another one
// (the mode chosen again by the Advanced dialog's Done, the list's click handler run by a scan, a navigation run
// by start-up) renders nothing: the outer one renders when it ends, so no half-updated state is drawn. Before a
// modal dialog or message box shows, the program renders, so that the window under it is current; the events of
// the dialog's own event loop are handlers of their own and render at their end. Once Quit has begun, nothing is
// rendered.
//
// The selection rule. The selection list never changes its highlight or its current entry by itself: every input
// that could (a click with or without Ctrl or Shift, a double-click, a drag, Space, a letter, the arrows, Home, End,
// Page Up and Down, the wheel) is handed to the program as an event (List2_Toggle, List2_Move, List2_TypeLetter,
// List2_SetCurrent), or does nothing, and the list shows only what the program rendered. Before Modify touches a
// file, the program reads the highlight back from the window (shownSelection) and modifies nothing unless it is the
// selection the program holds.
//
// The work rule. While a handler works (between setWorking(true) and setWorking(false)), the clicks and key presses
// that reach the window are dropped, never handled later: the user acted on a window that was not ready. Releases
// of buttons and keys are not input of their own and go through. Long work calls stayResponsive() at least every
// tenth of a second, between aircraft (never while one is being rewritten), so that the window repaints, shows the
// busy pointer and handles its messages; a request to close the window or the end of the session that arrives then
// runs Quit there, after the aircraft in progress.
class View
{
public:
    virtual ~View() = default;

    // Draw the state (the main window and, while it is shown, the Advanced dialog).
    virtual void render(const WindowState& state) = 0;
    // A modal message box with an OK button; a carriage return in `text` starts a new line. `title` is the
    // box's whole title, exactly as given.
    virtual void showMessage(const std::string& text, MessageIcon icon, const std::string& title) = 0;
    virtual void beep() = 0;
    // The main window's busy (hourglass) pointer on or off.
    virtual void setBusy(bool busy) = 0;
    // Shows the Advanced dialog modally with the state's boxes and instruction; returns once hideAdvanced()
    // has been called (from a call into the program made by the dialog: frmVantrel::cmdDone_Click()).
    virtual void showAdvanced() = 0;
    virtual void hideAdvanced() = 0;
    // Shows a freshly made About dialog modally; returns when it is closed.
    virtual void showAbout() = 0;
    // Repaint the main window at once.
    virtual void refresh() = 0;
    // Ends the program at once; nothing of the window runs after this.
    virtual void endProgram() = 0;

    // The entries of the selection list that the window shows highlighted, read back from its control, in
    // increasing order.
    virtual std::vector<int> shownSelection() const = 0;
    // A handler begins (true) or ends (false) its work; the window drops the input made meanwhile.
    virtual void setWorking(bool working) = 0;
    // Long work goes on: the window draws the state's labels (the list's title counts the aircraft listed or
    // still to modify; the lists themselves are drawn when the work ends), shows the busy pointer, and handles
    // its messages, dropping the user's input.
    virtual void stayResponsive(const WindowState& state) = 0;
};

} // namespace vantrel::form
