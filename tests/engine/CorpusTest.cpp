#include "engine/Classifier.h"
#include "engine/Rewriter.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using vantrel::engine::Classification;
using vantrel::engine::classifyFile;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(VANTREL_CORPUS_DIR)) {
        if (entry.is_regular_file() && entry.path().filename() == "aircraft.cfg")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool plainSearch(const std::string& bytes)
{
    std::string low = bytes;
    for (char& c : low) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return low.find("default_pitch") != std::string::npos || low.find("default_bank") != std::string::npos;
}

} // namespace

TEST(Corpus, RealFilesClassifyAndRoundTripByteForByte)
{
    if (!fs::is_directory(VANTREL_CORPUS_DIR))
        GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
    const auto files = corpusFiles();
    ASSERT_GE(files.size(), 10u) << "the corpus is there but holds too few aircraft.cfg files";
    int withWingLeveler = 0;
    int withHeader = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::string original = readBytes(file);
        Classification c;
        classifyFile(file.string(), c);
        ASSERT_EQ(c.found, plainSearch(original));

        TempDir dir;
        writeBytes(dir.path() / "aircraft.cfg", original);
        const InsertChoice fs9{[] { return true; }, [] { return true; }, [] { return std::string("fs9.exe"); }};
        const auto lines = splitLines(original);
        // A backup of 100 bytes or fewer is refreshed at every rewrite, so it holds the state before the last.
        std::string beforeLast = original;
        if (!c.found) {
            rewriteAircraft(dir.str(), Mode::Remove, fs9);
            const std::string removed = readBytes(dir.path() / "aircraft.cfg");
            EXPECT_EQ(removed, modelRemove(original, true, true, true));
            // A file without a header to insert below is left as it is by both modes, without a backup.
            if (removed == original) {
                rewriteAircraft(dir.str(), Mode::Restore, fs9);
                EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), original);
                EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"aircraft.cfg"});
                continue;
            }
            ++withHeader;
            if (original.size() <= 100)
                beforeLast = removed;
            rewriteAircraft(dir.str(), Mode::Restore, fs9);
            EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), joinCrLf(lines)) << "remove then restore";
        } else {
            ++withWingLeveler;
            rewriteAircraft(dir.str(), Mode::Restore, fs9);
            std::vector<std::string> kept;
            for (const std::string& line : lines) {
                if (!mentionsWingLeveler(line))
                    kept.push_back(line);
            }
            ASSERT_LT(kept.size(), lines.size());
            EXPECT_EQ(readBytes(dir.path() / "aircraft.cfg"), joinCrLf(kept));
        }
        EXPECT_EQ(readBytes(dir.path() / "aircraftcfg.bak"), beforeLast);
    }
    EXPECT_GT(withWingLeveler, 0) << "the corpus should hold files that were already modified";
    EXPECT_GT(withHeader, 0) << "the corpus should hold files with an [autopilot] header to insert below";
}
