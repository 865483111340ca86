#include "engine/WordScanner.h"

#include "os/Ascii.h"

#include <climits>

namespace vantrel::engine {

namespace {

constexpr std::string_view kPitch = "default_pitch";
constexpr std::string_view kBank = "default_bank";
constexpr std::size_t kChunk = 64 * 1024;

int clampPosition(std::uint64_t position)
{
    return position > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(position);
}

} // namespace

WordScanner::WordScanner()
{
    window_.reserve(kCarry + kChunk);
    carry_.reserve(kCarry);
}

void WordScanner::reset()
{
    carry_.clear();
    consumed_ = 0;
    pitch_ = 0;
    bank_ = 0;
}

void WordScanner::feed(std::string_view piece)
{
    // A caller that holds a huge line in memory still gets a bounded working copy.
    while (piece.size() > kChunk) {
        scan(piece.substr(0, kChunk));
        piece.remove_prefix(kChunk);
    }
    if (!piece.empty())
        scan(piece);
}

void WordScanner::scan(std::string_view chunk)
{
    if (pitch_ != 0 && bank_ != 0) {
        consumed_ += chunk.size();
        return;
    }
    window_.assign(carry_);
    const std::size_t base = window_.size();
    window_.resize(base + chunk.size());
    char* out = &window_[base];
    for (std::size_t i = 0; i < chunk.size(); ++i)
        out[i] = os::lowerAscii(chunk[i]);

    // window_[0] sits at line offset consumed_ - carry_.size(). A word lying wholly inside the carry would
    // already have been found in the previous window, so every hit here is a first occurrence.
    const std::uint64_t windowStart = consumed_ - carry_.size();
    if (pitch_ == 0) {
        const std::size_t at = std::string_view(window_).find(kPitch);
        if (at != std::string_view::npos)
            pitch_ = windowStart + at + 1;
    }
    if (bank_ == 0) {
        const std::size_t at = std::string_view(window_).find(kBank);
        if (at != std::string_view::npos)
            bank_ = windowStart + at + 1;
    }
    consumed_ += chunk.size();
    const std::size_t keep = window_.size() < kCarry ? window_.size() : kCarry;
    carry_.assign(window_, window_.size() - keep, keep);
}

int WordScanner::findPitch() const
{
    return clampPosition(pitch_);
}

int WordScanner::findBank() const
{
    return clampPosition(bank_);
}

} // namespace vantrel::engine
