// A child process for the reliability tests: the real main window, headless, doing what a user does.
//   vantrel_reliability_driver <folder> remove|restore
// Starts in <folder>, whose Vantrel.ini points at an installation; start-up lists its aircraft, "Restore" is
// chosen when asked, then "All" and "Modify" run. It reports on stdout, one line each, flushed at once so
// that a test killing it knows how far it got:
//   entry <name>         the list before Modify
//   modify               Modify begins
//   box <title>|<text>   every message box (a carriage return in the text shown as \r)
//   after <name>         the list after Modify
//   done                 Modify is over
#include "app/frmVantrel.h"
#include "platform/MessageBox.h"
#include "platform/SystemSeams.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QRadioButton>

#include <cstdio>
#include <cstring>

namespace {

void say(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void sayList(vantrel::frmVantrel& window, const char* tag)
{
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List2"));
    for (int i = 0; list && i < list->count(); ++i)
        say(QString::fromLatin1(tag) + QLatin1Char(' ') + list->item(i)->text());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[2], "remove") != 0 && std::strcmp(argv[2], "restore") != 0)) {
        std::fprintf(stderr, "usage: vantrel_reliability_driver <folder> remove|restore\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return 2;
    }
    vantrel::MessageBox::startRecording();
    vantrel::Beep::setSilent(true);
    vantrel::ProgramEnd::setHandler([] {});

    vantrel::frmVantrel window;
    window.Form_Load();
    if (std::strcmp(argv[2], "restore") == 0)
        window.findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
    window.cmdAll_Click();
    sayList(window, "entry");
    say(QStringLiteral("modify"));
    window.cmdYes_Click();
    for (const auto& record : vantrel::MessageBox::records()) {
        QString text = record.text;
        text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
        say(QStringLiteral("box ") + record.title + QLatin1Char('|') + text);
    }
    sayList(window, "after");
    say(QStringLiteral("done"));
    return 0;
}
