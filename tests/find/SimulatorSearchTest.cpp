// Where a first start looks for the simulator: the registry and default folders on Windows, the Wine prefixes
// elsewhere, through a machine in memory.
#include "FakeSimulatorSearchPlatform.h"

#include "find/SimulatorSearch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vantrel::test {
namespace {

using find::kFs2000;
using find::kFs2004;

struct Case
{
    const char* what;
    std::function<void(FakeSimulatorSearchPlatform&)> machine;
    std::string expected; // the aircraft folder found, "" for none
};

void expectFound(const std::function<std::string(FakeSimulatorSearchPlatform&)>& search, const std::vector<Case>& cases,
                 const std::vector<std::string>& drives = {})
{
    for (const Case& c : cases) {
        FakeSimulatorSearchPlatform machine;
        machine.drives = drives;
        c.machine(machine);
        EXPECT_EQ(search(machine), c.expected) << c.what;
    }
}

// ---- Windows ----

const std::vector<std::string> kDrives = {"C:", "D:", "E:"};
const std::string kFs9X86 = "C:\\Program Files (x86)\\Microsoft Games\\Flight Simulator 9";
const std::string kFs9 = "C:\\Program Files\\Microsoft Games\\Flight Simulator 9";

TEST(WindowsSearch, EachPlaceIsFound)
{
    expectFound(find::findOnWindows,
                {{"FS2004's registry entry",
                  [](auto& m) {
                      m.setRegistry(kFs2004.key, "EXE Path", "D:\\Games\\FS9\\");
                      m.addInstallation("D:\\Games\\FS9");
                  },
                  "D:\\Games\\FS9\\Aircraft"},
                 {"FS2000's registry entry naming the program, in other letter cases",
                  [](auto& m) {
                      m.setRegistry(kFs2000.key, "EXE Path", "\"e:\\FS2000\\FS2000.EXE\"");
                      m.addInstallation("E:\\FS2000", "FS2000.EXE", "AIRCRAFT");
                  },
                  "E:\\FS2000\\AIRCRAFT"},
                 {"FS2004's default folder", [](auto& m) { m.addInstallation(kFs9X86); }, kFs9X86 + "\\Aircraft"},
                 {"FS2000's default folder on another drive",
                  [](auto& m) { m.addInstallation("D:\\Program Files\\Microsoft Games\\FS2000", "fs2000.exe"); },
                  "D:\\Program Files\\Microsoft Games\\FS2000\\Aircraft"}},
                kDrives);
}

TEST(WindowsSearch, OfSeveralTheRegistrysComeFirstThenTheDrivesInOrder)
{
    expectFound(find::findOnWindows,
                {{"registry before default folders",
                  [](auto& m) {
                      m.addInstallation(kFs9X86);
                      m.setRegistry(kFs2000.key, "EXE Path", "E:\\FS2000");
                      m.addInstallation("E:\\FS2000", "fs2000.exe");
                  },
                  "E:\\FS2000\\Aircraft"},
                 {"FS2004's entry before FS2000's",
                  [](auto& m) {
                      m.setRegistry(kFs2000.key, "EXE Path", "E:\\FS2000");
                      m.addInstallation("E:\\FS2000", "fs2000.exe");
                      m.setRegistry(kFs2004.key, "EXE Path", "D:\\FS9");
                      m.addInstallation("D:\\FS9");
                  },
                  "D:\\FS9\\Aircraft"},
                 {"C: before D:, Program Files (x86) before Program Files",
                  [](auto& m) {
                      m.addInstallation("D:\\Program Files (x86)\\Microsoft Games\\Flight Simulator 9");
                      m.addInstallation(kFs9);
                      m.addInstallation(kFs9X86);
                  },
                  kFs9X86 + "\\Aircraft"}},
                kDrives);
}

TEST(WindowsSearch, FoldersThatAreNoInstallationAreSkipped)
{
    expectFound(find::findOnWindows,
                {{"nothing anywhere", [](auto&) {}, ""},
                 {"registry entry pointing to a folder without the simulator",
                  [](auto& m) {
                      m.setRegistry(kFs2004.key, "EXE Path", "D:\\FS9");
                      m.addFolder("D:\\FS9\\Aircraft");
                      m.addInstallation(kFs9);
                  },
                  kFs9 + "\\Aircraft"},
                 {"the simulator without an aircraft folder", [](auto& m) { m.addFile(kFs9X86 + "\\fs9.exe"); }, ""}},
                kDrives);
}

TEST(WindowsSearch, DrivesThatMayNotAnswerAreNeverWaitedFor)
{
    // A network drive (not among the fixed ones) and a network path named by the registry are not asked at all.
    for (const std::string registered : {"N:\\FS9", "\\\\server\\games\\FS9"}) {
        FakeSimulatorSearchPlatform machine;
        machine.drives = kDrives;
        machine.setRegistry(kFs2004.key, "EXE Path", registered);
        machine.addInstallation("N:\\FS9");
        machine.addInstallation(kFs9);
        EXPECT_EQ(find::findOnWindows(machine), kFs9 + "\\Aircraft") << registered;
        EXPECT_FALSE(machine.touched("N:") || machine.touched("\\\\server")) << registered;
    }

    // A fixed drive that takes seconds to answer ends the search: what lies after it is not looked at.
    FakeSimulatorSearchPlatform machine;
    machine.drives = kDrives;
    machine.makeSlow("D:", 10000);
    machine.addInstallation("E:\\Program Files\\Microsoft Games\\Flight Simulator 9");
    EXPECT_EQ(find::findOnWindows(machine), "");
    EXPECT_TRUE(machine.touched("D:"));
    EXPECT_FALSE(machine.touched("E:"));
}

// ---- Wine prefixes ----

const std::string kHome = "/home/pilot";

std::string defaultFs9(const std::string& prefix, const std::string& programs = "Program Files")
{
    return prefix + "/drive_c/" + programs + "/Microsoft Games/Flight Simulator 9";
}

// A system.reg as Wine writes it, with one more key holding "EXE Path" = `escapedPath`.
std::string systemReg(const std::string& key, const std::string& escapedPath)
{
    return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n\n"
           "[Software\\\\Microsoft\\\\Active Setup] 1796713600\n#time=1dd86e2dc3a41f0\n\"Installed\"=dword:00000001\n\n"
           "[" +
           key + "] 1796713681\n#time=1dd86e2dcfc44ee\n\"Version\"=hex:01,02\n\"EXE Path\"=\"" + escapedPath +
           "\"\n\n[Software\\\\Microsoft\\\\MSMQ] 1796713680\n";
}
const std::string kFs9Key = "Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0";
const std::string kFs2000Key64 = "Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\7.0";

void home(FakeSimulatorSearchPlatform& m)
{
    m.environmentValues["HOME"] = kHome;
}

TEST(WineSearch, EachPlaceIsFound)
{
    const std::string steam = kHome + "/.local/share/Steam/steamapps/compatdata/2154320/pfx";
    expectFound(find::findInWinePrefixes,
                {{"$WINEPREFIX's default folder",
                  [](auto& m) {
                      m.environmentValues["WINEPREFIX"] = "/opt/sims/fs9/";
                      m.addInstallation(defaultFs9("/opt/sims/fs9"));
                  },
                  defaultFs9("/opt/sims/fs9") + "/Aircraft"},
                 {"~/.wine's registry, its folder names in other letter cases on disk",
                  [](auto& m) {
                      home(m);
                      m.addFile(kHome + "/.wine/system.reg",
                                systemReg(kFs9Key, "C:\\\\Games\\\\Flight Simulator 9\\\\"));
                      m.addInstallation(kHome + "/.wine/drive_c/games/FLIGHT SIMULATOR 9", "FS9.exe");
                  },
                  kHome + "/.wine/drive_c/games/FLIGHT SIMULATOR 9/Aircraft"},
                 {"a prefix of ~/.local/share/wineprefixes",
                  [](auto& m) {
                      home(m);
                      m.addInstallation(defaultFs9(kHome + "/.local/share/wineprefixes/fs", "Program Files (x86)"));
                  },
                  defaultFs9(kHome + "/.local/share/wineprefixes/fs", "Program Files (x86)") + "/Aircraft"},
                 {"a 64-bit Steam prefix whose registry names drive D:",
                  [&](auto& m) {
                      home(m);
                      m.addLink(kHome + "/.steam/steam", kHome + "/.local/share/Steam");
                      m.addFile(steam + "/system.reg", systemReg(kFs2000Key64, "D:\\\\FS2000\\\\fs2000.exe"));
                      m.addLink(steam + "/dosdevices/d:", "/mnt/sims");
                      m.addInstallation("/mnt/sims/FS2000", "fs2000.exe");
                  },
                  kHome + "/.steam/steam/steamapps/compatdata/2154320/pfx/dosdevices/d:/FS2000/Aircraft"},
                 {"a Lutris prefix",
                  [](auto& m) {
                      home(m);
                      m.addInstallation(defaultFs9(kHome + "/Games/fs2004"));
                  },
                  defaultFs9(kHome + "/Games/fs2004") + "/Aircraft"},
                 {"a Bottles bottle",
                  [](auto& m) {
                      home(m);
                      m.addInstallation(defaultFs9(kHome + "/.local/share/bottles/bottles/FS9"));
                  },
                  defaultFs9(kHome + "/.local/share/bottles/bottles/FS9") + "/Aircraft"}});
}

TEST(WineSearch, OfSeveralTheFirstPrefixWinsAndInItTheRegistry)
{
    expectFound(find::findInWinePrefixes, {{"$WINEPREFIX before ~/.wine",
                                            [](auto& m) {
                                                home(m);
                                                m.environmentValues["WINEPREFIX"] = "/opt/fs";
                                                m.addInstallation(defaultFs9(kHome + "/.wine"));
                                                m.addInstallation(defaultFs9("/opt/fs"));
                                            },
                                            defaultFs9("/opt/fs") + "/Aircraft"},
                                           {"the registry's folder before the default one",
                                            [](auto& m) {
                                                home(m);
                                                m.addInstallation(defaultFs9(kHome + "/.wine"));
                                                m.addFile(kHome + "/.wine/system.reg", systemReg(kFs9Key, "C:\\\\FS9"));
                                                m.addInstallation(kHome + "/.wine/drive_c/FS9");
                                            },
                                            kHome + "/.wine/drive_c/FS9/Aircraft"}});
}

TEST(WineSearch, PrefixesWithoutAnInstallationAreSkipped)
{
    expectFound(find::findInWinePrefixes, {{"no prefix at all", home, ""},
                                           {"registry entry pointing to a folder without the simulator",
                                            [](auto& m) {
                                                home(m);
                                                m.addFile(kHome + "/.wine/system.reg", systemReg(kFs9Key, "C:\\\\FS9"));
                                                m.addFolder(kHome + "/.wine/drive_c/FS9/Aircraft");
                                                m.addInstallation(defaultFs9(kHome + "/.wine"));
                                            },
                                            defaultFs9(kHome + "/.wine") + "/Aircraft"},
                                           {"$WINEPREFIX whose drive_c is a dangling link",
                                            [](auto& m) {
                                                home(m);
                                                m.environmentValues["WINEPREFIX"] = "/opt/fs";
                                                m.addLink("/opt/fs/drive_c", "/media/gone");
                                                m.addInstallation(defaultFs9(kHome + "/.wine"));
                                            },
                                            defaultFs9(kHome + "/.wine") + "/Aircraft"}});
}

TEST(WineRegistryFile, TextValuesWithTheirEscapesUndone)
{
    struct Entry
    {
        std::string file, key, value, expected;
    };
    const std::string key = "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
    const std::string file = systemReg(kFs9Key, "D:\\\\Spiele\\\\Flug \\\"x\\\" \\xc4\\x20ac\\x65e5\\x672c\\\\");
    for (const Entry& e : {
             Entry{file, key, "EXE Path", "D:\\Spiele\\Flug \"x\" \xC3\x84\xE2\x82\xAC\xE6\x97\xA5\xE6\x9C\xAC\\"},
             Entry{file, "SOFTWARE\\microsoft\\MICROSOFT GAMES\\flight simulator\\9.0", "exe path",
                   "D:\\Spiele\\Flug \"x\" \xC3\x84\xE2\x82\xAC\xE6\x97\xA5\xE6\x9C\xAC\\"},
             Entry{"[" + kFs9Key + "] 1\r\n\"EXE Path\"=str(2):\"C:\\\\FS9\"\r\n", key, "EXE Path", "C:\\FS9"},
             Entry{file, key, "Version", ""},                         // not text
             Entry{file, key + "\\Sub", "EXE Path", ""},              // no such key
             Entry{file, "Software\\Microsoft\\MSMQ", "EXE Path", ""} // the value belongs to another key
         })
        EXPECT_EQ(find::wineRegistryText(e.file, e.key, e.value), e.expected) << e.key << " " << e.value;
}

} // namespace
} // namespace vantrel::test
