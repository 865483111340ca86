#pragma once

#include "form/View.h"

#include <cstddef>
#include <string>
#include <utility>

namespace vantrel::form {

class frmVantrel;

// The ways a person acts on a control, as a window reports them to the program.
enum class Event {
    Click,      // a command button pressed, the link clicked
    Choose,     // an option button clicked
    Tick,       // a check box clicked: `index` 1 ticked, 0 not
    Select,     // an entry of the drive list picked: `index`
    DropDown,   // the drive list is about to drop down
    Open,       // an entry of the folder list opened (double-click or Enter): `index`
    Toggle,     // an entry of the selection list clicked: `index`
    SetCurrent, // the selection list's current entry moved by the list itself: `index`
    Move,       // a key moved the selection list's current entry: `move`, `pageRows`
    TypeLetter, // a letter typed in the selection list: `letter`
};

// What an event carries besides its kind.
struct EventInput
{
    int index = -1; // the entry (Select, Open, Toggle, SetCurrent) or the box's value (Tick)
    ListMove move = ListMove::Down;
    int pageRows = 0; // how many entries the list shows whole
    std::string letter;

    static EventInput of(int index)
    {
        EventInput input;
        input.index = index;
        return input;
    }
    static EventInput of(ListMove move, int pageRows)
    {
        EventInput input;
        input.move = move;
        input.pageRows = pageRows;
        return input;
    }
    static EventInput of(std::string letter)
    {
        EventInput input;
        input.letter = std::move(letter);
        return input;
    }
};

// A handler of the program: one of frmVantrel's event methods, or a function of the presenter's own that takes the
// presenter (the option buttons' handlers).
class Handler
{
public:
    constexpr Handler(void (frmVantrel::*plain)()) : plain_(plain) {}
    constexpr Handler(void (frmVantrel::*indexed)(int)) : indexed_(indexed) {}
    constexpr Handler(void (frmVantrel::*move)(ListMove, int)) : move_(move) {}
    constexpr Handler(void (frmVantrel::*letter)(const std::string&)) : letter_(letter) {}
    constexpr Handler(void (*own)(frmVantrel&)) : own_(own) {}

    // Runs the handler with what the event carries.
    void operator()(frmVantrel& form, const EventInput& input) const;

private:
    void (frmVantrel::*plain_)() = nullptr;
    void (frmVantrel::*indexed_)(int) = nullptr;
    void (frmVantrel::*move_)(ListMove, int) = nullptr;
    void (frmVantrel::*letter_)(const std::string&) = nullptr;
    void (*own_)(frmVantrel&) = nullptr;
};

// One connection: event `event` of the control `control` (its design name) of the window `window` (the design name
// of its layout table) runs `handler`.
struct Wire
{
    const char* window;
    const char* control;
    Event event;
    Handler handler;
};

// The wiring table (frmVantrel::wiring()): both windows connect their controls by one loop over it, as they build
// them by one loop over the layout table.
struct Wiring
{
    const Wire* first;
    std::size_t count;

    const Wire* begin() const { return first; }
    const Wire* end() const { return first + count; }
};

// The connection of `event` of control `control` in window `window`; nullptr when that event runs no handler.
const Wire* findWire(const char* window, const char* control, Event event);

} // namespace vantrel::form
