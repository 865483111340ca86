// A child process for the reliability tests: the program's main window logic with a console for a window,
// doing what a user does.
//   vantrel_reliability_driver <folder> remove|restore
// Starts in <folder>, whose Vantrel.ini points at an installation; start-up lists its aircraft, "Restore" is
// chosen when asked, then "All" and "Modify" run. It reports on stdout, one line each, flushed at once so
// that a test killing it knows how far it got:
//   entry <name>         the list before Modify
//   modify               Modify begins
//   box <title>|<text>   every message box, when it is shown (a carriage return in the text shown as \r)
//   after <name>         the list after Modify
//   done                 Modify is over
#include "form/frmVantrel.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <system_error>

namespace {

void say(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A window that draws nothing and answers every box at once.
class ConsoleView : public vantrel::form::View
{
public:
    void render(const vantrel::form::WindowState& state) override
    {
        highlight_.clear();
        for (std::size_t i = 0; i < state.list2.size(); ++i)
            if (state.list2[i].selected)
                highlight_.push_back(static_cast<int>(i));
    }
    void showMessage(const std::string& text, vantrel::form::MessageIcon, const std::string& title) override
    {
        std::string shown;
        for (const char c : text)
            shown += c == '\r' ? std::string("\\r") : std::string(1, c);
        say("box " + title + "|" + shown);
    }
    void beep() override {}
    void setBusy(bool) override {}
    void showAdvanced() override {}
    void hideAdvanced() override {}
    void showAbout() override {}
    void refresh() override {}
    void endProgram() override {}
    std::vector<int> shownSelection() const override { return highlight_; }
    void setWorking(bool) override {}
    void stayResponsive(const vantrel::form::WindowState&) override {}

private:
    std::vector<int> highlight_;
};

void sayList(const vantrel::form::frmVantrel& form, const char* tag)
{
    for (const vantrel::form::ListEntry& entry : form.state().list2)
        say(std::string(tag) + ' ' + entry.text);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[2], "remove") != 0 && std::strcmp(argv[2], "restore") != 0)) {
        std::fprintf(stderr, "usage: vantrel_reliability_driver <folder> remove|restore\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::current_path(argv[1], error);
    if (error) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return 2;
    }

    ConsoleView view;
    vantrel::form::frmVantrel form(view);
    form.Form_Load();
    if (std::strcmp(argv[2], "restore") == 0)
        form.chooseOption(2);
    form.cmdAll_Click();
    sayList(form, "entry");
    say("modify");
    form.cmdYes_Click();
    sayList(form, "after");
    say("done");
    // Leaving runs Quit, which saves the settings as the program does when the user quits.
    return 0;
}
