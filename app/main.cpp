#include "app/frmVantrel.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // The window itself decides when the program ends (its Quit command); closing the last window
    // must not end the event loop behind its back.
    QApplication::setQuitOnLastWindowClosed(false);

    // The program takes no command-line arguments: whatever the command line holds changes nothing.
    vantrel::frmVantrel window;
    window.Form_Load();
    if (!window.isVisible())
        window.show();
    return app.exec();
}
