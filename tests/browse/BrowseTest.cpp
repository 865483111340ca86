#include "browse/DriveModel.h"
#include "browse/FileModel.h"
#include "browse/FolderModel.h"
#include "engine/Classifier.h"
#include "engine/Rewriter.h"
#include "os/AppError.h"
#include "os/Drives.h"
#include "os/Folders.h"
#include "os/Paths.h"

#include "os/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include "os/Windows.h"
#else
#include <unistd.h>
#endif

using vantrel::os::AppError;
using vantrel::browse::DriveModel;
using vantrel::browse::FileModel;
using vantrel::browse::FolderEntry;
using vantrel::browse::FolderModel;
using Strings = std::vector<std::string>;

namespace fs = std::filesystem;
namespace err = vantrel::os::err;
namespace os = vantrel::os;

namespace {

#ifdef _WIN32
constexpr char Sep = '\\';
#else
constexpr char Sep = '/';
#endif

int errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

// A scratch folder tree; names and paths are UTF-8 (the file system's bytes on Linux), as the models take them.
struct Tree : vantrel::test::ScratchFolder
{
    fs::path native(const std::string& relative) const { return (path() / fs::u8path(relative)).make_preferred(); }
    std::string at(const std::string& relative = "") const
    {
        std::string text = native(relative).u8string();
        if (relative.empty() && !text.empty() && text.back() == Sep)
            text.pop_back();
        return text;
    }
    void folders(const Strings& names) const
    {
        for (const std::string& name : names)
            fs::create_directories(native(name));
    }
    void files(const Strings& names, const std::string& content = "x") const
    {
        for (const std::string& name : names)
            std::ofstream(native(name), std::ios::binary) << content;
    }
    // Hidden as each system hides: a leading dot on Linux, the attribute on Windows.
    void hide(const std::string& name) const
    {
#ifdef _WIN32
        ::SetFileAttributesW(native(name).wstring().c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
        static_cast<void>(name);
#endif
    }
};

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Strings subFolders(const FolderModel& model)
{
    Strings paths;
    for (int i = 0; i < model.listCount(); ++i)
        paths.push_back(model.list(i));
    return paths;
}

Strings files(const FileModel& model)
{
    Strings names;
    for (int i = 0; i < model.listCount(); ++i)
        names.push_back(model.file(i));
    return names;
}

// Restores the process's current folder however the test ends.
struct CurrentFolderGuard
{
    fs::path saved = fs::current_path();
    ~CurrentFolderGuard() { fs::current_path(saved); }
};

} // namespace

TEST(FolderModel, ListsVisibleSubFoldersSortedIgnoringCaseBelowTheirAncestors)
{
    Tree tree;
    tree.folders({"sim/beta", "sim/Alpha", "sim/gamma", "sim/alpha2", "sim/Zulu", "sim/a_b", "sim/AAB",
                  "sim/Beta2/inner", "sim/.hidden"});
    tree.files({"sim/aircraft.cfg", "sim/Delta"});
    tree.hide("sim/.hidden");

    FolderModel model;
    model.setPath(tree.at("sim"));
    const Strings names = {"a_b", "AAB", "Alpha", "alpha2", "beta", "Beta2", "gamma", "Zulu"};
    Strings expected;
    for (const std::string& name : names)
        expected.push_back(tree.at("sim/" + name));
    EXPECT_EQ(subFolders(model), expected);

    // Root first, one level deeper each, the folder itself current, then its sub-folders one level deeper still.
    const std::vector<FolderEntry>& entries = model.entries();
    const int depth = model.pathEntry();
    ASSERT_EQ(entries.size(), std::size_t(depth + 1) + names.size());
    EXPECT_EQ(entries[0].name, tree.at("").substr(0, Sep == '/' ? 1 : 3));
    EXPECT_EQ(entries[std::size_t(depth)].path, tree.at("sim"));
    EXPECT_EQ(entries[std::size_t(depth)].name, "sim");
    EXPECT_EQ(entries[std::size_t(depth - 1)].path, tree.at());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool ancestor = int(i) <= depth;
        EXPECT_EQ(entries[i].open, ancestor) << i;
        EXPECT_EQ(entries[i].level, ancestor ? int(i) : depth + 1) << i;
        if (!ancestor) {
            EXPECT_EQ(entries[i].name, names[i - std::size_t(depth) - 1]);
        }
    }

