#pragma once

// Seeded random sequences of a user's input on the real window (clicks, drags, keys, the wheel, the
// commands), shared by the Qt and the Win32 window's tests. A driver sends the input as X events and reads back
// what the window shows; the session keeps a model of what the selection list must highlight and which files
// Modify must change, and compares after every step.
#include "support/AircraftCfg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::test {

// The seed of this run: VANTREL_SEED when set (to replay a failure), otherwise taken from the clock, so that every
// run tries other sequences. Printed either way.
inline std::uint32_t randomSeed()
{
    if (const char* given = std::getenv("VANTREL_SEED"); given != nullptr && *given != '\0')
        return static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1000000000);
}

// The number of random steps: VANTREL_STEPS when set, else `standard`.
inline int randomSteps(int standard)
{
    if (const char* given = std::getenv("VANTREL_STEPS"); given != nullptr && *given != '\0')
        return std::max(1, std::atoi(given));
    return standard;
}

inline std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void putFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// What the selection list must highlight: its rows, the selected ones and the current one.
class ListModel
{
public:
    void rebuild(std::vector<std::string> rows, bool all)
    {
        rows_ = std::move(rows);
        selected_.assign(rows_.size(), all);
        current_ = rows_.empty() ? -1 : 0;
    }
    // A click (with or without Ctrl or Shift) on a row, or the press that starts a drag.
    void click(int row)
    {
        selected_[static_cast<std::size_t>(row)] = !selected_[static_cast<std::size_t>(row)];
        current_ = row;
    }
    void space()
    {
        if (current_ >= 0)
            selected_[static_cast<std::size_t>(current_)] = !selected_[static_cast<std::size_t>(current_)];
    }
    void moveBy(int rows)
    {
        if (!rows_.empty())
            current_ = std::clamp(current_ + rows, 0, static_cast<int>(rows_.size()) - 1);
    }
    void moveTo(int row)
    {
        if (!rows_.empty())
            current_ = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
    }
    // Page Up (-1) or Page Down (+1) with `visible` rows wholly in view.
    void page(int direction, int visible) { moveBy(direction * std::max(1, visible - 1)); }
    // The next row after the current one, round the end, whose name starts with `letter` in either case.
    void letter(char letter)
    {
        const int count = static_cast<int>(rows_.size());
        for (int step = 1; step <= count; ++step) {
            const int row = ((current_ < 0 ? -1 : current_) + step) % count;
            const std::string& name = rows_[static_cast<std::size_t>(row)];
            if (!name.empty() && lowerAscii(name[0]) == lowerAscii(letter)) {
                current_ = row;
                return;
            }
        }
    }

    const std::vector<std::string>& rows() const { return rows_; }
    const std::vector<bool>& selected() const { return selected_; }
    int current() const { return current_; }
    bool anySelected() const { return std::find(selected_.begin(), selected_.end(), true) != selected_.end(); }

private:
    std::vector<std::string> rows_;
    std::vector<bool> selected_;
    int current_ = -1;
};

// The aircraft of an FS2004 installation and the bytes each aircraft.cfg and aircraftcfg.bak must hold.
class Fleet
{
public:
    static constexpr const char* kLines = "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n";

    // `count` aircraft with names starting with a few letters in either case, about a third of them with the
    // wing leveler switched off already, in `aircraftFolder`.
    void create(const std::filesystem::path& aircraftFolder, int count, std::mt19937& random)
    {
        folder_ = aircraftFolder;
        const std::string letters = "abcdkmst";
        for (int i = 0; i < count; ++i) {
            std::string name(1, letters[random() % letters.size()]);
            if (random() % 2 == 0)
                name[0] = static_cast<char>(name[0] - 'a' + 'A');
            for (int k = 0; k < 4; ++k)
                name += static_cast<char>('a' + random() % 26);
            name += " " + std::to_string(100 + i);
            Aircraft aircraft;
            aircraft.base = aircraftCfg(name);
            aircraft.disabled = random() % 3 == 0;
            aircraft_[name] = aircraft;
            putFile(cfgOf(name), expected(aircraft));
        }
    }

