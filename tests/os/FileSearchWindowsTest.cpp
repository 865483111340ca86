#include "os/FileSearch.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#ifdef _WIN32
#include "os/Windows.h"
#endif

using vantrel::os::findOrdinaryFile;
using vantrel::os::nativeSeparator;

namespace fs = std::filesystem;

namespace {

// The scratch folder, with the native separator behind its path.
struct Folder : vantrel::test::ScratchFolder
{
    std::string base() const { return path().string() + nativeSeparator(); }
};

} // namespace

TEST(SimulatorSearch, AWildcardIsNeverAPattern)
{
    Folder folder;
    std::ofstream(folder.path() / "fs9.exe") << "x";
    EXPECT_EQ(findOrdinaryFile(folder.base() + "fs*.exe"), "");
    EXPECT_EQ(findOrdinaryFile(folder.base() + "fs?.exe"), "");
    EXPECT_EQ(findOrdinaryFile(folder.base() + "fs9.exe"), "fs9.exe");
}

#ifdef _WIN32

TEST(SimulatorSearch, WindowsPathsWithDriveLettersEitherSeparatorAndFileAttributes)
{
    Folder folder;
    std::ofstream(folder.path() / "Fs9.EXE") << "x";
    const std::string base = folder.base();
    ASSERT_GE(base.size(), 3u);
    ASSERT_EQ(base[1], ':') << "the temporary folder has a drive letter: " << base;

    EXPECT_EQ(findOrdinaryFile(base + "fs9.exe"), "Fs9.EXE");
    std::string forward = base;
    for (char& c : forward)
        if (c == '\\')
            c = '/';
    EXPECT_EQ(findOrdinaryFile(forward + "FS9.exe"), "Fs9.EXE") << "forward slashes separate folders too";

    std::ofstream(folder.path() / "fs2000.exe") << "x";
    ASSERT_TRUE(SetFileAttributesA((base + "fs2000.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(findOrdinaryFile(base + "fs2000.exe"), "") << "hidden files do not count";
    ASSERT_TRUE(SetFileAttributesA((base + "fs2000.exe").c_str(), FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(findOrdinaryFile(base + "fs2000.exe"), "") << "system files do not count";
    ASSERT_TRUE(SetFileAttributesA((base + "fs2000.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(findOrdinaryFile(base + "fs2000.exe"), "fs2000.exe") << "a read-only file is an ordinary one";
    SetFileAttributesA((base + "fs2000.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

#endif