    for (int bad : {-1, model.listCount()})
        EXPECT_EQ(errorOf([&] { model.list(bad); }), 381) << bad;
}

TEST(FolderModel, PathsAreNormalised)
{
    Tree tree;
    tree.folders({"sim/aircraft/c172"});
    const std::string aircraft = tree.at("sim/aircraft");
    const std::string root = Sep == '/' ? "/" : aircraft.substr(0, 3);
    CurrentFolderGuard guard;
    fs::current_path(tree.native("sim"));

    const std::vector<std::pair<std::string, std::string>> cases = {
        {aircraft, aircraft},
        {aircraft + Sep, aircraft},
        {aircraft + Sep + ".", aircraft},
        {aircraft + Sep + "..", tree.at("sim")},
        {aircraft + Sep + ".x" + Sep + "..y", aircraft + Sep + ".x" + Sep + "..y"},
        {tree.at() + "/sim/aircraft/c172/../../aircraft//.", aircraft},
        {"aircraft" + std::string(1, Sep) + "c172", tree.at("sim/aircraft/c172")},
        {".", tree.at("sim")},
        {root, root},
        {"", ""},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(os::normalisePath(input), expected) << input;
    EXPECT_EQ(os::currentFolder(), tree.at("sim"));
    EXPECT_EQ(os::currentFolderOn(DriveModel().drive()), tree.at("sim"));

    FolderModel model;
    model.setPath(root);
    EXPECT_EQ(model.path(), root);
    EXPECT_GT(model.listCount(), 0);
    EXPECT_EQ(model.pathEntry(), 0);
}

TEST(FolderModel, ChangeEventOncePerRealChangeInsideTheCall)
{
    Tree tree;
    tree.folders({"one/sub", "two"});
    FolderModel model;
    Strings seen;
    bool inCall = false;
    model.onChange = [&] {
        EXPECT_TRUE(inCall);
        seen.push_back(model.path() + " " + std::to_string(model.listCount()));
    };
    auto setPath = [&](const std::string& path) {
        inCall = true;
        model.setPath(path);
        inCall = false;
    };

    for (const std::string& path :
         {tree.at("one"), tree.at("one"), tree.at("one") + Sep, tree.at("one/sub/.."), tree.at("two"), tree.at("one")})
        setPath(path);
#ifdef _WIN32
    setPath(tree.at("ONE"));
#endif
    EXPECT_EQ(seen, Strings({tree.at("one") + " 1", tree.at("two") + " 0", tree.at("one") + " 1"}));

    // The same path reads again without an event; so does refresh(), which tells whether anything changed.
    tree.folders({"one/added"});
    setPath(tree.at("one"));
    EXPECT_EQ(model.listCount(), 2);
    const std::uint64_t revision = model.revision();
    EXPECT_FALSE(model.refresh());
    EXPECT_EQ(model.revision(), revision);
    tree.folders({"one/third"});
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(model.listCount(), 3);
    EXPECT_EQ(seen.size(), 3u);

    // A failing handler reaches the caller, after the new path is in place.
    model.onChange = [] { throw AppError(7, "handler"); };
    EXPECT_EQ(errorOf([&] { model.setPath(tree.at("two")); }), 7);
    EXPECT_EQ(model.path(), tree.at("two"));
}

TEST(FolderModel, UnreadableFolderThrowsAndKeepsWhatIsShown)
{
    Tree tree;
    tree.folders({"sim/aircraft"});
    tree.files({"sim/fs9.exe"});
    FolderModel model;
    model.setPath(tree.at("sim"));
    const std::vector<FolderEntry> before = model.entries();
    int events = 0;
    model.onChange = [&] { ++events; };

    for (const std::string& bad :
         {tree.at("sim/missing"), tree.at("sim/fs9.exe"), tree.at("gone/aircraft"), std::string()}) {
        EXPECT_EQ(errorOf([&] { model.setPath(bad); }), err::PathNotFound) << bad;
        EXPECT_EQ(model.path(), tree.at("sim"));
        EXPECT_EQ(subFolders(model), Strings({tree.at("sim/aircraft")}));
        EXPECT_EQ(model.entries().size(), before.size());
    }
    EXPECT_EQ(events, 0);
}

TEST(FolderModel, OpeningEntries)
{
    Tree tree;
    tree.folders({"sim/aircraft/c172", "sim/aircraft/B737"});
    FolderModel model;
    model.setPath(tree.at("sim"));
    int events = 0;
    model.onChange = [&] { ++events; };

    model.open(model.pathEntry() + 1); // its only sub-folder
    EXPECT_EQ(model.path(), tree.at("sim/aircraft"));
    model.open(model.pathEntry() - 1); // an ancestor
    EXPECT_EQ(model.path(), tree.at("sim"));
    model.open(model.pathEntry() + 1);
    EXPECT_EQ(events, 3);

    // A folder that went away after it was listed: reported, dropped from the list, the path stays.
    fs::remove_all(tree.native("sim/aircraft/c172"));
    EXPECT_EQ(errorOf([&] { model.open(model.pathEntry() + 2); }), err::PathNotFound);
    EXPECT_EQ(model.path(), tree.at("sim/aircraft"));
    EXPECT_EQ(subFolders(model), Strings({tree.at("sim/aircraft/B737")}));
    EXPECT_EQ(errorOf([&] { model.open(int(model.entries().size())); }), 381);
    EXPECT_EQ(events, 3);
}

TEST(FileModel, PatternsSortingAndWhatCountsAsAFile)
{
    Tree tree;
    tree.folders({"plane/dir.cfg"});
    tree.files({"plane/b.cfg", "plane/A.cfg", "plane/a2.CFG", "plane/note.txt", "plane/README", "plane/x.cfgx",
                "plane/.secret.cfg"});
    tree.hide("plane/.secret.cfg");

    FileModel model;
    model.setPath(tree.at("plane") + Sep);
    EXPECT_EQ(model.path(), tree.at("plane"));
    const std::vector<std::pair<std::string, Strings>> cases = {
        {"", {"A.cfg", "a2.CFG", "b.cfg", "note.txt", "README", "x.cfgx"}},
        {"*.*", {"A.cfg", "a2.CFG", "b.cfg", "note.txt", "README", "x.cfgx"}},
        {"*.cfg", {"A.cfg", "a2.CFG", "b.cfg"}},
        {"?.CFG", {"A.cfg", "b.cfg"}},
        {"a*", {"A.cfg", "a2.CFG"}},
        {"readme; *.TXT", {"note.txt", "README"}},
        {"*e*e", {"README"}},
        {"*.cf", {}},
        {"A.CFG", {"A.cfg"}},
    };
    for (const auto& [pattern, expected] : cases) {
        model.setPattern(pattern);
        EXPECT_EQ(files(model), expected) << pattern;
    }
}

TEST(FileModel, SelectionAndFailures)
{
    Tree tree;
    tree.folders({"one", "two"});
    tree.files({"one/Aircraft.CFG", "one/panel.cfg", "two/aircraft.cfg"});
    FileModel model;
    model.setPattern("*.cfg");
    model.setPath(tree.at("one"));

    model.setListIndex(1);
    EXPECT_EQ(model.fileName(), "panel.cfg");
    model.setFileName("aircraft.cfg");
    EXPECT_EQ(model.listIndex(), 0);
    EXPECT_EQ(model.fileName(), "Aircraft.CFG");
    for (const std::string none : {"", "missing.cfg"}) {
        model.setFileName(none);
        EXPECT_EQ(model.listIndex(), -1);
        EXPECT_EQ(model.fileName(), "");
    }
    EXPECT_EQ(errorOf([&] { model.setListIndex(2); }), 380);
    EXPECT_EQ(errorOf([&] { model.setListIndex(-2); }), 380);
    EXPECT_EQ(errorOf([&] { model.file(2); }), 381);

    model.setListIndex(0);
    for (const std::string& bad : {tree.at("gone"), tree.at("one/panel.cfg"), std::string()})
        EXPECT_EQ(errorOf([&] { model.setPath(bad); }), err::PathNotFound) << bad;
    EXPECT_EQ(model.path(), tree.at("one"));
    EXPECT_EQ(model.fileName(), "Aircraft.CFG");

    model.setPath(tree.at("two"));
    EXPECT_EQ(model.listIndex(), -1) << "a new folder starts with nothing selected";
    // A new pattern reads the folder again; when it has gone, the old pattern and list stay.
    fs::remove_all(tree.native("two"));
    EXPECT_EQ(errorOf([&] { model.setPattern("*.air"); }), err::PathNotFound);
    EXPECT_EQ(model.pattern(), "*.cfg");
    EXPECT_EQ(files(model), Strings({"aircraft.cfg"}));
}

TEST(DriveModel, ListsAndSelectsTheMachinesDrives)
{
    DriveModel drives;
    ASSERT_FALSE(drives.drives().empty());
    ASSERT_GE(drives.index(), 0);
    EXPECT_EQ(drives.drive(), drives.drives()[std::size_t(drives.index())]);
    int events = 0;
    drives.onChange = [&] { ++events; };
    const std::string shown = drives.drive();
#ifdef _WIN32
    for (const std::string& name : drives.drives())
        EXPECT_TRUE(name.size() >= 2 && name[0] >= 'a' && name[0] <= 'z' && name[1] == ':') << name;
    EXPECT_EQ(std::tolower(shown[0]), std::tolower(os::currentFolder()[0]));
#else
    EXPECT_EQ(drives.drives(), Strings({"/"}));
    EXPECT_EQ(errorOf([&] { drives.setDrive("c: [SYSTEM]"); }), err::DeviceUnavailable);
#endif

    drives.setDrive(shown);
    drives.setDrive(std::string(1, char(std::toupper(shown[0]))) + " [what follows does not count]");
    for (const std::string bad : {"", "1", "q:"}) {
        EXPECT_EQ(errorOf([&] { drives.setDrive(bad); }), err::DeviceUnavailable) << bad;
        EXPECT_EQ(errorOf([&] { os::currentFolderOn(bad); }), err::DeviceUnavailable) << bad;
    }
    EXPECT_EQ(drives.drive(), shown);
    EXPECT_EQ(events, 0) << "the same drive is no change";

    drives.reload();
    EXPECT_EQ(drives.drive(), shown);
#ifdef _WIN32
    // Wine maps z: to the Linux root; a real machine has at least c:.
    const std::string other = shown[0] == 'z' ? "c:" : "z:";
    if (drives.drives().size() > 1) {
        drives.setDrive(other);
        EXPECT_EQ(drives.drive()[0], other[0]);
        EXPECT_EQ(events, 1);
        EXPECT_EQ(std::tolower(os::currentFolderOn(other)[0]), other[0]);
    }
#endif
}

#ifndef _WIN32
TEST(BrowseLinks, LinksCountAsWhatTheyNameDanglingLinksNotAtAll)
{
    Tree tree;
    tree.folders({"aircraft/real", "elsewhere/target"});
    tree.files({"elsewhere/real.cfg"});
    fs::create_directory_symlink(tree.native("elsewhere/target"), tree.native("aircraft/linked"));
    fs::create_directory_symlink("..", tree.native("aircraft/loop"));
    fs::create_symlink("nowhere", tree.native("aircraft/dangling"));
    fs::create_symlink(tree.native("elsewhere/real.cfg"), tree.native("aircraft/aircraft.cfg"));
    fs::create_symlink("missing.cfg", tree.native("aircraft/AIRCRAFT.CFG"));

    FolderModel folders;
    folders.setPath(tree.at("aircraft"));
    EXPECT_EQ(subFolders(folders),
              Strings({tree.at("aircraft/linked"), tree.at("aircraft/loop"), tree.at("aircraft/real")}));
    // Opening the loop goes one level deeper by name, as a link is followed.
    folders.setPath(folders.list(1));
    EXPECT_EQ(folders.path(), tree.at("aircraft/loop"));
    EXPECT_EQ(folders.listCount(), 2);

    FileModel files;
    files.setPattern("aircraft.cfg");
    files.setPath(tree.at("aircraft"));
    EXPECT_EQ(::files(files), Strings({"aircraft.cfg"}));
}

TEST(BrowseNames, NamesThatAreNotUtf8AreTheFileSystemsBytes)
{
    Tree tree;
    const std::string odd = "Caf\xe9 \xff\xfe";
    tree.folders({"aircraft/" + odd, "aircraft/\xc3\x87-utf8"});
    tree.files({"aircraft/" + odd + "/aircraft.cfg"});

    FolderModel folders;
    folders.setPath(tree.at("aircraft"));
    ASSERT_EQ(subFolders(folders), Strings({tree.at("aircraft/" + odd), tree.at("aircraft/\xc3\x87-utf8")}));
    folders.setPath(folders.list(0));
    FileModel files;
    files.setPath(folders.path());
    EXPECT_EQ(::files(files), Strings({"aircraft.cfg"}));
}
#endif

// The simulator's aircraft folders carry names in any script. Each is listed, and its aircraft.cfg read and
// rewritten, whatever the system's ANSI code page is.
TEST(BrowseNames, AircraftFolderWithANameOutsideTheAnsiCodePage)
{
    const fs::path sample = fs::path(VANTREL_CORPUS_DIR) / "synthetic" / "SemicolonCommentHeader" / "aircraft.cfg";
    const std::string original = readBytes(sample);
    ASSERT_FALSE(original.empty()) << sample;

    Tree tree;
    const std::string name = "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1 \xe9\xa3\x9b\xe8\xa1\x8c\xe6\xa9\x9f";
    tree.folders({"sim/aircraft/" + name});
    tree.files({"sim/aircraft/" + name + "/aircraft.cfg"}, original);

    FolderModel folders;
    folders.setPath(tree.at("sim/aircraft"));
    ASSERT_EQ(folders.listCount(), 1);
    EXPECT_EQ(folders.entries().back().name, name);
    const std::string aircraft = folders.list(0);
    EXPECT_EQ(aircraft, tree.at("sim/aircraft/" + name));
    FileModel files;
    files.setPattern("aircraft.cfg");
    files.setPath(aircraft);
    ASSERT_EQ(::files(files), Strings({"aircraft.cfg"}));

    const std::string cfg = vantrel::engine::joinPath(aircraft, files.file(0));
    vantrel::engine::Classification before;
    vantrel::engine::classifyFile(cfg, before);
    EXPECT_FALSE(before.found);

    vantrel::engine::InsertChoice choice;
    choice.bank = [] { return true; };
    choice.pitch = [] { return true; };
    choice.simulator = [] { return "fs9.exe"; };
    vantrel::engine::rewriteAircraft(aircraft, vantrel::engine::Mode::Remove, choice);

    const std::string header = "[autopilot] ; fitted in 2004  \r\n";
    std::string expected = original;
    expected.insert(expected.find(header) + header.size(), "default_bank_mode=0\r\ndefault_pitch_mode=0\r\n");
    EXPECT_EQ(readBytes(tree.native("sim/aircraft/" + name + "/aircraft.cfg")), expected);
    EXPECT_EQ(readBytes(tree.native("sim/aircraft/" + name + "/aircraftcfg.bak")), original);
    vantrel::engine::Classification after;
    vantrel::engine::classifyFile(cfg, after);
    EXPECT_TRUE(after.found);
}