    // The names listed in mode 1 (Remove: wing leveler enabled) or 2 (Restore: switched off).
    std::set<std::string> listed(int mode) const
    {
        std::set<std::string> names;
        for (const auto& [name, aircraft] : aircraft_)
            if (aircraft.disabled == (mode == 2))
                names.insert(name);
        return names;
    }

    // Modify in `mode` on `names`: the wing leveler switched off (bank and pitch) or on; the first change keeps
    // the file as it was as the backup.
    void modify(int mode, const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            Aircraft& aircraft = aircraft_.at(name);
            if (!aircraft.backup)
                aircraft.backup = expected(aircraft);
            aircraft.disabled = mode == 1;
        }
    }

    // What differs on disk from the model, or nothing.
    std::string differences() const
    {
        std::string found;
        for (const auto& [name, aircraft] : aircraft_) {
            if (fileBytes(cfgOf(name)) != expected(aircraft))
                found += "  " + name + "/aircraft.cfg is not as expected (wing leveler " +
                         (aircraft.disabled ? "off" : "on") + ")\n";
            const std::filesystem::path backup = folder_ / name / "aircraftcfg.bak";
            if (std::filesystem::exists(backup) != aircraft.backup.has_value())
                found += "  " + name + "/aircraftcfg.bak " + (aircraft.backup ? "missing" : "made") + "\n";
            else if (aircraft.backup && fileBytes(backup) != *aircraft.backup)
                found += "  " + name + "/aircraftcfg.bak is not the file as it was\n";
        }
        return found;
    }

    std::filesystem::path cfgOf(const std::string& name) const { return folder_ / name / "aircraft.cfg"; }

private:
    struct Aircraft
    {
        std::string base; // without wing-leveler lines
        bool disabled = false;
        std::optional<std::string> backup;
    };
    static std::string expected(const Aircraft& aircraft)
    {
        return aircraft.disabled ? withInserted(aircraft.base, kLines) : aircraft.base;
    }

    std::filesystem::path folder_;
    std::map<std::string, Aircraft> aircraft_;
};

// The window under test, as the random session sees it: what it shows, and the user's hands on it. Rows are
// counted from 0 in the selection list; every input is real X input, finished at the X server when the call
// returns (the window may still be handling it).
class ListWindow
{
public:
    enum class Focus { List, Remove, Restore, Other };
    enum class Command { All, Clear, Modify, Remove, Restore };

    virtual ~ListWindow() = default;

    // What the window shows.
    virtual std::vector<std::string> rows() = 0;
    virtual std::vector<bool> highlighted() = 0;
    virtual int current() = 0;
    virtual int mode() = 0; // the option button chosen: 1 Remove, 2 Restore
    virtual bool shown(Command command) = 0;
    virtual Focus focus() = 0;
    virtual int topRow() = 0;      // the first row in view
    virtual int rowsVisible() = 0; // rows wholly in view: the list's inner height over a row's height

    // Input. `modifiers`: "" or an xdotool key name held during the click ("ctrl", "shift").
    virtual void clickRow(int row, const std::string& modifiers) = 0;
    virtual void doubleClickRow(int row) = 0;
    virtual void drag(int from, int to) = 0;
    virtual void key(const std::string& keys) = 0; // to the control that has the focus
    virtual void wheel(bool down) = 0;
    virtual void click(Command command) = 0;

    // Lets the window run until `done` holds or `ms` milliseconds have passed; returns `done()`.
    virtual bool waitFor(const std::function<bool()>& done, int ms) = 0;
};

// Runs `steps` random steps with `seed` on `window`, over `fleet`, starting in mode Remove. Fails the test at the
// first difference from the model, naming the seed, the step and the steps before it.
class RandomSession
{
public:
    RandomSession(ListWindow& window, Fleet& fleet, std::uint32_t seed) : window_(window), fleet_(fleet), seed_(seed)
    {
        random_.seed(seed);
    }

