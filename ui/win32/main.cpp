#include "Win32.h"

#include "Dpi.h"
#include "MainWindow.h"
#include "Window.h"

#include "form/frmVantrel.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    vantrel::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    vantrel::win32::MainWindow window;
    vantrel::form::frmVantrel form(window);
    window.setPresenter(&form);
    // The window answers its messages before the start-up's scan begins, as it does throughout the scan.
    vantrel::win32::work::pump();
    form.runEvent([&form] { form.Form_Load(); });
    return window.run(show);
}
