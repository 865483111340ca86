#include "engine/Classifier.h"
#include "os/FileSearch.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using vantrel::engine::findSimulator;
using vantrel::os::findOrdinaryFile;
using vantrel::os::nativeSeparator;
using vantrel::test::TempDir;
using vantrel::test::writeBytes;

namespace {
std::string withSeparator(const TempDir& dir)
{
    return dir.str() + nativeSeparator();
}
} // namespace

TEST(FileSearch, FindsOrdinaryFilesIgnoringCaseAndReturnsTheStoredName)
{
    TempDir dir;
    writeBytes(dir.path() / "FS9.Exe", "");
    std::filesystem::create_directory(dir.path() / "fs2000.exe");
    writeBytes(dir.path() / ".hidden.exe", "");

    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + "fs9.exe"), "FS9.Exe");
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + "FS9.Exe"), "FS9.Exe");
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + "fs2000.exe"), "") << "a folder is not an ordinary file";
#ifndef _WIN32
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + ".hidden.exe"), "") << "hidden files do not count";
#endif
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + "other.exe"), "");
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir) + "missing" + nativeSeparator() + "fs9.exe"), "");
    EXPECT_EQ(findOrdinaryFile(withSeparator(dir)), "");
}

TEST(FileSearch, SimulatorIsFs9FirstThenFs2000ThenNothing)
{
    {
        TempDir dir;
        writeBytes(dir.path() / "FS9.EXE", "");
        writeBytes(dir.path() / "fs2000.exe", "");
        EXPECT_EQ(findSimulator(withSeparator(dir)), "fs9.exe");
    }
    {
        TempDir dir;
        writeBytes(dir.path() / "Fs2000.exe", "");
        EXPECT_EQ(findSimulator(withSeparator(dir)), "fs2000.exe");
    }
    {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "fs9.exe");
        writeBytes(dir.path() / "fs2000.exe", "");
        EXPECT_EQ(findSimulator(withSeparator(dir)), "fs2000.exe");
    }
    {
        TempDir dir;
        writeBytes(dir.path() / "fsx.exe", "");
        EXPECT_EQ(findSimulator(withSeparator(dir)), "");
        EXPECT_EQ(findSimulator(withSeparator(dir) + "nowhere" + nativeSeparator()), "");
    }
}
