// Paths as the Windows file calls get them: absolute, cleaned by hand and in the \\?\ form, so that a name
// ending in a blank or a dot reaches the file system as it is.
#ifdef _WIN32

#include "os/FileOps.h"
#include "os/FileSearch.h"
#include "os/Folders.h"
#include "os/Paths.h"
#include "os/WideText.h"
#include "os/Windows.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vantrel::os;

namespace {

struct Case
{
    std::string input;
    std::string normal;
    std::wstring wide;
};

// Runs the test in `folder` and goes back afterwards.
class CurrentFolder
{
public:
    explicit CurrentFolder(const std::wstring& folder)
    {
        GetCurrentDirectoryW(MAX_PATH, before_);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(before_); }

private:
    wchar_t before_[MAX_PATH] = {};
};

TEST(WidePath, AbsoluteCleanedAndInTheLongForm)
{
    vantrel::test::ScratchFolder scratch;
    CurrentFolder in(scratch.path().wstring());
    const std::string here = currentFolder();
    ASSERT_EQ(here.substr(1, 2), ":\\") << here;
    const std::string leaf = here.substr(here.rfind('\\') + 1);
    const std::wstring longHere = L"\\\\?\\" + toWide(here);

    const std::vector<Case> cases = {
        {"C:\\Sim\\Aircraft\\Trailing Space ", "C:\\Sim\\Aircraft\\Trailing Space ",
         L"\\\\?\\C:\\Sim\\Aircraft\\Trailing Space "},
        {"c:/Sim/Aircraft/Trailing Dot./aircraft.cfg", "c:\\Sim\\Aircraft\\Trailing Dot.\\aircraft.cfg",
         L"\\\\?\\c:\\Sim\\Aircraft\\Trailing Dot.\\aircraft.cfg"},
        {"C:\\Sim\\.\\FS9\\..\\Aircraft\\\\Glider\\", "C:\\Sim\\Aircraft\\Glider", L"\\\\?\\C:\\Sim\\Aircraft\\Glider"},
        {"C:\\Sim\\..\\..", "C:\\", L"\\\\?\\C:\\"},
        {"\\\\server\\share\\Sim\\a .", "\\\\server\\share\\Sim\\a .", L"\\\\?\\UNC\\server\\share\\Sim\\a ."},
        {"\\\\server\\share\\..\\", "\\\\server\\share", L"\\\\?\\UNC\\server\\share"},
        {"\\\\?\\C:\\Sim\\x.", "C:\\Sim\\x.", L"\\\\?\\C:\\Sim\\x."},
        {"\\\\?\\UNC\\server\\share\\x ", "\\\\server\\share\\x ", L"\\\\?\\UNC\\server\\share\\x "},
        {"Aircraft\\Trailing Space ", here + "\\Aircraft\\Trailing Space ", longHere + L"\\Aircraft\\Trailing Space "},
        {"..\\" + leaf + "\\.\\a.", here + "\\a.", longHere + L"\\a."},
        {here.substr(0, 2), here, longHere},
        {"\\Sim ", here.substr(0, 3) + "Sim ", L"\\\\?\\" + toWide(here.substr(0, 3)) + L"Sim "},
        {"", "", L""},
        {"C:\\" + std::string(40000, 'A'), "C:\\" + std::string(40000, 'A'), L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(normalisePath(c.input), c.normal) << c.input;
        EXPECT_EQ(toWidePath(c.input), c.wide) << c.input;
    }
}

// Folders named as archives and Linux tools name them, made and removed here through the \\?\ form itself.
class OddFolders
{
public:
    explicit OddFolders(const std::string& base) : base_(L"\\\\?\\" + toWide(base)) {}
    ~OddFolders()
    {
        for (const std::wstring& name : names_) {
            DeleteFileW((base_ + L"\\" + name + L"\\aircraft.cfg").c_str());
            RemoveDirectoryW((base_ + L"\\" + name).c_str());
        }
    }
    bool add(const std::wstring& name)
    {
        const std::wstring folder = base_ + L"\\" + name;
        if (!CreateDirectoryW(folder.c_str(), nullptr))
            return false;
        names_.push_back(name);
        HANDLE file =
            CreateFileW((folder + L"\\aircraft.cfg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file);
    }

private:
    std::wstring base_;
    std::vector<std::wstring> names_;
};

TEST(WidePath, NamesEndingInABlankOrADotAreListedAndRead)
{
    vantrel::test::ScratchFolder scratch;
    const std::string base = scratch.path().string();
    OddFolders odd(base);
    const std::vector<std::string> names = {"Trailing Dot.", "Trailing Space "};
    for (const std::string& name : names)
        ASSERT_TRUE(odd.add(toWide(name))) << name;

    std::vector<std::string> listed = readFolderEntries(base, EntryKind::Folders);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, names);
    for (const std::string& name : names) {
        const std::string folder = base + "\\" + name;
        EXPECT_TRUE(FileOps::real().status(folder).exists) << name;
        EXPECT_EQ(readFolderEntries(folder, EntryKind::Files), std::vector<std::string>{"aircraft.cfg"}) << name;
        EXPECT_EQ(findOrdinaryFile(folder + "\\aircraft.cfg"), "aircraft.cfg") << name;
    }
}

} // namespace

#endif
