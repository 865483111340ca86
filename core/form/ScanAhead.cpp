#include "form/ScanAhead.h"

#include "form/Captions.h"
#include "os/Ascii.h"
#include "os/FileSearch.h"
#include "os/OpenFolder.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace vantrel::form {

int configurationEntry(const std::vector<std::string>& files)
{
    const int chosen = os::chooseMatch("aircraft.cfg", files);
    return chosen < 0 ? 0 : chosen;
}

FolderScan scanFolder(const std::string& folder, const std::string& pattern)
{
    FolderScan scan;
    // The folder stays open while its aircraft.cfg is classified, which is then opened by its name in it.
    os::OpenFolder opened;
    try {
        scan.listing = browse::FileModel::readListing(folder, pattern, &opened);
    } catch (...) {
        scan.listingFailure = std::current_exception();
        return scan;
    }
    // Only the file that the scan selects is read, when it is an aircraft.cfg outside a CSL folder.
    if (scan.listing.files.empty())
        return scan;
    const std::string& selected = scan.listing.files[std::size_t(configurationEntry(scan.listing.files))];
    if (os::lowerAscii(selected) != "aircraft.cfg")
        return scan;
    std::string cfgFileName = scan.listing.path + os::nativeSeparator() + selected;
    if (isCslFolder(aircraftNameOf(cfgFileName).name))
        return scan;
    scan.cfgFileName = std::move(cfgFileName);
    try {
        engine::classifyFileIn(opened, selected, scan.cfgFileName, scan.result);
    } catch (...) {
        scan.checkFailure = std::current_exception();
    }
    return scan;
}

ScanAhead::ScanAhead(std::shared_ptr<const std::vector<std::string>> folders, std::string pattern, std::size_t first)
    : folders_(std::move(folders)), pattern_(std::move(pattern)), slots_(kAhead), next_(first), held_(first)
{
    // The calling thread works too while it waits, so one helper per further core; a few are enough to keep
    // the file system busy.
    const unsigned cores = std::thread::hardware_concurrency();
    const std::size_t left = first < folders_->size() ? folders_->size() - first : 0;
    const std::size_t wanted = std::min<std::size_t>({cores > 1 ? cores - 1 : 0, 3, left / 2});
    for (std::size_t i = 0; i < wanted; ++i) {
        try {
            helpers_.emplace_back(&ScanAhead::helperLoop, this);
        } catch (const std::system_error&) {
            break; // no thread to be had: the calling thread does the rest
        }
    }
}

ScanAhead::~ScanAhead()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    room_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

FolderScan& ScanAhead::at(std::size_t index)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (index != held_) {
        held_ = index;
        room_.notify_all();
    }
    Slot& slot = slots_[index % kAhead];
    while (!(slot.done && slot.index == index)) {
        std::size_t claimed = 0;
        if (claim(claimed))
            run(claimed, lock);
        else
            ready_.wait(lock);
    }
    return slot.scan;
}

bool ScanAhead::claim(std::size_t& index)
{
    if (stopping_ || next_ >= folders_->size() || next_ >= held_ + kAhead)
        return false;
    index = next_++;
    return true;
}

void ScanAhead::run(std::size_t index, std::unique_lock<std::mutex>& lock)
{
    lock.unlock();
    FolderScan scan;
    try {
        scan = scanFolder((*folders_)[index], pattern_);
    } catch (...) {
        // Out of memory, say: the scan meets it where it reads this folder.
        scan = FolderScan();
        scan.listingFailure = std::current_exception();
    }
    lock.lock();
    Slot& slot = slots_[index % kAhead];
    slot.index = index;
    slot.scan = std::move(scan);
    slot.done = true;
    ready_.notify_one();
}

void ScanAhead::helperLoop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_ && next_ < folders_->size()) {
        std::size_t index = 0;
        if (claim(index))
            run(index, lock);
        else
            room_.wait(lock);
    }
}

} // namespace vantrel::form
