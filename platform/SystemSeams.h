#pragma once

#include <functional>

class QWidget;

namespace vantrel {

// The system beep. Tests count beeps instead of hearing them.
class Beep
{
public:
    static void sound();
    static int count();
    static void setSilent(bool silent);
};

// The busy (hourglass) pointer of a window, set around long work on the user-interface thread.
class BusyPointer
{
public:
    static void setBusy(QWidget* window, bool busy);
};

// Ends the program at once. Tests install a handler so that the Quit command can run in-process.
class ProgramEnd
{
public:
    static void end();
    static void setHandler(std::function<void()> handler);
    static int calls();
};

} // namespace vantrel
