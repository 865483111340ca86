// vantrel.exe as it ships, but for one thing a test can ask of it, for the tests of the event guard only (never
// shipped): while a file named "fail-next-render" stands in the folder it was started in, its window's next drawing
// fails as nothing in the program expects, and the file goes. The failure arises where the program draws at the end
// of an event's handling, so it reaches the window's message procedure as any unexpected failure of a click would.
#include "Win32.h"

#include "Dpi.h"
#include "MainWindow.h"

#include "form/frmVantrel.h"

#include <stdexcept>

namespace {

class FailingDrawWindow final : public vantrel::win32::MainWindow
{
public:
    void render(const vantrel::form::WindowState& state) override
    {
        if (DeleteFileW(L"fail-next-render"))
            throw std::runtime_error("the window could not draw");
        MainWindow::render(state);
    }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    vantrel::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    FailingDrawWindow window;
    vantrel::form::frmVantrel form(window);
    window.setPresenter(&form);
    form.runEvent([&form] { form.Form_Load(); });
    return window.run(show);
}
