#include "browse/FileModel.h"

#include "os/AppError.h"
#include "os/Folders.h"
#include "os/Paths.h"

#include <utility>

namespace vantrel::browse {

namespace {

// '*' any run of characters, '?' exactly one (a whole UTF-8 sequence); both texts already case-folded. Backtracks
// only to the last '*', so the work stays proportional to the lengths for the short names and patterns met here.
bool wildcardMatch(const std::string& name, const std::string& pattern)
{
    const auto continuation = [&name](std::size_t at) {
        return at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80;
    };
    std::size_t n = 0, p = 0, resume = 0;
    std::size_t star = std::string::npos;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            ++n;
            while (continuation(n))
                ++n;
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            ++resume;
            while (continuation(resume))
                ++resume;
            n = resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The pattern's alternatives, case-folded. "*.*" keeps its old meaning of every file, with or without a dot.
std::vector<std::string> alternativesOf(const std::string& pattern)
{
    std::vector<std::string> alternatives;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos)
            end = pattern.size();
        const std::string part = trimmed(pattern.substr(start, end - start));
        if (!part.empty())
            alternatives.push_back(part == "*.*" ? std::string("*") : os::foldCase(part));
        start = end + 1;
    }
    return alternatives;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& alternatives)
{
    if (alternatives.empty())
        return true;
    const std::string folded = os::foldCase(name);
    for (const std::string& alternative : alternatives) {
        if (alternative.find_first_of("*?") == std::string::npos ? folded == alternative
                                                                 : wildcardMatch(folded, alternative))
            return true;
    }
    return false;
}

} // namespace

void FileModel::setPattern(const std::string& pattern)
{
    if (!path_.empty()) {
        files_ = read(path_, pattern);
        index_ = -1;
    }
    pattern_ = pattern;
}

void FileModel::setPath(const std::string& folder)
{
    setListing(readListing(folder, pattern_));
}

FileModel::Listing FileModel::readListing(const std::string& folder, const std::string& pattern, os::OpenFolder* keep)
{
    Listing listing;
    listing.path = os::normalisePath(folder);
    listing.files = read(listing.path, pattern, keep);
    return listing;
}

void FileModel::setListing(Listing listing)
{
    path_ = std::move(listing.path);
    files_ = std::move(listing.files);
    index_ = -1;
}

const std::string& FileModel::file(int index) const
{
    if (index < 0 || index >= listCount())
        throw os::AppError(381, "Invalid property array index");
    return files_[std::size_t(index)];
}

void FileModel::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        throw os::AppError(380, "Invalid property value");
    index_ = index;
}

std::string FileModel::fileName() const
{
    return index_ < 0 ? std::string() : files_[std::size_t(index_)];
}

void FileModel::setFileName(const std::string& name)
{
    index_ = -1;
    if (name.empty())
        return;
    const std::string folded = os::foldCase(name);
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i] == name || os::foldCase(files_[i]) == folded) {
            index_ = int(i);
            return;
        }
    }
}

std::vector<std::string> FileModel::read(const std::string& folder, const std::string& pattern, os::OpenFolder* keep)
{
    const std::vector<std::string> alternatives = alternativesOf(pattern);
    std::vector<std::string> files = os::readFolderEntries(
        folder, os::EntryKind::Files,
        [&alternatives](const std::string& name) { return matchesAny(name, alternatives); }, keep);
    os::sortIgnoringCase(files);
    return files;
}

} // namespace vantrel::browse
