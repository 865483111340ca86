#pragma once

#include "browse/FileModel.h"
#include "engine/Classifier.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::form {

// What the scan learns from one aircraft folder's files, worked out apart from the window: the folder's
// aircraft.cfg files as the file list reads them and, for a folder that the scan classifies (its first file is
// named aircraft.cfg in any letter case and the folder is not a CSL folder), the classification of that file.
// A failure is kept, not thrown, so that the scan meets it at the point where it would have met it itself.
struct FolderScan
{
    std::exception_ptr listingFailure; // the folder could not be read
    browse::FileModel::Listing listing;
    std::string cfgFileName; // the file classified; empty when the folder is not classified
    engine::Classification result;
    std::exception_ptr checkFailure; // the classification stopped with this
};

// The entry of a folder's file list (its aircraft.cfg in any letter case) that the scan selects: the one that the
// rewrite would pick, so that both read the same file where a folder holds several. 0 for a list without one.
int configurationEntry(const std::vector<std::string>& files);

// Reads `folder` for the files that match `pattern` and classifies its aircraft.cfg as the scan would.
FolderScan scanFolder(const std::string& folder, const std::string& pattern);

// Runs scanFolder() over a list of folders on the machine's other cores and on the calling thread, a bounded
// number of folders ahead of the scan, and hands the results to the scan in the folders' order. The scan itself
// (lists, captions, message boxes, the stop at a failure) stays on the calling thread; the folders worked out
// ahead of a stop are simply dropped. The verdicts are independent of each other, so reading them ahead gives the
// same answers as reading them one by one.
class ScanAhead
{
public:
    // How many folders may be worked out ahead of the one the scan is at.
    static constexpr std::size_t kAhead = 64;

    // Works on the folders from `first` on.
    ScanAhead(std::shared_ptr<const std::vector<std::string>> folders, std::string pattern, std::size_t first = 0);
    // Stops the helpers (a folder that one of them is reading is finished first) and waits for them.
    ~ScanAhead();
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    const std::vector<std::string>& folders() const { return *folders_; }
    // The result for folder `index` (`first` or later), waiting for it when needed. Indexes must come in
    // increasing order; the result stays valid until the next call.
    FolderScan& at(std::size_t index);

private:
    struct Slot
    {
        std::size_t index = 0;
        bool done = false;
        FolderScan scan;
    };

    void helperLoop();
    // Under the lock: claims the next folder that may be worked out now; false when there is none.
    bool claim(std::size_t& index);
    // Works out folder `index` (the lock not held) and marks it done.
    void run(std::size_t index, std::unique_lock<std::mutex>& lock);

    std::shared_ptr<const std::vector<std::string>> folders_;
    const std::string pattern_;
    std::vector<Slot> slots_; // folder i in slot i % kAhead
    std::mutex mutex_;
    std::condition_variable ready_; // a folder is done
    std::condition_variable room_;  // the scan moved on, or stops
    std::size_t next_ = 0;          // the next folder to claim
    std::size_t held_ = 0;          // the folder whose result the scan holds: no slot of a later one may reuse it
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

} // namespace vantrel::form
