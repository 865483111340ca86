// Writes the program's icon, as the program itself draws it, into the PNG files that the desktop
// install uses: <folder>/<size>x<size>/vantrel.png for every size of the hicolor theme we ship.
//   vantrel_icon_export data/icons
#include "ui/qt/ProgramIcon.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_icon_export FOLDER\n");
        return 2;
    }
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("%1x%1").arg(size);
        const QString file = root.filePath(sub + QStringLiteral("/vantrel.png"));
        if (!root.mkpath(sub) || !vantrel::programIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
