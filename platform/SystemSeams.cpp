#include "platform/SystemSeams.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace vantrel {

namespace {
int g_beeps = 0;
bool g_silent = false;
int g_endCalls = 0;
std::function<void()>& endHandler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void Beep::sound()
{
    ++g_beeps;
    if (!g_silent)
        QApplication::beep();
}

int Beep::count()
{
    return g_beeps;
}

void Beep::setSilent(bool silent)
{
    g_silent = silent;
}

void BusyPointer::setBusy(QWidget* window, bool busy)
{
    if (busy) {
        window->setCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        window->unsetCursor();
    }
}

void ProgramEnd::end()
{
    ++g_endCalls;
    if (endHandler()) {
        endHandler()();
        return;
    }
    // Nothing may run after Quit: no close events, no further handlers. Files are closed by their
    // owners before this point, so a plain process exit loses nothing.
    std::fflush(nullptr);
    std::_Exit(0);
}

void ProgramEnd::setHandler(std::function<void()> handler)
{
    endHandler() = std::move(handler);
}

int ProgramEnd::calls()
{
    return g_endCalls;
}

} // namespace vantrel
