#include "form/frmVantrel.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No display name: the toolkit would add it to every window title, and the titles are the program's own.
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // The program itself decides when it ends (its Quit command); closing the last window must not end
    // the event loop behind its back.
    QApplication::setQuitOnLastWindowClosed(false);

    // The program takes no command-line arguments: whatever the command line holds changes nothing.
    vantrel::qt::MainWindow window;
    vantrel::form::frmVantrel form(window);
    window.setPresenter(&form);
    form.Form_Load();
    window.show();
    return app.exec();
}
