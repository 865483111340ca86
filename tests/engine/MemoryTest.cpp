#include "engine/Classifier.h"
#include "engine/Rewriter.h"

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

#ifdef __linux__
#include <sys/wait.h>
#include <unistd.h>
#endif

using vantrel::engine::Classification;
using vantrel::engine::classifyFile;
using vantrel::engine::InsertChoice;
using vantrel::engine::Mode;
using vantrel::engine::rewriteAircraft;
using namespace vantrel::test;

#ifdef __linux__

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kHalf = 100 * kMiB;

// Peak resident memory of this process so far, in KiB.
long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long value = 0;
            status >> value;
            return value;
        }
        status.ignore(1 << 20, '\n');
    }
    return -1;
}

void writeRepeated(std::ofstream& out, char c, std::uint64_t count)
{
    const std::string block(kMiB, c);
    for (; count >= kMiB; count -= kMiB)
        out.write(block.data(), static_cast<std::streamsize>(kMiB));
    out.write(block.data(), static_cast<std::streamsize>(count));
}

struct Result
{
    long before = 0;
    long after = 0;
    bool found = false;
    char error[200] = {};
};

// Classifies, removes and restores in a child process, so that the peak that the child reports belongs to
// this work alone.
Result measureInChild(const std::string& folder)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        Result r;
        r.before = peakResidentKiB();
        try {
            Classification c;
            classifyFile(folder + "/aircraft.cfg", c);
            r.found = c.found;
            const InsertChoice fs9{[] { return true; }, [] { return true; }, [] { return std::string("fs9.exe"); }};
            rewriteAircraft(folder, Mode::Remove, fs9);
            rewriteAircraft(folder, Mode::Restore, fs9);
        } catch (const std::exception& e) {
            std::snprintf(r.error, sizeof r.error, "%s", e.what());
        }
        r.after = peakResidentKiB();
        const ssize_t ignored = ::write(pipeEnds[1], &r, sizeof r);
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    Result r;
    const ssize_t got = ::read(pipeEnds[0], &r, sizeof r);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (got != static_cast<ssize_t>(sizeof r))
        throw std::runtime_error("the child reported nothing");
    return r;
}

void expectSmallPeak(const Result& r)
{
    EXPECT_STREQ(r.error, "");
    ASSERT_GT(r.before, 0) << "no VmHWM in /proc/self/status";
    ::testing::Test::RecordProperty("peakBeforeKiB", std::to_string(r.before));
    ::testing::Test::RecordProperty("peakAfterKiB", std::to_string(r.after));
    // The work streams through 64 KiB buffers; 16 MiB of headroom is generous, 200 MiB files are not.
    EXPECT_LT(r.after - r.before, 16 * 1024) << "peak grew from " << r.before << " KiB to " << r.after << " KiB";
}

} // namespace

TEST(BoundedMemory, TwoHugeLinesOf100MiBEach)
{
    TempDir dir;
    const auto cfg = dir.path() / "aircraft.cfg";
    {
        std::ofstream out(cfg, std::ios::binary);
        out << "[autopilot]\r\n";
        writeRepeated(out, 'a', kHalf);
        out << "\r\n";
        writeRepeated(out, 'b', kHalf - 20);
        out << "default_bank=1\n";
    }
    const Result r = measureInChild(dir.str());
    expectSmallPeak(r);
    EXPECT_TRUE(r.found) << "the word at the end of a 100 MiB line was missed";
    // Remove inserted two lines, Restore took them out again with the second huge line; the first stays.
    EXPECT_EQ(std::filesystem::file_size(cfg), 13 + kHalf + 2);
    std::ifstream in(cfg, std::ios::binary);
    std::string head(15, '\0');
    in.read(head.data(), 15);
    EXPECT_EQ(head, "[autopilot]\r\naa");
    in.seekg(static_cast<std::streamoff>(13 + kHalf - 2));
    std::string tail(4, '\0');
    in.read(tail.data(), 4);
    EXPECT_EQ(tail, "aa\r\n");
}

TEST(BoundedMemory, TwoHundredMiBOfShortLines)
{
    TempDir dir;
    const auto cfg = dir.path() / "aircraft.cfg";
    const std::string block = "[autopilot]\nkey_number_one=1\nkey_number_two=2\nuse_no_default_pitch=1\n";
    const std::uint64_t blocks = 200 * kMiB / block.size();
    {
        std::ofstream out(cfg, std::ios::binary);
        std::string chunk;
        for (int i = 0; i < 1000; ++i)
            chunk += block;
        for (std::uint64_t i = 0; i < blocks / 1000; ++i)
            out << chunk;
    }
    const Result r = measureInChild(dir.str());
    expectSmallPeak(r);
    EXPECT_TRUE(r.found);
    // Each block keeps its header and two keys, with CR LF ends.
    const std::uint64_t kept = std::string("[autopilot]\r\nkey_number_one=1\r\nkey_number_two=2\r\n").size();
    EXPECT_EQ(std::filesystem::file_size(cfg), (blocks / 1000) * 1000 * kept);
}

#else

TEST(BoundedMemory, MeasuredOnLinuxOnly)
{
    GTEST_SKIP() << "peak memory is read from /proc/self/status";
}

#endif
