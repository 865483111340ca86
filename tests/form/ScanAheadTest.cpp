// The scan's read-ahead on its own, over more folders than it may work out ahead: every result comes in the folders'
// order and is its own folder's, and stays so while the scan holds it, however far the helpers run ahead meanwhile.
// A read-ahead that hands out a result too early or reuses a slot the scan still needs fails here within seconds
// (the watchdog names the folder it waited for) instead of hanging a scan until the test runner's limit.
#include "FormTestSupport.h"

#include "form/ScanAhead.h"
#include "support/Watchdog.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace vantrel::test {
namespace {

using form::FolderScan;
using form::ScanAhead;

class ScanAheadTest : public FormTest
{
protected:
    // `count` aircraft folders; every third has its wing leveler off.
    void makeFolders(std::size_t count)
    {
        auto folders = std::make_shared<std::vector<std::string>>();
        for (std::size_t i = 0; i < count; ++i) {
            const std::string name = "Plane" + std::to_string(1000 + i);
            const fs::path cfg = work_ / "Aircraft" / name / "aircraft.cfg";
            writeFile(cfg, i % 3 == 0 ? modifiedCfg(name) : plainCfg(name));
            folders->push_back(text(cfg.parent_path()));
        }
        folders_ = folders;
    }

    // The result is folder i's: its listing, the file it classified and what that holds.
    void expectFolder(const FolderScan& scan, std::size_t i, const char* when)
    {
        const std::string name = "Plane" + std::to_string(1000 + i);
        EXPECT_FALSE(scan.listingFailure) << when << ", folder " << i;
        EXPECT_FALSE(scan.checkFailure) << when << ", folder " << i;
        EXPECT_EQ(scan.listing.path, (*folders_)[i]) << when << ", folder " << i;
        EXPECT_EQ(scan.listing.files, std::vector<std::string>{"aircraft.cfg"}) << when << ", folder " << i;
        EXPECT_EQ(fs::u8path(scan.cfgFileName).parent_path().filename().u8string(), name) << when << ", folder " << i;
        EXPECT_EQ(scan.result.found, i % 3 == 0) << when << ", folder " << i;
    }

    // Takes the results from `first` on in order, as the scan does; now and then it holds one while the helpers get
    // as far ahead as they may.
    void scanFrom(std::size_t first)
    {
        std::atomic<std::size_t> waitingFor{first};
        std::atomic<bool> waiting{false};
        const Watchdog watchdog(kScanLimit, [&] {
            return std::string(waiting ? "the read-ahead never delivered" : "the scan stuck after taking") +
                   " the result of folder " + std::to_string(waitingFor.load()) + " of " +
                   std::to_string(folders_->size()) + " (started at " + std::to_string(first) + ", " +
                   std::to_string(ScanAhead::kAhead) + " ahead at most)";
        });
        ScanAhead ahead(folders_, "aircraft.cfg", first);
        for (std::size_t i = first; i < folders_->size(); ++i) {
            waitingFor = i;
            waiting = true;
            const FolderScan& scan = ahead.at(i);
            waiting = false;
            expectFolder(scan, i, "as handed out");
            if (i % 20 == 0 || i == first + 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                expectFolder(scan, i, "while the scan held it");
            }
            ASSERT_FALSE(HasFailure()) << "folder " << i;
        }
    }

    std::shared_ptr<const std::vector<std::string>> folders_;
};

TEST_F(ScanAheadTest, ResultsComeInOrderEachItsFoldersAndStayWhileHeld)
{
    makeFolders(3 * ScanAhead::kAhead + 7);
    scanFrom(0);
}

// After an unreadable aircraft the scan starts a read-ahead afresh at the next folder.
TEST_F(ScanAheadTest, AReadAheadStartedPartWayBeginsAtItsFirstFolder)
{
    makeFolders(2 * ScanAhead::kAhead + 3);
    scanFrom(ScanAhead::kAhead - 2);
}

// A scan that stops part-way (at a failure) drops what was read ahead: the helpers end without waiting for it.
TEST_F(ScanAheadTest, AScanThatStopsPartWayEndsItsHelpers)
{
    makeFolders(2 * ScanAhead::kAhead);
    const Watchdog watchdog(kScanLimit, "the read-ahead's helpers did not end when the scan stopped");
    ScanAhead ahead(folders_, "aircraft.cfg");
    expectFolder(ahead.at(0), 0, "as handed out");
    expectFolder(ahead.at(5), 5, "as handed out");
}

} // namespace
} // namespace vantrel::test
