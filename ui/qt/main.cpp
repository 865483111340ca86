#include "form/frmVantrel.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>

int main(int, char** argv)
{
    // The program takes no command-line arguments: whatever the command line holds changes nothing, so the
    // toolkit is given the program's name alone and finds none of its own options (-style, -platform, ...) there.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    // No display name: the toolkit would add it to every window title, and the titles are the program's own.
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // The program itself decides when it ends (its Quit command); closing the last window must not end
    // the event loop behind its back.
    QApplication::setQuitOnLastWindowClosed(false);

    vantrel::qt::MainWindow window;
    vantrel::form::frmVantrel form(window);
    window.setPresenter(&form);
    form.runEvent([&form] { form.Form_Load(); });
    window.show();
    return app.exec();
}
