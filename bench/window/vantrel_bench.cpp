// Drives the real main window (the Qt window over the program) headless and times one of its user-visible
// operations on a generated installation: opening the aircraft folder (which runs the Remove scan), "All", Modify,
// and the two cases of one 200 MB aircraft; or the start-up up to the first painted window. One operation per process,
// so that every figure starts from the same state; scripts/bench repeats the runs and takes the median.
//
// Mode startup prints nothing: the process ends right after its first paint, and its figure is the wall time of the
// whole process, taken by the caller.
// Output of the other modes, one "key=value" per line so that scripts can read it:
//   mode, seconds (wall time of the operation), listed (List2 entries afterwards), rewritten (Modify only),
//   rss_before_kib (resident memory just before the operation), peak_kib (highest resident memory during the
//   operation; peak_scope=process when the kernel could not restart the mark, and it then includes the set-up).
// Linux only: the memory figures come from /proc/self.

#include "FirstPaint.h"
#include "browse/FolderModel.h"
#include "form/frmVantrel.h"
#include "os/Paths.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: vantrel_bench MODE AIRCRAFT_FOLDER\n"
    "MODE is one of:\n"
    "  scan          open AIRCRAFT_FOLDER in the folder list (the navigation with its Remove scan)\n"
    "  all           open it untimed, then time \"All\"\n"
    "  modify        open it and press \"All\" untimed, then time \"Modify\" (rewrites every listed aircraft!)\n"
    "  classify-big  same as scan; meant for an installation whose one aircraft.cfg is 200 MB\n"
    "  modify-big    same as modify; meant for that installation\n"
    "  startup       start the program on AIRCRAFT_FOLDER (as saved by Quit there) and end at its first paint;\n"
    "                meant for an installation without aircraft\n"
    "The window runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise. Its settings file is\n"
    "written to a temporary folder that is removed at the end.\n";

// The real window, except that message boxes are remembered instead of shown, the beep is silent and the end
// of the program (Quit runs when the program goes away) leaves the process to print its figures.
class BenchWindow : public vantrel::qt::MainWindow
{
public:
    void showMessage(const std::string& text, vantrel::form::MessageIcon, const std::string& title) override
    {
        messages.push_back(title + ": " + text);
    }
    void beep() override {}
    void endProgram() override {}

    std::vector<std::string> messages;
};

// One line of /proc/self/status in KiB, or -1 when it cannot be read.
long statusKib(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

// Starts the high-water mark afresh at the current resident size, so that the peak of the operation alone can be
// read afterwards. Returns false on kernels that do not offer it.
bool resetPeak()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return bool(clearRefs);
}

double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int selectedCount(QListWidget* list)
{
    return list->selectionModel() ? static_cast<int>(list->selectionModel()->selectedRows().size()) : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string mode = argv[1];
    const bool isScan = mode == "scan" || mode == "classify-big";
    const bool isAll = mode == "all";
    const bool isModify = mode == "modify" || mode == "modify-big";
    const bool isStartup = mode == "startup";
    if (!isScan && !isAll && !isModify && !isStartup) {
        std::fprintf(stderr, "vantrel_bench: unknown mode \"%s\"\n%s", mode.c_str(), kUsage);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const QString aircraftFolder = QDir::toNativeSeparators(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    if (!QDir(aircraftFolder).exists()) {
        std::fprintf(stderr, "vantrel_bench: no folder %s\n", argv[2]);
        return 2;
    }

    // The window reads and writes Vantrel.ini in the current folder; the user's own must stay out of it. The
    // settings made here start the program on the simulator folder, one double-click above the aircraft.
    QTemporaryDir current;
    if (!current.isValid() || !QDir::setCurrent(current.path())) {
        std::fprintf(stderr, "vantrel_bench: cannot make a temporary current folder\n");
        return 1;
    }
    // The start-up opens the aircraft folder itself, as a Quit there leaves it for the next start.
    const QString simulatorFolder = QDir::toNativeSeparators(QFileInfo(aircraftFolder).absolutePath());
    const QString startFolder = isStartup ? aircraftFolder : simulatorFolder;
    QFile settings(QStringLiteral("Vantrel.ini"));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write((QStringLiteral("3\r\n/\r\n") + startFolder + QStringLiteral("\r\n")).toLocal8Bit()) < 0) {
        std::fprintf(stderr, "vantrel_bench: cannot write the settings file\n");
        return 1;
    }
    settings.close();

    BenchWindow window;
    auto form = std::make_unique<vantrel::form::frmVantrel>(window);
    window.setPresenter(form.get());
    if (isStartup) {
        // As the program's own main does, then the event loop until the first paint ends the process.
        vantrel::bench::EndAtFirstPaint end(window, [&current] { current.remove(); });
        form->Form_Load();
        window.show();
        QApplication::exec();
        std::fprintf(stderr, "vantrel_bench: the window was never painted\n");
        return 1;
    }
    form->Form_Load();
    window.show();
    QApplication::processEvents();

    auto* list2 = window.findChild<QListWidget*>(QStringLiteral("List2"));
    int aircraftEntry = -1;
    const auto& entries = form->state().Dir1->entries();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        if (vantrel::os::samePath(entries[i].path, aircraftFolder.toStdString()))
            aircraftEntry = i;
    }
    if (list2 == nullptr || aircraftEntry < 0) {
        std::fprintf(stderr, "vantrel_bench: %s is not listed below %s\n", qPrintable(aircraftFolder),
                     qPrintable(simulatorFolder));
        return 1;
    }
    // The repaint that the user waits for belongs to the operation, so the events it posted run inside the timing.
    const auto open = [&] {
        form->Dir1_Open(aircraftEntry);
        QApplication::processEvents();
    };

    if (!isScan) {
        open();
        if (isModify) {
            form->cmdAll_Click();
            QApplication::processEvents();
        }
    }
    const int selectedBefore = selectedCount(list2);

    const long rssBefore = statusKib("VmRSS");
    const bool peakReset = resetPeak();
    double seconds = 0.0;
    if (isScan) {
        seconds = secondsOf(open);
    } else if (isAll) {
        seconds = secondsOf([&] {
            form->cmdAll_Click();
            QApplication::processEvents();
        });
    } else {
        seconds = secondsOf([&] {
            form->cmdYes_Click();
            QApplication::processEvents();
        });
    }
    const long peak = statusKib("VmHWM");
    const int listed = list2->count();

    form.reset();

    std::printf("mode=%s\n", mode.c_str());
    std::printf("seconds=%.6f\n", seconds);
    std::printf("listed=%d\n", listed);
    if (isModify)
        std::printf("rewritten=%d\n", selectedBefore);
    std::printf("rss_before_kib=%ld\n", rssBefore);
    std::printf("peak_kib=%ld\n", peak);
    // Without the reset the high-water mark also holds the set-up, so it can only overstate the operation's peak.
    std::printf("peak_scope=%s\n", peakReset ? "operation" : "process");

    // A message box means an operation failed part-way, and its time would mean nothing.
    for (const std::string& message : window.messages)
        std::fprintf(stderr, "vantrel_bench: message box %s\n", message.c_str());
    if (!window.messages.empty())
        return 1;
    if (listed == 0 || (isModify && selectedBefore == 0)) {
        std::fprintf(stderr, "vantrel_bench: nothing was listed in %s\n", qPrintable(aircraftFolder));
        return 1;
    }
    return 0;
}