    void run(int steps)
    {
        mode_ = 1;
        rebuild(false);
        if (!check("start"))
            return;
        for (step_ = 1; step_ <= steps; ++step_) {
            const std::string action = randomStep();
            history_.push_back(std::to_string(step_) + " " + action);
            if (history_.size() > 12)
                history_.pop_front();
            if (!check(action))
                return;
        }
        std::printf("seed %u: %d steps, %d Modify, every highlight and file as expected\n", seed_, steps, modifies_);
    }

private:
    using Focus = ListWindow::Focus;
    using Command = ListWindow::Command;

    int pick(int count) { return static_cast<int>(random_() % static_cast<std::uint32_t>(count)); }

    // The list of the mode is rebuilt from the folders: the model takes the window's order once it shows them.
    void rebuild(bool all)
    {
        expectedNames_ = fleet_.listed(mode_);
        rebuildAll_ = all;
        rebuilt_ = true;
    }

    bool aircraftListed() const { return !model_.rows().empty(); }

    // Rows wholly in view, to click on.
    std::vector<int> visibleRows()
    {
        std::vector<int> rows;
        const int top = window_.topRow();
        const int count = static_cast<int>(model_.rows().size());
        for (int row = top; row < top + window_.rowsVisible() && row < count; ++row)
            rows.push_back(row);
        return rows;
    }

