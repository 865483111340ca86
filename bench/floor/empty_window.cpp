// The start-up floor: a bare Qt program that shows one empty window and ends once it is painted. Vantrel's
// start-up to its first painted window is measured against this (see scripts/bench).

#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    vantrel::bench::EndAtFirstPaint end(window);
    window.show();
    return QApplication::exec();
}