    // Two presses at one place within the double-click time make a double-click: a press at the place of the
    // previous one waits until that time is over.
    void pressAt(int row)
    {
        const int place = row - window_.topRow();
        const auto now = std::chrono::steady_clock::now();
        if (place == lastPlace_ && now - lastPress_ < std::chrono::milliseconds(800))
            window_.waitFor([] { return false; },
                            static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                 lastPress_ + std::chrono::milliseconds(800) - now)
                                                 .count()));
        lastPlace_ = place;
        lastPress_ = std::chrono::steady_clock::now();
    }

    std::string randomStep()
    {
        const Focus focus = window_.focus();
        const bool listed = aircraftListed();
        const bool keys = listed && focus == Focus::List;
        const bool optionKeys = (focus == Focus::Remove && mode_ == 1) || (focus == Focus::Restore && mode_ == 2);
        struct Choice
        {
            int weight;
            std::function<std::string()> act;
        };
        const std::vector<Choice> choices = {
            {listed ? 30 : 0, [&] { return clickStep(); }},
            {listed ? 6 : 0, [&] { return dragStep(); }},
            {listed ? 3 : 0, [&] { return doubleClickStep(); }},
            {keys ? 10 : 0, [&] { return keyStep("space"); }},
            {keys ? 10 : 0, [&] { return keyStep(pick(2) ? "Up" : "Down"); }},
            {keys ? 4 : 0, [&] { return keyStep(pick(2) ? "Home" : "End"); }},
            {keys ? 6 : 0, [&] { return keyStep(pick(2) ? "Prior" : "Next"); }},
            {keys ? 8 : 0, [&] { return letterStep(); }},
            {listed ? 5 : 0, [&] { return wheelStep(); }},
            // "All" and "Clear" hide after Modify, until the list is used again.
            {window_.shown(Command::All) ? 3 : 0, [&] { return commandStep(Command::All); }},
            {window_.shown(Command::Clear) ? 3 : 0, [&] { return commandStep(Command::Clear); }},
            {4,
             [&] {
                 return commandStep(pick(4) == 0 ? (mode_ == 1 ? Command::Remove : Command::Restore)
                                                 : (mode_ == 1 ? Command::Restore : Command::Remove));
             }},
            {optionKeys ? 12 : 0,
             [&] { return keyStep(mode_ == 1 ? (pick(2) ? "Down" : "Right") : (pick(2) ? "Up" : "Left")); }},
            {model_.anySelected() ? 5 : 0, [&] { return commandStep(Command::Modify); }},
        };
        int total = 0;
        for (const Choice& choice : choices)
            total += choice.weight;
        int drawn = pick(total);
        for (const Choice& choice : choices) {
            if (drawn < choice.weight)
                return choice.act();
            drawn -= choice.weight;
        }
        return "nothing";
    }

    std::string clickStep()
    {
        const std::vector<int> rows = visibleRows();
        const int row = rows[static_cast<std::size_t>(pick(static_cast<int>(rows.size())))];
        const std::string modifiers[] = {"", "", "ctrl", "shift"};
        const std::string& held = modifiers[pick(4)];
        pressAt(row);
        window_.clickRow(row, held);
        model_.click(row);
        return (held.empty() ? "click" : held + "+click") + " row " + std::to_string(row);
    }

    // The second press of a double-click on the same row is no click of its own.
    std::string doubleClickStep()
    {
        const std::vector<int> rows = visibleRows();
        const int row = rows[static_cast<std::size_t>(pick(static_cast<int>(rows.size())))];
        pressAt(row);
        window_.doubleClickRow(row);
        lastPress_ = std::chrono::steady_clock::now();
        model_.click(row);
        return "double-click row " + std::to_string(row);
    }

    std::string dragStep()
    {
        const std::vector<int> rows = visibleRows();
        if (rows.size() < 2)
            return clickStep();
        const int from = rows[static_cast<std::size_t>(pick(static_cast<int>(rows.size())))];
        int to = from;
        while (to == from)
            to = rows[static_cast<std::size_t>(pick(static_cast<int>(rows.size())))];
        pressAt(from);
        window_.drag(from, to);
        model_.click(from);
        return "drag row " + std::to_string(from) + " to " + std::to_string(to);
    }

    std::string keyStep(const std::string& key)
    {
        const Focus focus = window_.focus();
        const int visible = window_.rowsVisible();
        window_.key(key);
        if (focus == Focus::Remove || focus == Focus::Restore) {
            // An arrow on an option button chooses its neighbour: Down or Right from "Remove", Up or Left from
            // "Restore" ("Advanced", beyond them, opens its dialog).
            mode_ = mode_ == 1 ? 2 : 1;
            rebuild(false);
            return key + " on the option button";
        }
        if (key == "space")
            model_.space();
        else if (key == "Up" || key == "Down")
            model_.moveBy(key == "Up" ? -1 : 1);
        else if (key == "Home")
            model_.moveTo(0);
        else if (key == "End")
            model_.moveTo(static_cast<int>(model_.rows().size()) - 1);
        else if (key == "Prior" || key == "Next") {
            model_.page(key == "Prior" ? -1 : 1, visible);
            return key + " (" + std::to_string(visible) + " rows in view)";
        }
        return key;
    }

    std::string letterStep()
    {
        const std::string letters = "abcdkmstx";
        const char letter = letters[static_cast<std::size_t>(pick(static_cast<int>(letters.size())))];
        const bool upper = pick(3) == 0;
        window_.key(upper ? std::string("shift+") + letter : std::string(1, letter));
        model_.letter(letter);
        return std::string("letter ") + (upper ? static_cast<char>(letter - 'a' + 'A') : letter);
    }

    std::string wheelStep()
    {
        const bool down = pick(3) != 0;
        window_.wheel(down);
        return std::string("wheel ") + (down ? "down" : "up");
    }

    std::string commandStep(Command command)
    {
        std::vector<std::string> chosen;
        for (std::size_t i = 0; i < model_.rows().size(); ++i)
            if (model_.selected()[i])
                chosen.push_back(model_.rows()[i]);
        window_.click(command);
        switch (command) {
        case Command::All:
            rebuild(true);
            return "All";
        case Command::Clear:
            rebuild(false);
            return "Clear";
        case Command::Remove:
        case Command::Restore: {
            const int mode = command == Command::Remove ? 1 : 2;
            if (mode == mode_)
                return command == Command::Remove ? "Remove again" : "Restore again";
            mode_ = mode;
            rebuild(false);
            return command == Command::Remove ? "Remove" : "Restore";
        }
        case Command::Modify:
            fleet_.modify(mode_, chosen);
            ++modifies_;
            modified_ = true;
            rebuild(false);
            return "Modify (" + std::to_string(chosen.size()) + " aircraft)";
        }
        return "?";
    }

    // What the window shows that the model does not, or nothing.
    std::string difference()
    {
        std::ostringstream out;
        if (window_.mode() != mode_) {
            out << "option " << window_.mode() << " chosen, expected " << mode_ << " (1 Remove, 2 Restore)\n";
            return out.str();
        }
        const std::vector<std::string> rows = window_.rows();
        if (expectedNames_.empty()) {
            if (rows.size() != 1 || rows[0].rfind("All Aircraft", 0) != 0)
                out << "the list shows " << rows.size() << " rows, expected the message entry alone\n";
            if (window_.shown(Command::Modify))
                out << "Modify shown over the message entry\n";
            return out.str();
        }
        if (rows != model_.rows()) {
            const std::set<std::string> names(rows.begin(), rows.end());
            if (names != expectedNames_ || rows.size() != names.size()) {
                out << "the list shows " << rows.size() << " rows, not the " << expectedNames_.size()
                    << " aircraft of the mode\n";
                for (const std::string& name : names)
                    if (expectedNames_.count(name) == 0)
                        out << "  listed: " << name << "\n";
                for (const std::string& name : expectedNames_)
                    if (names.count(name) == 0)
                        out << "  missing: " << name << "\n";
            } else
                out << "the list's rows changed order\n";
            return out.str();
        }
        const std::vector<bool> lit = window_.highlighted();
        if (lit != model_.selected())
            out << "highlighted " << describe(lit) << ", expected " << describe(model_.selected()) << "\n";
        if (window_.current() != model_.current())
            out << "current row " << window_.current() << ", expected " << model_.current() << "\n";
        if (window_.shown(Command::Modify) != model_.anySelected())
            out << "Modify " << (window_.shown(Command::Modify) ? "shown" : "hidden") << " with "
                << (model_.anySelected() ? "rows" : "nothing") << " highlighted\n";
        return out.str();
    }

    static std::string describe(const std::vector<bool>& flags)
    {
        std::string rows = "{";
        for (std::size_t i = 0; i < flags.size(); ++i)
            if (flags[i])
                rows += (rows.size() > 1 ? " " : "") + std::to_string(i);
        return rows + "}";
    }

    bool check(const std::string& action)
    {
        // A rebuilt list: the model takes the window's order once the window shows the aircraft of the mode (a
        // list that never does is reported below).
        if (rebuilt_) {
            rebuilt_ = false;
            std::vector<std::string> rows;
            if (!expectedNames_.empty() &&
                !window_.waitFor(
                    [&] {
                        rows = window_.rows();
                        return std::set<std::string>(rows.begin(), rows.end()) == expectedNames_ &&
                               rows.size() == expectedNames_.size() && window_.mode() == mode_;
                    },
                    modified_ ? 20000 : 5000))
                rows.clear();
            model_.rebuild(rows, rebuildAll_);
        }
        // The window has handled the input once it shows the model; it must still show it a moment later.
        window_.waitFor([&] { return difference().empty(); }, 3000);
        window_.waitFor([] { return false; }, 120);
        std::string found = difference();
        if (modified_) {
            modified_ = false;
            if (const std::string disk = fleet_.differences(); !disk.empty())
                found += "after Modify, on disk:\n" + disk;
        }
        if (found.empty())
            return true;
        std::string steps;
        for (const std::string& earlier : history_)
            steps += "  " + earlier + "\n";
        ADD_FAILURE() << "seed " << seed_ << " (VANTREL_SEED=" << seed_ << "), step " << step_ << " (" << action
                      << "):\n"
                      << found << "steps up to it:\n"
                      << steps;
        return false;
    }

    ListWindow& window_;
    Fleet& fleet_;
    std::uint32_t seed_;
    std::mt19937 random_;
    ListModel model_;
    std::set<std::string> expectedNames_;
    int mode_ = 1;
    int step_ = 0;
    int modifies_ = 0;
    bool rebuilt_ = false;
    bool rebuildAll_ = false;
    bool modified_ = false;
    std::deque<std::string> history_;
    int lastPlace_ = -1000;
    std::chrono::steady_clock::time_point lastPress_{};
};

} // namespace vantrel::test
